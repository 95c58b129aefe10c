#pragma once
// Path texts. Two syntaxes share one set of rules:
//  - banmen::path: native file-system paths (UTF-8, "/" separators);
//  - banmen::sjispath: names as the game record and archives store them
//    (Shift-JIS bytes, "\" separators; the second byte of a double-byte
//    character is never taken for a separator or a dot).
// Splits fail (false, or an empty text) when the separator is missing.

#include <string>
#include <string_view>
#include <vector>

namespace banmen::path {

// Trims blanks (ASCII white space) at both ends, removes every double quote,
// collapses runs of "/" into one, trims again. Fails on a text that is empty
// afterwards. A trailing "/" stays.
bool NormalizePath(std::string& path);

// The path normalised and made absolute against the working folder, with
// "." and ".." taken away as written (links are not followed); a trailing
// "/" stays. Empty when normalisation fails or the working folder is unknown.
std::string AbsolutePath(std::string_view path);

// "folder/name", normalised; empty when normalisation fails. An empty or
// blank folder gives the name alone (relative, not rooted).
std::string PathJoin(std::string_view folder, std::string_view name);

// Each split normalises the path first. The bool forms leave `out` alone on
// failure.
// Everything before the last "/" ("/" itself for a file in the root).
bool PathFolder(std::string_view path, std::string& out);
// Everything after the last "/" (empty after a trailing "/").
bool PathFileName(std::string_view path, std::string& out);
// The file name up to its last dot. Title and extension need only the dot: a
// bare name without any "/" is a file name too.
bool PathTitle(std::string_view path, std::string& out);
// The file name from its last dot, dot included.
bool PathExtension(std::string_view path, std::string& out);

std::string PathFolder(std::string_view path);
std::string PathFileName(std::string_view path);
std::string PathTitle(std::string_view path);
std::string PathExtension(std::string_view path);

// Extensions compare without regard to ASCII case: ".SGW" equals ".sgw".
bool sameExtension(std::string_view a, std::string_view b);

// Normalises the path, then replaces the folder tokens, each exactly as
// written ("%TEMP%" and "%Temp%" are two entries, "%temp%" none), so that one
// "/" separates the folder from what follows:
//  - "%SYSTEM%", "%System%", "%SYSTEMROOT%", "%SystemRoot%": /usr/lib, the
//    folder of the system's libraries;
//  - "%TEMP%", "%Temp%", "%USERTEMP%", "%UserTemp%": $TMPDIR, else /tmp;
//  - "%DESKTOP%", "%Desktop%", "%USERDESKTOP%", "%UserDesktop%",
//    "%ALLUSERDESKTOP%", "%AllUserDesktop%": the desktop as xdg-user-dir finds
//    it ($XDG_DESKTOP_DIR, the user-dirs.dirs file, ~/Desktop); there is no
//    common desktop.
// Then "%VAR%", "$VAR" and "${VAR}" are taken from the environment (a variable
// that is not set stays as written), and the result is normalised again.
// Empty when the path is empty.
std::string ExpandFolderTokens(std::string_view path);

}  // namespace banmen::path

namespace banmen::sjispath {

// As in banmen::path, with "\" as the separator and these additions:
//  - a leading "\\?\" is dropped;
//  - a leading "\\" (a network name) is kept as it is; it is not checked
//    for existence, as there is no network share to look for here;
//  - the folder of "\x" is "" (no special root).
bool NormalizePath(std::string& path);
std::string PathJoin(std::string_view folder, std::string_view name);
bool PathFolder(std::string_view path, std::string& out);
bool PathFileName(std::string_view path, std::string& out);
bool PathTitle(std::string_view path, std::string& out);
bool PathExtension(std::string_view path, std::string& out);
std::string PathFolder(std::string_view path);
std::string PathFileName(std::string_view path);
std::string PathTitle(std::string_view path);
std::string PathExtension(std::string_view path);

// Splits a stored name into its parts at "\" (skipping trail bytes), e.g. for
// turning an archive entry name into a native relative path. Empty parts are
// dropped; "." and ".." are kept, so callers that build paths from untrusted
// names must refuse them.
std::vector<std::string> splitParts(std::string_view name);

}  // namespace banmen::sjispath
