#pragma once
// What every banmen-cli command shares: the command table entry, argument
// parsing, output, and the way failures are told.
//
// Exit status: 0 success, 1 failure, 2 wrong usage (unknown command, wrong
// arguments; usage goes to stderr), 3 a game stopped before its end (play;
// told in the failure line's form).
//
// A failing command prints exactly ONE line on stderr:
//     banmen-cli: <file>: <reason>
// <file> is the path as the user gave it; <reason> is the failing Status's
// reason. Operations such as Workspace::OpenFile also tell a notifier
// ("ファイルが見つかりませんでした。\n\n<path>"): CliNotifier holds such notices
// instead of printing them, and the failure line takes the notice's first
// paragraph in parentheses after the reason (its second paragraph is the
// path, which the line already names):
//     banmen-cli: x.sgw: file not found (ファイルが見つかりませんでした。)
// So one cause never gives two lines. Notices held when a command succeeds
// are printed afterwards, one line each ("banmen-cli: " + the text with its
// line breaks folded into blanks).

#include <cstddef>
#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/notifier.h"
#include "platform/status.h"

namespace banmen::cli {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// play: the game was stopped before its end (input closed, the turn limit, an
// endless chain of jumps).
constexpr int kExitStopped = 3;

constexpr std::string_view kProgramName = "banmen-cli";

class CliNotifier final : public Notifier {
  public:
    void notify(std::string_view caption, std::string_view text, NoticeIcon icon) override;

    // The held notices, oldest first; taking them empties the list.
    std::vector<std::string> take();

  private:
    std::vector<std::string> held_;
};

// An option a command accepts: "--all" (a flag) or "--unit" (with a value,
// given as "--unit 4" or "--unit=4").
struct OptionSpec {
    std::string_view name;
    bool takesValue;
};

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> options;  // flags map to ""

    bool has(std::string_view option) const { return options.find(option) != options.end(); }
    std::string value(std::string_view option, std::string fallback = {}) const;
};

// Splits a command's arguments into options and positional arguments; "--"
// ends the options. False, with `error` set, for an unknown option or a
// missing value. A lone "-" is a positional argument (standard input).
bool parseArguments(std::span<const std::string> args, std::span<const OptionSpec> options,
                    Arguments& out, std::string& error);

struct Context {
    CliNotifier notifier;
};

struct Command {
    std::string_view name;
    std::string_view synopsis;  // the arguments, as in "pack [--unit 1|2|4] IN OUT"
    std::string_view summary;   // one line for the command list
    std::span<const OptionSpec> options;
    std::size_t minPositional;
    std::size_t maxPositional;
    int (*run)(const Arguments& args, Context& context);
    // Checks of option values beyond parsing; a non-empty text is a usage error.
    std::string (*check)(const Arguments& args) = nullptr;
};

// A whole decimal number within [low, high]; false (out unchanged) otherwise.
bool parseCount(const std::string& text, long long low, long long high, long long& out);

// Prints the one failure line (see above).
void printFailure(Context& context, std::string_view file, std::string_view reason);
// Prints the one failure line and returns kExitFailure.
int fail(Context& context, std::string_view file, const Status& status);
int fail(Context& context, std::string_view file, std::string_view reason);

// Prints the notices still held after a command, one line each.
void printHeldNotices(Context& context);

// Help texts fit in this many columns.
constexpr std::size_t kHelpWidth = 80;

// Words of `text` laid out in lines of at most kHelpWidth columns: the first
// line continues `start`, later ones begin with `indent` blanks; a word longer
// than a line gets a line of its own. For ASCII texts (bytes are columns).
// No final line break.
std::string wrapped(std::string start, std::string_view text, std::size_t indent);

// "usage: banmen-cli <name> <synopsis>", wrapped, with a final line break.
std::string usageText(const Command& command);

// "banmen-cli: <message>", then the command's usage, on stderr; returns
// kExitUsage.
int usageError(const Command& command, std::string_view message);

// Writes to stdout and flushes; the failure (a full disk, a closed pipe)
// comes back as a Status.
Status writeStdout(std::string_view text);

// The whole content of a file, or of standard input for "-".
Status readInput(const std::string& path, std::vector<std::uint8_t>& out);

// Writes a file atomically (a temporary file renamed over the target), or
// standard output for "-".
Status writeOutput(const std::string& path, const void* data, std::size_t size);

// Whether a command may write its output at `out` (a file). Standard output
// ("-") always may. Refused: an existing folder; an existing file unless
// `force` ("already exists (use --force to replace it)"); and, even with
// `force`, the same file as one of the command's `inputs`, also through a
// link. Commands check before they change anything.
Status checkOutput(const std::string& out, bool force, std::initializer_list<std::string> inputs);

// True when both paths name one existing file (also through links).
bool sameFile(const std::string& a, const std::string& b);

// "file not found" or "is a folder" for an input that cannot be read as a
// file, as every command says it; success otherwise (and for "-").
Status checkInputFile(const std::string& path);

// How a path is named in a failure line ("<stdin>" / "<stdout>" for "-").
std::string inputName(const std::string& path);
std::string outputName(const std::string& path);

}  // namespace banmen::cli
