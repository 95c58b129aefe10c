#pragma once
// The program's own settings, under "HKEY_CURRENT_USER\Software\MOEGI\Banmen"
// (on Linux the file $XDG_CONFIG_HOME/MOEGI/Banmen.conf). Reads never fail:
// a missing, unreadable or broken value gives the default. Writes report
// whether the value reached the file; callers may ignore that.

#include <array>
#include <string>

namespace banmen {

inline constexpr char kProgramKeyPath[] = "HKEY_CURRENT_USER\\Software\\MOEGI\\Banmen";
inline constexpr char kRecentWorkspacesKey[] = "ResentWorkspaces";  // spelled so
inline constexpr std::size_t kRecentWorkspaceCount = 5;

// The build dialog's last output folder; "" when none is stored (the dialog
// keeps its own default then).
std::string readBuildFolder();
bool writeBuildFolder(const std::string& folder);

// Where new workspaces are created; "MyProjects" under the writable base
// folder when the value is missing or empty.
std::string readProjectFolder();
bool writeProjectFolder(const std::string& folder);

// The open-workspace dialog's first folder; "" when none is stored.
std::string readOpenFolder();
bool writeOpenFolder(const std::string& folder);

// "Project1".."Project5" of the recent-workspaces key, most recent first;
// "" for an empty slot.
using RecentWorkspaces = std::array<std::string, kRecentWorkspaceCount>;
RecentWorkspaces readRecentWorkspaces();
// Writes all five slots; an empty slot's value is deleted.
bool writeRecentWorkspaces(const RecentWorkspaces& paths);

// "bMapLock": squares cannot be dragged; off (movable) by default.
bool readMapLock();
bool writeMapLock(bool locked);
// "bMapGrid": the map shows its grid; on by default.
bool readMapGrid();
bool writeMapGrid(bool shown);

}  // namespace banmen
