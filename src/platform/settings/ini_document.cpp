#include "platform/settings/ini_document.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace banmen {
namespace {

// --- UTF-8 and UTF-16, as QSettings sees text --------------------------------

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-8 to UTF-16 units; a byte that starts no valid sequence gives U+FFFD.
std::u16string toUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        char32_t cp = length == 1   ? lead
                      : length == 2 ? lead & 0x1F
                      : length == 3 ? lead & 0x0F
                                    : lead & 0x07;
        bool valid = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        static constexpr std::array<char32_t, 5> kLeast{0, 0, 0x80, 0x800, 0x10000};
        if (!valid || cp < kLeast[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += length;
    }
    return out;
}

// UTF-16 units to UTF-8; a lone surrogate gives U+FFFD.
std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit - 0xD800) << 10) |
                                       static_cast<char32_t>(text[i + 1] - 0xDC00)));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

constexpr char kHexUpper[] = "0123456789ABCDEF";

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool sameAsciiCaseless(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

int hexValue(char16_t c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// --- Keys ---------------------------------------------------------------------

std::string escapeKey(std::string_view key) {
    std::string out;
    for (const char16_t unit : toUtf16(key)) {
        if (unit == '/') {
            out += '\\';
        } else if ((unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z') ||
                   (unit >= '0' && unit <= '9') || unit == '_' || unit == '-' || unit == '.') {
            out += static_cast<char>(unit);
        } else if (unit <= 0xFF) {
            out += '%';
            out += kHexUpper[unit >> 4];
            out += kHexUpper[unit & 0xF];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) {
                out += kHexUpper[(unit >> shift) & 0xF];
            }
        }
    }
    return out;
}

std::string unescapeKey(std::string_view key) {
    const std::u16string text = toUtf16(key);
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == '\\') {
            out += u'/';
            ++i;
            continue;
        }
        if (c != '%' || i + 1 == text.size()) {
            out += c;
            ++i;
            continue;
        }
        std::size_t first = i + 1;
        std::size_t digits = 2;
        if (text[first] == 'U') {
            ++first;
            digits = 4;
        }
        char16_t value = 0;
        bool ok = first + digits <= text.size();
        for (std::size_t k = 0; ok && k < digits; ++k) {
            const int digit = hexValue(text[first + k]);
            ok = digit >= 0;
            value = static_cast<char16_t>((value << 4) | (digit & 0xF));
        }
        if (!ok) {
            out += u'%';
            ++i;
            continue;
        }
        out += value;
        i = first + digits;
    }
    return toUtf8(out);
}

// --- Values -------------------------------------------------------------------

// `value` as QSettings writes a text; a text starting with "@" gets a second
// one unless it is the written form of another type.
std::string escapeValue(std::string_view value, bool doubleAt = true) {
    std::string out;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    const auto hex = [&out](unsigned c) {
        static constexpr char kHexLower[] = "0123456789abcdef";
        out += "\\x";
        if (c >= 16) {
            out += kHexLower[c >> 4];
        }
        out += kHexLower[c & 0xF];
    };
    const std::string prefixed = doubleAt && !value.empty() && value.front() == '@'
                                     ? "@" + std::string(value)
                                     : std::string(value);
    for (const char c : prefixed) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ';' || c == ',' || c == '=') {
            needsQuotes = true;
        }
        if (escapeNextIfDigit && hexValue(byte) >= 0) {
            hex(byte);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
            case '\0':
                out += "\\0";
                escapeNextIfDigit = true;
                break;
            case '\a':
                out += "\\a";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\v':
                out += "\\v";
                break;
            case '"':
            case '\\':
                out += '\\';
                out += c;
                break;
            default:
                if (byte <= 0x1F) {
                    hex(byte);
                    escapeNextIfDigit = true;
                } else {
                    out += c;  // UTF-8 as it is
                }
        }
    }
    if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' '))) {
        out = '"' + out + '"';
    }
    return out;
}

void chopTrailingSpaces(std::u16string& text, std::size_t limit) {
    while (text.size() > limit && (text.back() == ' ' || text.back() == '\t')) {
        text.pop_back();
    }
}

// The value as QSettings reads it: one text, or the items of a list (a ","
// outside quotes makes one).
struct ReadValue {
    std::vector<std::u16string> items;
    bool list = false;
};

