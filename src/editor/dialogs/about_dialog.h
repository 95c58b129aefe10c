#pragma once
// The about box: the program icon, "四季彩コレクション" and "盤面工房 Version
// major.minor" on two lines, the link to the project page and an OK button.

#include <QDialog>

namespace banmen {

class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

// The version line of the box from a version string "10, 0, 0, 1".
QString aboutVersionText(const char* versionString);

}  // namespace banmen
