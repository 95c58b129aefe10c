#include "editor/command_line.h"

namespace banmen {

std::string startupFilePath(const QStringList& arguments) {
    // A path with blanks may arrive split over several arguments.
    const std::string tail = arguments.mid(1).join(QLatin1Char(' ')).toStdString();
    constexpr const char* kStrip = " \t\"";
    const std::size_t first = tail.find_first_not_of(kStrip);
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = tail.find_last_not_of(kStrip);
    return tail.substr(first, last - first + 1);
}

}  // namespace banmen
