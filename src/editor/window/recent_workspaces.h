#pragma once
// The recent workspaces list: five paths, most recent first.

#include <QString>
#include <string>

#include "platform/settings/program_settings.h"

namespace banmen {

// The list with `path` on top: the earlier entries follow in their order
// without `path` (compared byte for byte), cut to five.
RecentWorkspaces withRecentPath(const RecentWorkspaces& list, const std::string& path);

// What a recent item shows: the file name without folder and extension.
QString recentItemText(const std::string& path);

}  // namespace banmen
