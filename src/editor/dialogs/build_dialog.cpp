#include "editor/dialogs/build_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/document/editor_document.h"
#include "editor/document/object_captions.h"
#include "platform/settings/program_settings.h"

namespace banmen {
namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

std::string StoredBuildFolder::read() {
    return readBuildFolder();
}

void StoredBuildFolder::write(const std::string& folder) {
    (void)writeBuildFolder(folder);
}

BuildDialog::BuildDialog(EditorDocument& document, BuildFolderSetting& setting, QWidget* parent)
    : QDialog(parent),
      document_(document),
      setting_(setting),
      fileName_(new QLineEdit(this)),
      folder_(new QLineEdit(this)),
      browse_(new QPushButton(text(kBuildBrowseButton), this)),
      build_(new QPushButton(text(kBuildButton), this)),
      warningTitle_(new QLabel(QStringLiteral("気になる点"), this)),
      warnings_(new QListWidget(this)) {
    setWindowTitle(text(kBuildDialogTitle));
    fileName_->setObjectName("fileName");
    folder_->setObjectName("folder");
    browse_->setObjectName("browse");
    build_->setObjectName("build");
    warnings_->setObjectName("warnings");
    browse_->setFixedWidth(28);
    fileName_->setMinimumWidth(320);

    auto* explanation = new QLabel(text(kBuildExplanation), this);
    auto* note = new QLabel(text(kBuildRegisterNote), this);
    note->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(text(kBuildFileNameLabel), this), 0, 0);
    grid->addWidget(fileName_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(text(kBuildFolderLabel), this), 1, 0);
    grid->addWidget(folder_, 1, 1);
    grid->addWidget(browse_, 1, 2);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(build_, QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(text(kBuildCancelButton), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cancel");
    build_->setDefault(true);
    cancel->setAutoDefault(false);
    connect(build_, &QPushButton::clicked, this, &BuildDialog::tryBuild);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(browse_, &QPushButton::clicked, this, &BuildDialog::browse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(note);
    layout->addLayout(grid);
    layout->addWidget(warningTitle_);
    layout->addWidget(warnings_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    warnings_->setFixedHeight(110);
    setWarnings({});

    // The first values only read the record.
    const BuildDialogLogic logic(const_cast<RecordOwner&>(document_.owner()), setting_,
                                 document_.notifier());
    target_ = logic.initialTarget(document_.location().folder);
    fileName_->setText(QString::fromStdString(target_.fileName));
    folder_->setText(QString::fromStdString(target_.folder));
    fileName_->setFocus();
    fileName_->selectAll();
}

void BuildDialog::setWarnings(const QStringList& warnings) {
    warnings_->clear();
    warnings_->addItems(warnings);
    warningTitle_->setVisible(!warnings.isEmpty());
    warnings_->setVisible(!warnings.isEmpty());
}

void BuildDialog::browse() {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, text(kBuildBrowseTitle), folder_->text().trimmed());
    if (!chosen.isEmpty()) {
        folder_->setText(QDir::cleanPath(chosen));
    }
}

void BuildDialog::tryBuild() {
    const std::string fileName = fileName_->text().trimmed().toStdString();
    const std::string folder = folder_->text().trimmed().toStdString();
    BuildTarget target;
    BuildDialogResult result = BuildDialogResult::StayOpen;
    // The file name goes into the record: one step, whatever is answered
    // about overwriting.
    document_.edit(objectLabel({}) + QStringLiteral("のビルドファイル名"), [&](RecordOwner& owner) {
        BuildDialogLogic logic(owner, setting_, document_.notifier());
        result = logic.accept(fileName, folder, target);
    });
    switch (result) {
        case BuildDialogResult::StayOpen:
            fileName_->setFocus();
            return;
        case BuildDialogResult::Confirmed:
            target_ = target;
            accept();
            return;
        case BuildDialogResult::Cancelled:
            reject();
            return;
    }
}

}  // namespace banmen