ReadValue unescapeValue(std::string_view raw) {
    static constexpr std::array<std::pair<char, char16_t>, 11> kEscapes{{{'a', u'\a'},
                                                                         {'b', u'\b'},
                                                                         {'f', u'\f'},
                                                                         {'n', u'\n'},
                                                                         {'r', u'\r'},
                                                                         {'t', u'\t'},
                                                                         {'v', u'\v'},
                                                                         {'"', u'"'},
                                                                         {'?', u'?'},
                                                                         {'\'', u'\''},
                                                                         {'\\', u'\\'}}};
    std::u16string result;
    std::vector<std::u16string> items;
    bool list = false;
    bool inQuotes = false;
    bool quoted = false;
    std::size_t chopLimit = 0;
    std::size_t i = 0;
    const auto skipSpaces = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) {
            ++i;
        }
    };
    skipSpaces();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            ++i;
            if (i >= raw.size()) {
                break;
            }
            const char e = raw[i++];
            const auto known = std::find_if(kEscapes.begin(), kEscapes.end(),
                                            [e](const auto& pair) { return pair.first == e; });
            if (known != kEscapes.end()) {
                result += known->second;
            } else if (e == 'x' && i < raw.size() &&
                       hexValue(static_cast<unsigned char>(raw[i])) >= 0) {
                char16_t value = 0;
                while (i < raw.size() && hexValue(static_cast<unsigned char>(raw[i])) >= 0) {
                    value = static_cast<char16_t>((value << 4) |
                                                  hexValue(static_cast<unsigned char>(raw[i])));
                    ++i;
                }
                result += value;
            } else if (e >= '0' && e <= '7') {
                auto value = static_cast<char16_t>(e - '0');
                while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7') {
                    value = static_cast<char16_t>((value << 3) | (raw[i] - '0'));
                    ++i;
                }
                result += value;
            } else if (e == '\n' || e == '\r') {
                // A line continued on the next one.
                if (i < raw.size() && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != e) {
                    ++i;
                }
            }
            chopLimit = result.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
                chopLimit = result.size();
            }
        } else if (c == ',' && !inQuotes) {
            if (!quoted) {
                chopTrailingSpaces(result, chopLimit);
            }
            list = true;
            items.push_back(std::move(result));
            result.clear();
            quoted = false;
            chopLimit = 0;
            ++i;
            skipSpaces();
        } else {
            std::size_t j = i + 1;
            while (j < raw.size() && raw[j] != '\\' && raw[j] != '"' && raw[j] != ',') {
                ++j;
            }
            result += toUtf16(raw.substr(i, j - i));
            i = j;
        }
    }
    if (!quoted) {
        chopTrailingSpaces(result, chopLimit);
    }
    items.push_back(std::move(result));
    return {std::move(items), list};
}

// A value read from a file: its text (none for a list or another type) and
// how it is written back. It is written anew from what was read, as
// QSettings does, so that a line that read oddly cannot run into the next.
struct ParsedValue {
    std::optional<std::string> text;
    std::string written;
};

ParsedValue parseValue(std::string_view raw) {
    const ReadValue value = unescapeValue(raw);
    ParsedValue out;
    for (std::size_t i = 0; i < value.items.size(); ++i) {
        out.written += (i > 0 ? ", " : "") + escapeValue(toUtf8(value.items[i]), false);
    }
    if (value.list) {
        return out;
    }
    std::string text = toUtf8(value.items.front());
    if (text.starts_with("@@")) {
        out.text = text.substr(1);
        return out;
    }
    if (text.starts_with("@String(") && text.ends_with(')')) {
        out.text = text.substr(8, text.size() - 9);  // how QSettings writes a text with a NUL
        return out;
    }
    if (text.starts_with('@') && text.ends_with(')')) {
        for (const std::string_view type : {"@ByteArray(", "@Variant(", "@DateTime(", "@Rect(",
                                            "@Size(", "@Point(", "@Invalid("}) {
            if (text.starts_with(type)) {
                return out;
            }
        }
    }
    out.text = std::move(text);
    return out;
}

// --- Lines --------------------------------------------------------------------

