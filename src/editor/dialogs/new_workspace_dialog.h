#pragma once
// " 新規ﾜｰｸｽﾍﾟｰｽ": the title of a new game, an optional board picture (shown
// stretched into a 110 x 80 preview) and the folder the workspace goes to.
//
// The location follows the title: it is the parent folder joined with the
// title. Editing the location by hand makes its folder part the parent
// folder (an emptied location resets it to "MyProjects"); the location's
// "..." button picks the parent folder. "作成" refuses an empty title, a
// title that cannot name the workspace file, and a location that already
// exists; otherwise it stores the parent folder as "ProjectFolder" and
// closes with Accepted.

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace banmen {

class Notifier;

class NewWorkspaceDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kPreviewWidth = 110;
    static constexpr int kPreviewHeight = 80;

    // Refusals are told through `notifier`.
    NewWorkspaceDialog(Notifier& notifier, QWidget* parent = nullptr);

    // UTF-8, as typed.
    std::string title() const;
    std::string picturePath() const;
    std::string location() const;
    std::string parentFolder() const { return parent_; }

    QLineEdit* titleEdit() const { return title_; }
    QLineEdit* pictureEdit() const { return picture_; }
    QLineEdit* locationEdit() const { return location_; }
    QPushButton* pictureButton() const { return pictureBrowse_; }
    QPushButton* locationButton() const { return locationBrowse_; }
    QPushButton* createButton() const { return create_; }
    QLabel* preview() const { return preview_; }

    // The picture's path into its field and the preview (the picture "..."
    // button does this with the chosen file).
    void setPicture(const QString& path);

  private:
    void onTitleEdited();
    void onLocationEdited();
    void browsePicture();
    void browseLocation();
    void tryCreate();
    // Sets the location without taking its folder back as the parent.
    void showLocation(const QString& location);

    Notifier& notifier_;
    std::string parent_;
    QLineEdit* title_;
    QLineEdit* picture_;
    QLineEdit* location_;
    QPushButton* pictureBrowse_;
    QPushButton* locationBrowse_;
    QPushButton* create_;
    QLabel* preview_;
    bool settingLocation_ = false;
};

// Where new workspaces go when nothing else is stored: "MyProjects" under
// the writable base folder.
std::string defaultProjectsFolder();

}  // namespace banmen
