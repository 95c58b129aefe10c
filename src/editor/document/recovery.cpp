#include "editor/document/recovery.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>

#include "model/workspace.h"
#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kWorkspaceLine = "workspace=";
constexpr std::string_view kWrittenLine = "written=";

// FNV-1a over the path's bytes: a stable name for the workspace's files.
std::string keyOf(const std::string& path) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : path) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// A path may hold any byte but "\0": line breaks and backslashes are escaped.
std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
            out += text[i] == 'n' ? '\n' : text[i];
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string localTimeNow() {
    std::tm local{};
    if (!LocalTimeOf(static_cast<std::int64_t>(std::time(nullptr)), local)) {
        return {};
    }
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

bool readNote(const std::string& path, RecoveryNote& note) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        return false;
    }
    return parseRecoveryNote(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), note);
}

bool writeTime(const std::string& path, fs::file_time_type& out) {
    std::error_code error;
    out = fs::last_write_time(path, error);
    return !error;
}

}  // namespace

std::string recoveryFolder() {
    std::string state;
    if (const char* value = std::getenv("XDG_STATE_HOME"); value != nullptr && value[0] == '/') {
        state = value;
    } else {
        // Relative values are ignored, as XDG asks.
        const std::string home = HomeFolder();
        if (home.empty()) {
            return {};
        }
        state = path::PathJoin(home, ".local/state");
    }
    return path::PathJoin(state, "banmen/recovery");
}

std::string formatRecoveryNote(const RecoveryNote& note) {
    return std::string(kWorkspaceLine) + escaped(note.workspacePath) + "\n" +
           std::string(kWrittenLine) + note.writtenAt + "\n";
}

bool parseRecoveryNote(std::string_view text, RecoveryNote& note) {
    RecoveryNote parsed;
    bool named = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.starts_with(kWorkspaceLine)) {
            parsed.workspacePath = unescaped(line.substr(kWorkspaceLine.size()));
            named = !parsed.workspacePath.empty();
        } else if (line.starts_with(kWrittenLine)) {
            parsed.writtenAt = std::string(line.substr(kWrittenLine.size()));
        }
    }
    if (named) {
        note = std::move(parsed);
    }
    return named;
}

RecoveryFile::RecoveryFile(const std::string& workspacePath, std::string folder)
    : workspacePath_(path::AbsolutePath(workspacePath)) {
    const std::string key = keyOf(workspacePath_);
    recordPath_ = path::PathJoin(folder, key + ".sgw");
    notePath_ = path::PathJoin(folder, key + ".note");
}

Status RecoveryFile::write(const GameRecord& record) const {
    if (workspacePath_.empty()) {
        return Status::error("the workspace has no path");
    }
    const std::string folder = path::PathFolder(recordPath_);
    if (Status made = CreateFolderTree(folder); !made) {
        return made.withContext(folder);
    }
    if (Status written = WriteFileAtomically(recordPath_, &record, sizeof(GameRecord)); !written) {
        return written.withContext(recordPath_);
    }
    const std::string note = formatRecoveryNote({workspacePath_, localTimeNow()});
    if (Status written = WriteFileAtomically(notePath_, note.data(), note.size()); !written) {
        return written.withContext(notePath_);
    }
    return Status::ok();
}

bool RecoveryFile::exists() const {
    RecoveryNote note;
    return !workspacePath_.empty() && FileSize(recordPath_) == kGameRecordSize &&
           readNote(notePath_, note) && note.workspacePath == workspacePath_;
}

bool RecoveryFile::pending() const {
    if (!exists()) {
        return false;
    }
    fs::file_time_type recovered;
    fs::file_time_type saved;
    if (!writeTime(workspacePath_, saved)) {
        return true;  // never saved, or gone: the recovery is all there is
    }
    return writeTime(recordPath_, recovered) && recovered >= saved;
}

Status RecoveryFile::read(GameRecord& out) const {
    if (!exists()) {
        return Status::error("no recovery for " + workspacePath_);
    }
    return ReadWorkspaceFile(out, recordPath_);
}

void RecoveryFile::remove() const {
    (void)DeleteFile(recordPath_);
    (void)DeleteFile(notePath_);
}

std::vector<RecoveryNote> orphanRecoveries(const std::string& folder) {
    struct Found {
        RecoveryNote note;
        fs::file_time_type time;
    };
    std::vector<Found> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".note") {
            continue;
        }
        RecoveryNote note;
        if (!readNote(entry.path().string(), note) || FileExists(note.workspacePath)) {
            continue;
        }
        const RecoveryFile file(note.workspacePath, folder);
        fs::file_time_type time;
        if (file.notePath() == entry.path().string() && file.exists() &&
            writeTime(file.recordPath(), time)) {
            found.push_back({std::move(note), time});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.time > b.time; });
    std::vector<RecoveryNote> notes;
    for (Found& f : found) {
        notes.push_back(std::move(f.note));
    }
    return notes;
}

}  // namespace banmen
