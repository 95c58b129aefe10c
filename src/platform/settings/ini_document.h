#pragma once
// The text of a settings file, in the INI dialect that QSettings reads and
// writes, so that files written by either read in the other:
//
//   [General]                 the top level ("[%General]" is a group General)
//   BuildFolder=sz:/home/me   key=value; keys of deeper groups go under the
//   [ResentWorkspaces]        group's first name, the rest of their path
//   Project1=sz:/a.sgw        joined with "\" ("Deeper\x=..." is Deeper/x)
//
// Keys escape "/" as "\", and every character but letters, digits, "_", "-"
// and "." as %XX (up to U+00FF) or %UXXXX (UTF-16 units). Values are UTF-8;
// control characters, "\" and '"' are escaped as in C (\n, \x1b, \\, \"), a
// value with ",", ";", "=" or blanks at its ends is quoted, and a value
// starting with "@" gets a second "@". ";" starts a comment outside quotes.
// A value with a "," outside quotes is a list, and "@ByteArray(...)" and its
// kin are other types: they are kept, but are no text. Like QSettings, a
// rewrite writes every value anew from what was read (comments are lost).
//
// No Qt here: the settings file reads and writes its bytes through the
// platform's file layer.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace banmen {

class IniDocument {
  public:
    // Reads `text`. False when a line is no setting, section or comment, or
    // a section header lacks its "]"; the document then holds what could be
    // read, and must not be written back.
    bool parse(std::string_view text);
    // The document as text, keys in the order they were read or set.
    std::string serialize() const;

    // The text value of `key` ("group/sub/name", "name" at the top level);
    // nothing when the key is missing or holds a list or another type.
    std::optional<std::string> text(std::string_view key) const;
    bool contains(std::string_view key) const;
    // Whether any key lies under `group` ("group/...").
    bool hasGroup(std::string_view group) const;

    void setText(std::string_view key, std::string_view value);
    // Removes the value `key` only, not a group of the same name.
    void removeValue(std::string_view key);
    // Removes every key under `group`, not a value of the same name.
    void removeGroup(std::string_view group);

  private:
    struct Entry {
        std::string key;
        std::optional<std::string> text;  // none: a list or another type
        std::string written;              // the value as it is written back
    };
    Entry* find(std::string_view key);
    const Entry* find(std::string_view key) const;

    std::vector<Entry> entries_;
};

}  // namespace banmen
