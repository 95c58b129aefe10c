#include "cli/cli_support.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/files.h"
#include "platform/paths.h"

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

// The reason without a leading "<file>: " (as given or made absolute): the
// line names the file already.
std::string_view withoutFile(std::string_view reason, std::string_view file) {
    for (const std::string& form : {std::string(file), path::AbsolutePath(std::string(file))}) {
        const std::string prefix = form + ": ";
        if (!form.empty() && reason.starts_with(prefix)) {
            return reason.substr(prefix.size());
        }
    }
    return reason;
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
    printFailure(context, file, reason);
    return kExitFailure;
}

void printFailure(Context& context, std::string_view file, std::string_view rawReason) {
    const std::string_view reason = withoutFile(rawReason, file);
    std::string line = std::string(file) + ": " + std::string(reason);
    const std::vector<std::string> notices = context.notifier.take();
    if (!notices.empty()) {
        // The first paragraph says what happened; the path after it is `file`.
        const std::string& notice = notices.front();
        std::string headline = oneLine(notice.substr(0, notice.find("\n\n")));
        line += reason.empty() ? headline : " (" + headline + ")";
    }
    printError(line);
}

void printHeldNotices(Context& context) {
    for (const std::string& notice : context.notifier.take()) {
        printError(oneLine(notice));
    }
}

std::string wrapped(std::string start, std::string_view text, std::size_t indent) {
    std::string out;
    std::string line = std::move(start);
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t end = text.find(' ', position);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view word = text.substr(position, end - position);
        position = end + 1;
        if (word.empty()) {
            continue;
        }
        const bool lineHasWord = !line.empty() && line.back() != ' ';
        if (lineHasWord && line.size() + 1 + word.size() > kHelpWidth) {
            out += line + "\n";
            line = std::string(indent, ' ');
        } else if (lineHasWord) {
            line += ' ';
        }
        line += word;
    }
    return out + line;
}

std::string usageText(const Command& command) {
    return wrapped("usage: " + std::string(kProgramName) + " " + std::string(command.name),
                   command.synopsis, 6) +
           "\n";
}

int usageError(const Command& command, std::string_view message) {
    printError(message);
    const std::string usage = usageText(command) + "Run '" + std::string(kProgramName) +
                              " help' for the list of commands.\n";
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
        if (Status readable = checkInputFile(path); !readable) {
            return readable;
        }
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

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

Status checkOutput(const std::string& out, bool force, std::initializer_list<std::string> inputs) {
    if (out == "-") {
        return Status::ok();
    }
    for (const std::string& input : inputs) {
        if (input != "-" && sameFile(out, input)) {
            return Status::error("is also an input of this command; write the output elsewhere");
        }
    }
    FileStatusInfo info;
    if (!FileStatus(out, info)) {
        return Status::ok();
    }
    if (info.isFolder) {
        return Status::error("is a folder");
    }
    return force ? Status::ok() : Status::error("already exists (use --force to replace it)");
}

Status checkInputFile(const std::string& path) {
    if (path == "-") {
        return Status::ok();
    }
    FileStatusInfo info;
    if (!FileStatus(path, info)) {
        return Status::error(errno == ENOENT || errno == ENOTDIR ? "file not found"
                                                                 : errnoStatus(errno).reason());
    }
    return info.isFolder ? Status::error("is a folder") : Status::ok();
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