// The next logical line, as QSettings splits a file: leading blanks and
// comment lines skipped, a quoted value may span lines, "\" continues a
// line, and ";" outside quotes ends it. `equals` is the first "=" outside
// quotes (npos when none), relative to the line.
bool nextLine(std::string_view data, std::size_t& position, std::string_view& line,
              std::size_t& equals) {
    const std::size_t size = data.size();
    bool inQuotes = false;
    std::size_t equalsAt = std::string_view::npos;
    std::size_t start = position;
    while (start < size && isSpace(data[start])) {
        ++start;
    }
    std::size_t i = start;
    while (i < size) {
        const char c = data[i++];
        if (c == '=') {
            if (!inQuotes && equalsAt == std::string_view::npos) {
                equalsAt = i - 1;
            }
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char next = data[i++];
                if (i < size &&
                    ((next == '\n' && data[i] == '\r') || (next == '\r' && data[i] == '\n'))) {
                    ++i;
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == start + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r') {
                    ++i;
                }
                while (i < size && isSpace(data[i])) {
                    ++i;
                }
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    position = i;
    line = data.substr(start, i - start);
    equals = equalsAt == std::string_view::npos ? equalsAt : equalsAt - start;
    return !line.empty();
}

// A key as QSettings keeps one: no empty parts (no leading, trailing or
// doubled "/"). A name ending in "/" would be written ending in "\", which
// would escape the "=" after it.
std::string normalizedKey(std::string_view key) {
    std::string out;
    std::size_t start = 0;
    while (start <= key.size()) {
        std::size_t end = key.find('/', start);
        if (end == std::string_view::npos) {
            end = key.size();
        }
        if (end > start) {
            if (!out.empty()) {
                out += '/';
            }
            out += key.substr(start, end - start);
        }
        start = end + 1;
    }
    return out;
}

// The group part ("" for the top level) and the name of a key.
std::pair<std::string_view, std::string_view> splitKey(std::string_view key) {
    const std::size_t slash = key.find('/');
    if (slash == std::string_view::npos) {
        return {{}, key};
    }
    return {key.substr(0, slash), key.substr(slash + 1)};
}

}  // namespace

bool IniDocument::parse(std::string_view text) {
    entries_.clear();
    bool ok = true;
    std::string section;  // "" or "name/"
    std::size_t position = 0;
    std::string_view line;
    std::size_t equals = 0;
    while (nextLine(text, position, line, equals)) {
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close == std::string_view::npos) {
                ok = false;
            }
            const std::string_view name = trimmed(
                close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1));
            if (sameAsciiCaseless(name, "general")) {
                section.clear();
            } else if (sameAsciiCaseless(name, "%general")) {
                section = std::string(name.substr(1)) + "/";
            } else {
                section = unescapeKey(name) + "/";
            }
            continue;
        }
        if (equals == std::string_view::npos) {
            ok = ok && line.front() == ';';
            continue;
        }
        const std::string key =
            normalizedKey(section + unescapeKey(trimmed(line.substr(0, equals))));
        if (key.empty()) {
            continue;
        }
        ParsedValue value = parseValue(line.substr(equals + 1));
        Entry entry{key, std::move(value.text), std::move(value.written)};
        if (Entry* existing = find(entry.key)) {
            *existing = std::move(entry);
        } else {
            entries_.push_back(std::move(entry));
        }
    }
    return ok;
}

std::string IniDocument::serialize() const {
    // Sections in the order of their first key, the top level first.
    std::vector<std::string_view> sections;
    for (const Entry& entry : entries_) {
        const std::string_view group = splitKey(entry.key).first;
        if (std::find(sections.begin(), sections.end(), group) == sections.end()) {
            sections.push_back(group);
        }
    }
    std::stable_partition(sections.begin(), sections.end(),
                          [](std::string_view group) { return group.empty(); });
    std::string out;
    for (const std::string_view section : sections) {
        if (!out.empty()) {
            out += '\n';
        }
        std::string header = section.empty() ? std::string("General") : escapeKey(section);
        if (!section.empty() && sameAsciiCaseless(header, "general")) {
            header = "%" + header;
        }
        out += "[" + header + "]\n";
        for (const Entry& entry : entries_) {
            const auto [group, name] = splitKey(entry.key);
            if (group == section) {
                out += escapeKey(name) + "=" + entry.written + "\n";
            }
        }
    }
    return out;
}

IniDocument::Entry* IniDocument::find(std::string_view key) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [key](const Entry& entry) { return entry.key == key; });
    return it == entries_.end() ? nullptr : &*it;
}

const IniDocument::Entry* IniDocument::find(std::string_view key) const {
    return const_cast<IniDocument*>(this)->find(key);
}

std::optional<std::string> IniDocument::text(std::string_view key) const {
    const Entry* entry = find(key);
    return entry != nullptr ? entry->text : std::nullopt;
}

bool IniDocument::contains(std::string_view key) const {
    return find(key) != nullptr;
}

bool IniDocument::hasGroup(std::string_view group) const {
    return std::any_of(entries_.begin(), entries_.end(), [group](const Entry& entry) {
        return entry.key.size() > group.size() && entry.key[group.size()] == '/' &&
               std::string_view(entry.key).starts_with(group);
    });
}

void IniDocument::setText(std::string_view rawKey, std::string_view value) {
    const std::string key = normalizedKey(rawKey);
    Entry entry{key, std::string(value), escapeValue(value)};
    if (Entry* existing = find(key)) {
        *existing = std::move(entry);
    } else {
        entries_.push_back(std::move(entry));
    }
}

void IniDocument::removeValue(std::string_view key) {
    std::erase_if(entries_, [key](const Entry& entry) { return entry.key == key; });
}

void IniDocument::removeGroup(std::string_view group) {
    std::erase_if(entries_, [group](const Entry& entry) {
        return entry.key.size() > group.size() && entry.key[group.size()] == '/' &&
               std::string_view(entry.key).starts_with(group);
    });
}

}  // namespace banmen
