#include "editor/window/command_line.h"

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

StartupCommand parseStartupCommand(const QStringList& arguments) {
    StartupCommand command;
    if (arguments.size() == 2 &&
        (arguments[1] == QLatin1String("--help") || arguments[1] == QLatin1String("-h"))) {
        command.action = StartupCommand::Action::Help;
        return command;
    }
    if (arguments.size() == 2 && arguments[1] == QLatin1String("--version")) {
        command.action = StartupCommand::Action::Version;
        return command;
    }
    if (arguments.size() < 2 || arguments[1] != QLatin1String(kDebugSquareOption)) {
        command.file = startupFilePath(arguments);
        return command;
    }
    if (arguments.size() < 4) {
        command.valid = false;
        return command;
    }
    bool number = false;
    const int square = arguments[2].trimmed().toInt(&number);
    QStringList rest = arguments.mid(2);
    rest[0] = QString();  // stands for the program in startupFilePath
    command.file = startupFilePath(rest);
    if (!number || square < 1 || command.file.empty()) {
        command.valid = false;
        command.file.clear();
        return command;
    }
    command.debugSquare = square - 1;
    return command;
}

std::string startupUsage() {
    return std::string(
               "usage: banmen [FILE]\n"
               "       banmen ") +
           kDebugSquareOption +
           " N FILE\n"
           "       banmen --help | --version\n"
           "\n"
           "Opens the editor of sugoroku games with FILE (a .sgw workspace or a .sgp\n"
           "project), or with the sample game when none is given. With " +
           kDebugSquareOption +
           ",\n"
           "a debug run starts from square N (1-based) once FILE is open.\n";
}

}  // namespace banmen
