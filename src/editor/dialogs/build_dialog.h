#pragma once
// " 盤面工房 ビルド": where the game file goes. The fields start as the build
// dialog logic says (model/build_dialog.h); "ビルド" runs its checks, stores
// the file name in the record's `headerText` as one undoable step and the
// folder as "BuildFolder", and asks before overwriting a game file. Below
// the fields a list shows warnings about the game when there are any.

#include <QDialog>
#include <QStringList>

#include "model/build_dialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace banmen {

class EditorDocument;

// "BuildFolder" in the program's settings store.
class StoredBuildFolder final : public BuildFolderSetting {
  public:
    std::string read() override;
    void write(const std::string& folder) override;
};

class BuildDialog : public QDialog {
    Q_OBJECT

  public:
    // `setting` must outlive the dialog.
    BuildDialog(EditorDocument& document, BuildFolderSetting& setting, QWidget* parent = nullptr);

    // The chosen target after Accepted.
    const BuildTarget& target() const { return target_; }

    // Warnings to show under the fields (the list is hidden while empty).
    void setWarnings(const QStringList& warnings);

    QLineEdit* fileNameEdit() const { return fileName_; }
    QLineEdit* folderEdit() const { return folder_; }
    QPushButton* browseButton() const { return browse_; }
    QPushButton* buildButton() const { return build_; }
    QListWidget* warningList() const { return warnings_; }

  private:
    void browse();
    void tryBuild();

    EditorDocument& document_;
    BuildFolderSetting& setting_;
    BuildTarget target_;
    QLineEdit* fileName_;
    QLineEdit* folder_;
    QPushButton* browse_;
    QPushButton* build_;
    QLabel* warningTitle_;
    QListWidget* warnings_;
};

}  // namespace banmen
