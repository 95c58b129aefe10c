#include "editor/dialogs/new_workspace_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/notifier.h"
#include "platform/paths.h"
#include "platform/settings/program_settings.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

constexpr std::string_view kCaption = "盤面工房";

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// The folder part of a typed location (trailing separators ignored).
std::string folderPart(std::string location) {
    while (location.size() > 1 && location.back() == '/') {
        location.pop_back();
    }
    std::string folder;
    return path::PathFolder(location, folder) ? (folder.empty() ? "/" : folder) : std::string();
}

QPushButton* browseButton(QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setFixedWidth(28);
    return button;
}

}  // namespace

std::string defaultProjectsFolder() {
    return path::PathJoin(WritableBaseFolder(), "MyProjects");
}

NewWorkspaceDialog::NewWorkspaceDialog(Notifier& notifier, QWidget* parent)
    : QDialog(parent),
      notifier_(notifier),
      parent_(readProjectFolder()),
      title_(new QLineEdit(this)),
      picture_(new QLineEdit(this)),
      location_(new QLineEdit(this)),
      pictureBrowse_(browseButton(this)),
      locationBrowse_(browseButton(this)),
      create_(new QPushButton(QStringLiteral("作成"), this)),
      preview_(new QLabel(this)) {
    setWindowTitle(QStringLiteral(" 新規ﾜｰｸｽﾍﾟｰｽ"));
    title_->setObjectName("title");
    picture_->setObjectName("picture");
    location_->setObjectName("location");
    pictureBrowse_->setObjectName("pictureBrowse");
    locationBrowse_->setObjectName("locationBrowse");
    create_->setObjectName("create");
    preview_->setObjectName("preview");
    preview_->setFixedSize(kPreviewWidth, kPreviewHeight);
    preview_->setFrameShape(QFrame::StyledPanel);
    preview_->setAlignment(Qt::AlignCenter);
    title_->setMinimumWidth(300);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("タイトル"), this), 0, 0);
    grid->addWidget(title_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("イメージ"), this), 1, 0);
    grid->addWidget(picture_, 1, 1);
    grid->addWidget(pictureBrowse_, 1, 2);
    grid->addWidget(preview_, 2, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("保存先"), this), 3, 0);
    grid->addWidget(location_, 3, 1);
    grid->addWidget(locationBrowse_, 3, 2);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(create_, QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cancel");
    // Enter means "作成", which checks before closing.
    create_->setDefault(true);
    cancel->setAutoDefault(false);
    connect(create_, &QPushButton::clicked, this, &NewWorkspaceDialog::tryCreate);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(title_, &QLineEdit::textChanged, this, &NewWorkspaceDialog::onTitleEdited);
    connect(location_, &QLineEdit::textChanged, this, &NewWorkspaceDialog::onLocationEdited);
    connect(pictureBrowse_, &QPushButton::clicked, this, &NewWorkspaceDialog::browsePicture);
    // A path typed by hand is previewed too, once the field is left.
    connect(picture_, &QLineEdit::editingFinished, this,
            [this] { setPicture(picture_->text().trimmed()); });
    connect(locationBrowse_, &QPushButton::clicked, this, &NewWorkspaceDialog::browseLocation);

    showLocation(fromUtf8(parent_));
    title_->setFocus();
}

std::string NewWorkspaceDialog::title() const {
    return title_->text().toStdString();
}

std::string NewWorkspaceDialog::picturePath() const {
    return picture_->text().trimmed().toStdString();
}

std::string NewWorkspaceDialog::location() const {
    return location_->text().trimmed().toStdString();
}

void NewWorkspaceDialog::showLocation(const QString& location) {
    settingLocation_ = true;
    location_->setText(location);
    location_->setCursorPosition(static_cast<int>(location.size()));
    settingLocation_ = false;
}

void NewWorkspaceDialog::onTitleEdited() {
    showLocation(fromUtf8(title().empty() ? parent_ : path::PathJoin(parent_, title())));
}

void NewWorkspaceDialog::onLocationEdited() {
    if (settingLocation_) {
        return;
    }
    const std::string typed = location();
    const std::string folder = typed.empty() ? std::string() : folderPart(typed);
    parent_ = folder.empty() ? defaultProjectsFolder() : folder;
}

void NewWorkspaceDialog::setPicture(const QString& path) {
    picture_->setText(path);
    const QImage image(path);
    if (image.isNull()) {
        preview_->clear();
        return;
    }
    // Stretched to fill the area, as the board is stretched over the map.
    preview_->setPixmap(QPixmap::fromImage(image.scaled(
        kPreviewWidth, kPreviewHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void NewWorkspaceDialog::browsePicture() {
    QString start = picture_->text().trimmed();
    if (start.isEmpty()) {
        start = QStringLiteral("*.bmp");
    }
    const QString chosen =
        QFileDialog::getOpenFileName(this, QStringLiteral("イメージファイルを選択してください。"),
                                     start, QStringLiteral("bmp Files (*.bmp);;All Files (*)"));
    if (!chosen.isEmpty()) {
        setPicture(chosen);
    }
}

void NewWorkspaceDialog::browseLocation() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("保存先のフォルダーを選択して下さい"), fromUtf8(parent_));
    if (chosen.isEmpty()) {
        return;
    }
    parent_ = QDir::cleanPath(chosen).toStdString();
    onTitleEdited();
}

void NewWorkspaceDialog::tryCreate() {
    const std::string name = title();
    if (name.empty()) {
        notifier_.notify(kCaption, "タイトルを入力して下さい。", NoticeIcon::Information);
        title_->setFocus();
        return;
    }
    // The title names the workspace file and is stored in Shift-JIS.
    if (name.find('/') != std::string::npos || name == "." || name == ".." ||
        !sjis::fromUtf8(name)) {
        notifier_.notify(kCaption, "タイトルに使えない文字が含まれています。",
                         NoticeIcon::Information);
        title_->setFocus();
        return;
    }
    const std::string folder = location();
    if (folder.empty()) {
        notifier_.notify(kCaption, "保存先を入力して下さい。", NoticeIcon::Information);
        location_->setFocus();
        return;
    }
    if (FileExists(folder)) {
        notifier_.notify(kCaption,
                         "指定されたフォルダは既に存在します。\n他のフォルダを選択して下さい。",
                         NoticeIcon::Information);
        location_->setFocus();
        return;
    }
    (void)writeProjectFolder(parent_);
    accept();
}

}  // namespace banmen
