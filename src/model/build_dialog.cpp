#include "model/build_dialog.h"

#include <optional>

#include "model/text_field.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace banmen {

std::string BuildTarget::path() const {
    return path::PathJoin(folder, fileName);
}

void storeBuildFileName(RecordOwner& owner, std::string_view fileName) {
    const std::string stored = sjis::fromUtf8(fileName).value_or(std::string());
    GameRecord& record = owner.record();
    if (!fieldHolds(record.headerText, kHeaderTextMax, stored)) {
        storeFieldText(record.headerText, kHeaderTextMax, stored);
        owner.setModified(true);
    }
}

std::string withGameExtension(std::string_view fileName) {
    std::string name(fileName);
    if (!path::sameExtension(path::PathExtension(name), kGameFileExtension)) {
        name += kGameFileExtension;
    }
    return name;
}

BuildNameProblem checkBuildFileName(std::string_view fileName) {
    if (fileName.find('/') != std::string_view::npos) {
        return BuildNameProblem::HasSlash;
    }
    const std::optional<std::string> stored = sjis::fromUtf8(fileName);
    if (!stored) {
        return BuildNameProblem::NotShiftJis;
    }
    return stored->size() > kHeaderTextMax ? BuildNameProblem::TooLong : BuildNameProblem::None;
}

BuildDialogLogic::BuildDialogLogic(RecordOwner& owner, BuildFolderSetting& setting,
                                   Notifier& notifier)
    : owner_(owner), setting_(setting), notifier_(notifier) {}

BuildTarget BuildDialogLogic::initialTarget(const std::string& workspaceFolder) const {
    BuildTarget target;
    target.folder = workspaceFolder;
    if (std::string stored = setting_.read(); !stored.empty()) {
        target.folder = std::move(stored);
    }
    const GameRecord& record = owner_.record();
    const std::string_view header = fieldText(record.headerText);
    if (!header.empty()) {
        target.fileName = sjis::toUtf8Lossy(header);
    } else {
        target.fileName =
            sjis::toUtf8Lossy(fieldText(record.settings.title)) + std::string(kGameFileExtension);
    }
    return target;
}

BuildDialogResult BuildDialogLogic::refuse(std::string_view text) {
    notifier_.notify(kBuildCaption, text, NoticeIcon::Exclamation);
    return BuildDialogResult::StayOpen;
}

BuildDialogResult BuildDialogLogic::accept(std::string_view fileName, std::string_view folder,
                                           BuildTarget& target) {
    if (fileName.empty()) {
        return refuse(kBuildNoFileName);
    }
    if (folder.empty()) {
        return refuse(kBuildNoFolder);
    }
    const std::string name = withGameExtension(fileName);
    switch (checkBuildFileName(name)) {
        case BuildNameProblem::HasSlash:
            return refuse(kBuildNameHasSlash);
        case BuildNameProblem::NotShiftJis:
            return refuse(kBuildNameNotShiftJis);
        case BuildNameProblem::TooLong:
            return refuse(kBuildNameTooLong);
        case BuildNameProblem::None:
            break;
    }
    storeBuildFileName(owner_, name);
    setting_.write(std::string(folder));

    target.folder = std::string(folder);
    target.fileName = name;
    if (FileExists(target.path())) {
        const NoticeAnswer answer = notifier_.ask(kBuildCaption, kBuildOverwrite,
                                                  NoticeButtons::OkCancel, NoticeIcon::Question);
        return answer == NoticeAnswer::Ok ? BuildDialogResult::Confirmed
                                          : BuildDialogResult::Cancelled;
    }
    return BuildDialogResult::Confirmed;
}

}  // namespace banmen
