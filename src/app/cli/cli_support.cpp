#include "cli/cli_support.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/files.h"

namespace banmen::cli {
namespace {

// Line breaks folded into single blanks, so a notice fits one line.
std::string oneLine(std::string_view text) {
    std::string out;
    bool pendingBlank = false;
    for (const char c : text) {
        if (c == '\n' || c == '\r') {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) {
            out += ' ';
            pendingBlank = false;
        }
        out += c;
    }
    return out;
}

void printError(std::string_view line) {
    std::string text = std::string(kProgramName) + ": " + std::string(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

void CliNotifier::notify(std::string_view, std::string_view text, NoticeIcon) {
    held_.emplace_back(text);
}

std::vector<std::string> CliNotifier::take() {
    std::vector<std::string> out;
    out.swap(held_);
    return out;
}

std::string Arguments::value(std::string_view option, std::string fallback) const {
    auto it = options.find(option);
    return it == options.end() ? fallback : it->second;
}

bool parseArguments(std::span<const std::string> args, std::span<const OptionSpec> options,
                    Arguments& out, std::string& error) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            out.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionSpec* spec = nullptr;
        for (const OptionSpec& candidate : options) {
            if (candidate.name == name) {
                spec = &candidate;
            }
        }
        if (spec == nullptr) {
            error = "unknown option " + name;
            return false;
        }
        if (!spec->takesValue) {
            if (equals != std::string::npos) {
                error = "option " + name + " takes no value";
                return false;
            }
            out.options[name] = "";
            continue;
        }
        if (equals != std::string::npos) {
            out.options[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            out.options[name] = args[++i];
        } else {
            error = "option " + name + " needs a value";
            return false;
        }
    }
    return true;
}

int fail(Context& context, std::string_view file, const Status& status) {
    return fail(context, file, status.reason());
}

int fail(Context& context, std::string_view file, std::string_view reason) {
    std::string line = std::string(file) + ": " + std::string(reason);
    const std::vector<std::string> notices = context.notifier.take();
    if (!notices.empty()) {
        // The first paragraph says what happened; the path after it is `file`.
        const std::string& notice = notices.front();
        std::string headline = oneLine(notice.substr(0, notice.find("\n\n")));
        line += reason.empty() ? headline : " (" + headline + ")";
    }
    printError(line);
    return kExitFailure;
}

void printHeldNotices(Context& context) {
    for (const std::string& notice : context.notifier.take()) {
        printError(oneLine(notice));
    }
}

int usageError(const Command& command, std::string_view message) {
    printError(message);
    std::string usage = "usage: " + std::string(kProgramName) + " " + std::string(command.name);
    if (!command.synopsis.empty()) {
        usage += " " + std::string(command.synopsis);
    }
    usage += "\nRun '" + std::string(kProgramName) + " help' for the list of commands.\n";
    std::fwrite(usage.data(), 1, usage.size(), stderr);
    return kExitUsage;
}

Status writeStdout(std::string_view text) {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        return errnoStatus(errno);
    }
    return Status::ok();
}

Status readInput(const std::string& path, std::vector<std::uint8_t>& out) {
    if (path != "-") {
        return ReadWholeFile(path, out);
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    while (true) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, stdin);
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (n < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(stdin)) {
        return errnoStatus(errno);
    }
    out = std::move(bytes);
    return Status::ok();
}

Status writeOutput(const std::string& path, const void* data, std::size_t size) {
    if (path == "-") {
        return writeStdout({static_cast<const char*>(data), size});
    }
    return WriteFileAtomically(path, data, size);
}

std::string inputName(const std::string& path) {
    return path == "-" ? "<stdin>" : path;
}

std::string outputName(const std::string& path) {
    return path == "-" ? "<stdout>" : path;
}

bool parseCount(const std::string& text, long long low, long long high, long long& out) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != 0 || value < low || value > high) {
        return false;
    }
    out = value;
    return true;
}

}  // namespace banmen::cli
