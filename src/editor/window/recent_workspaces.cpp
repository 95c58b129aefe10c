#include "editor/window/recent_workspaces.h"

#include <QFileInfo>

namespace banmen {

RecentWorkspaces withRecentPath(const RecentWorkspaces& list, const std::string& path) {
    RecentWorkspaces result{};
    result[0] = path;
    std::size_t next = 1;
    for (const std::string& entry : list) {
        if (next < result.size() && !entry.empty() && entry != path) {
            result[next++] = entry;
        }
    }
    return result;
}

QString recentItemText(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).completeBaseName();
}

}  // namespace banmen
