#pragma once
// The editor's "/INSTALL" and "/UNINSTALL" switches: register or remove the
// workspace type (".sgw", opened by this program) and the game type (".sgr",
// opened by the player "banmen-player" beside it) for the current user, and
// end without opening a window. Registration reports nothing to the user;
// the exit status says whether every write succeeded.

#include <optional>
#include <string>
#include <vector>

namespace banmen {

enum class RegistrationSwitch { Install, Uninstall };

// A switch is an argument of its own, in any case. "/INSTALL" wins when both
// are given. (Parts of a path such as "/home/x/install/a.sgw" are no switch.)
std::optional<RegistrationSwitch> FindRegistrationSwitch(const std::vector<std::string>& arguments);

// Registers or removes both types, then refreshes the desktop's databases
// (after a removal only when something was registered). `programPath` is
// the editor's full path. Returns the exit status.
int RunRegistrationSwitch(RegistrationSwitch which, const std::string& programPath);

}  // namespace banmen
