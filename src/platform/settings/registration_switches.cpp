#include "platform/settings/registration_switches.h"

#include <unistd.h>

#include "platform/desktop_entries.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/settings/file_type_registration.h"

namespace banmen {
namespace {

constexpr char kPlayerProgram[] = "banmen-player";

std::string upperAscii(std::string text) {
    // Bytes of multibyte characters are never ASCII letters: left alone.
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

FileTypeRegistration workspaceType(const std::string& program) {
    return {
        "sgw",   "SugorokuWorkspace", "雙六ワークスペース", "application/x-sugoroku-workspace", 5,
        program, "盤面工房",          ProgramIcons()};
}

FileTypeRegistration gameType(const std::string& player) {
    return {"sgr",
            "SugorokuGame",
            "雙六ゲーム",
            "application/x-sugoroku-game",
            0,
            player,
            "盤面工房 雙六プレイヤー",
            ProgramIcons()};
}

bool isProgram(const std::string& path) {
    return access(path.c_str(), X_OK) == 0 && !IsFolder(path);
}

}  // namespace

std::optional<RegistrationSwitch> FindRegistrationSwitch(
    const std::vector<std::string>& arguments) {
    bool install = false;
    bool uninstall = false;
    for (const std::string& argument : arguments) {
        const std::string upper = upperAscii(argument);
        install = install || upper == "/INSTALL";
        uninstall = uninstall || upper == "/UNINSTALL";
    }
    if (install) {
        return RegistrationSwitch::Install;
    }
    if (uninstall) {
        return RegistrationSwitch::Uninstall;
    }
    return std::nullopt;
}

int RunRegistrationSwitch(RegistrationSwitch which, const std::string& programPath) {
    if (which == RegistrationSwitch::Uninstall) {
        const bool workspace = UnregisterFileType("sgw");
        const bool game = UnregisterFileType("sgr");
        if (workspace || game) {
            RefreshDesktopDatabases();
        }
        return 0;
    }
    bool ok = RegisterFileType(workspaceType(programPath));
    // Games open in the player; without one beside the editor there is
    // nothing to open them with, and no entry is made that would fail.
    const std::string player = path::PathJoin(path::PathFolder(programPath), kPlayerProgram);
    if (isProgram(player)) {
        ok = RegisterFileType(gameType(player)) && ok;
    }
    RefreshDesktopDatabases();
    return ok ? 0 : 1;
}

}  // namespace banmen
