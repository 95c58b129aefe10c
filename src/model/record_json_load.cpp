// Reading the JSON form of a record (record_json.h). Every failure names the
// place in the JSON: "settings.title", "players[0].stateTexts[2]",
// "squares[17].name" (for slots, the number is the slot's index).

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

#include "model/json_value.h"
#include "model/record_json.h"
#include "model/record_json_layout.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

using recordjson::ReservedArea;

Status failAt(const std::string& path, const std::string& what) {
    return Status::error(path + ": " + what);
}

Status wrongType(const std::string& path, std::string_view expected, const JsonValue& got) {
    return failAt(path, "expected " + std::string(expected) + ", got " +
                            std::string(jsonTypeName(got.type())));
}

// A key as it appears in a path: bare when it is a plain name, else quoted
// (so that no key can break a one-line message).
std::string keyText(std::string_view key) {
    const bool plain = !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
    return plain ? std::string(key) : quoteJson(key);
}

std::string memberPath(const std::string& prefix, std::string_view key) {
    return prefix.empty() ? keyText(key) : prefix + "." + keyText(key);
}

// The first character of a UTF-8 text that has no Shift-JIS code.
std::string firstUnwritable(std::string_view utf8) {
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        length = std::min(length, utf8.size() - at);
        std::string_view character = utf8.substr(at, length);
        if (!sjis::fromUtf8(character)) {
            return std::string(character);
        }
        at += length;
    }
    return std::string(utf8);  // only the whole fails: show the whole
}

Status decodeText(const JsonValue& value, const FieldSpec& spec, std::uint8_t* at,
                  const std::string& path) {
    if (value.isObject()) {
        for (const JsonMember& member : value.members()) {
            if (member.key != "bytes") {
                return failAt(memberPath(path, member.key), "unknown key");
            }
        }
        const JsonValue* hex = value.find("bytes");
        if (hex == nullptr) {
            return failAt(path + ".bytes", "missing");
        }
        if (!hex->isString()) {
            return wrongType(path + ".bytes", "a string of hex digits", *hex);
        }
        std::string reason;
        if (!recordjson::fromHex(hex->asString(), {at, spec.width}, reason)) {
            return failAt(path + ".bytes", reason);
        }
        return Status::ok();
    }
    if (!value.isString()) {
        return wrongType(path, "a text (a string, or {\"bytes\": \"<hex>\"})", value);
    }
    const std::string& utf8 = value.asString();
    if (utf8.find('\0') != std::string::npos) {
        return failAt(path, "text contains a NUL character");
    }
    std::optional<std::string> cp932 = sjis::fromUtf8(utf8);
    if (!cp932) {
        return failAt(path, quoteJson(firstUnwritable(utf8)) + " cannot be written in Shift-JIS");
    }
    if (cp932->size() > spec.limit) {
        return failAt(path, "text is " + std::to_string(cp932->size()) +
                                " bytes in Shift-JIS, the limit is " + std::to_string(spec.limit));
    }
    std::memset(at, 0, spec.width);
    std::memcpy(at, cp932->data(), cp932->size());
    return Status::ok();
}

Status decodeNumber(const JsonValue& value, std::uint8_t* at, const std::string& path) {
    if (!value.isInteger()) {
        return wrongType(path, "an integer", value);
    }
    const std::int64_t wide = value.asInteger();
    if (wide < std::numeric_limits<std::int32_t>::min() ||
        wide > std::numeric_limits<std::int32_t>::max()) {
        return failAt(
            path, std::to_string(wide) + " is outside the 32-bit range (-2147483648..2147483647)");
    }
    const auto number = static_cast<std::int32_t>(wide);
    std::memcpy(at, &number, sizeof number);
    return Status::ok();
}

Status decodeElement(const JsonValue& value, const FieldSpec& spec, std::uint8_t* at,
                     const std::string& path) {
    return spec.type == FieldType::Text ? decodeText(value, spec, at, path)
                                        : decodeNumber(value, at, path);
}

Status decodeField(const JsonValue& value, const FieldSpec& spec, std::uint8_t* block,
                   const std::string& path) {
    if (spec.count == 1) {
        return decodeElement(value, spec, block + spec.offset, path);
    }
    const std::string expected = "an array of " + std::to_string(spec.count) + " elements";
    if (!value.isArray()) {
        return wrongType(path, expected, value);
    }
    if (value.elements().size() != static_cast<std::size_t>(spec.count)) {
        return failAt(path, "expected " + std::to_string(spec.count) + " elements, got " +
                                std::to_string(value.elements().size()));
    }
    for (int i = 0; i < spec.count; ++i) {
        const std::string elementPath = path + "[" + std::to_string(i) + "]";
        if (Status decoded = decodeElement(value.elements()[static_cast<std::size_t>(i)], spec,
                                           block + recordjson::elementOffset(spec, i), elementPath);
            !decoded) {
            return decoded;
        }
    }
    return Status::ok();
}

Status decodeReserved(const JsonValue* value, const ReservedArea& area, std::uint8_t* base,
                      const std::string& path) {
    std::uint8_t* at = base + area.offset;
    if (value == nullptr) {
        std::memset(at, 0, area.size);
        return Status::ok();
    }
    if (!value->isString()) {
        return wrongType(path, "a string of hex digits", *value);
    }
    std::string reason;
    if (!recordjson::fromHex(value->asString(), {at, area.size}, reason)) {
        return failAt(path, reason);
    }
    return Status::ok();
}

bool isFieldOrReserved(std::string_view key, std::span<const FieldSpec> fields,
                       const std::vector<ReservedArea>& reserved) {
    return std::any_of(fields.begin(), fields.end(),
                       [&](const FieldSpec& spec) { return key == spec.name; }) ||
           std::any_of(reserved.begin(), reserved.end(),
                       [&](const ReservedArea& area) { return key == area.name; });
}

// Every field (required) and reserved area (zero when absent) of one object;
// `prefix` is the object's path.
Status decodeMembers(const JsonValue& object, std::span<const FieldSpec> fields,
                     const std::vector<ReservedArea>& reserved, std::uint8_t* base,
                     const std::string& prefix) {
    for (const FieldSpec& spec : fields) {
        const JsonValue* value = object.find(spec.name);
        if (value == nullptr) {
            return failAt(memberPath(prefix, spec.name), "missing");
        }
        if (Status decoded = decodeField(*value, spec, base, memberPath(prefix, spec.name));
            !decoded) {
            return decoded;
        }
    }
    for (const ReservedArea& area : reserved) {
        if (Status decoded =
                decodeReserved(object.find(area.name), area, base, memberPath(prefix, area.name));
            !decoded) {
            return decoded;
        }
    }
    return Status::ok();
}

// One block's object. `extraKey` is a key the caller handles itself (the
// `index` of a slot).
Status decodeBlock(const JsonValue& object, ObjectKind kind, std::uint8_t* block,
                   const std::string& prefix, std::string_view extraKey) {
    const std::vector<ReservedArea>& reserved = recordjson::blockReserved(kind);
    for (const JsonMember& member : object.members()) {
        if (member.key != extraKey && !isFieldOrReserved(member.key, fieldSpecs(kind), reserved)) {
            return failAt(memberPath(prefix, member.key), "unknown key");
        }
    }
    return decodeMembers(object, fieldSpecs(kind), reserved, block, prefix);
}

std::uint8_t* blockAt(std::uint8_t* record, const BlockSpec& spec, int index) {
    return record + spec.base + static_cast<std::size_t>(index) * spec.size;
}

// Players, states, data items: every block, in order.
Status decodeAllBlocks(const JsonValue& value, ObjectKind kind, std::uint8_t* record) {
    const BlockSpec& spec = blockSpec(kind);
    const std::string name = spec.name;
    const std::string expected = "an array of " + std::to_string(spec.count) + " elements";
    if (!value.isArray()) {
        return wrongType(name, expected, value);
    }
    if (value.elements().size() != static_cast<std::size_t>(spec.count)) {
        return failAt(name, "expected " + std::to_string(spec.count) + " elements, got " +
                                std::to_string(value.elements().size()));
    }
    for (int i = 0; i < spec.count; ++i) {
        const JsonValue& element = value.elements()[static_cast<std::size_t>(i)];
        const std::string path = name + "[" + std::to_string(i) + "]";
        if (!element.isObject()) {
            return wrongType(path, "an object", element);
        }
        if (Status decoded = decodeBlock(element, kind, blockAt(record, spec, i), path, {});
            !decoded) {
            return decoded;
        }
    }
    return Status::ok();
}

// Squares, images, sounds: the listed slots by their index; the rest stay
// freshly reset.
Status decodeSlots(const JsonValue& value, ObjectKind kind, std::uint8_t* record) {
    const BlockSpec& spec = blockSpec(kind);
    const std::string name = spec.name;
    if (!value.isArray()) {
        return wrongType(name, "an array", value);
    }
    std::vector<int> listedAt(static_cast<std::size_t>(spec.count), -1);
    for (std::size_t position = 0; position < value.elements().size(); ++position) {
        const JsonValue& element = value.elements()[position];
        const std::string where = name + ", element " + std::to_string(position);
        if (!element.isObject()) {
            return wrongType(where, "an object", element);
        }
        const JsonValue* index = element.find("index");
        if (index == nullptr) {
            return failAt(where, "missing \"index\"");
        }
        if (!index->isInteger()) {
            return wrongType(where + ".index", "an integer", *index);
        }
        const std::string path = name + "[" + std::to_string(index->asInteger()) + "]";
        if (index->asInteger() < 0 || index->asInteger() >= spec.count) {
            return failAt(path, "index out of range (0.." + std::to_string(spec.count - 1) + ")");
        }
        const auto slot = static_cast<int>(index->asInteger());
        int& seen = listedAt[static_cast<std::size_t>(slot)];
        if (seen >= 0) {
            return failAt(path, "duplicate index (elements " + std::to_string(seen) + " and " +
                                    std::to_string(position) + ")");
        }
        seen = static_cast<int>(position);
        if (Status decoded = decodeBlock(element, kind, blockAt(record, spec, slot), path, "index");
            !decoded) {
            return decoded;
        }
    }
    return Status::ok();
}

Status decodeRecord(const JsonValue& root, std::uint8_t* record) {
    if (!root.isObject()) {
        return wrongType("top level", "an object", root);
    }
    const std::span<const FieldSpec> header = recordjson::headerFields();
    const std::vector<ReservedArea>& reserved = recordjson::recordReserved();
    for (const JsonMember& member : root.members()) {
        const bool known = isFieldOrReserved(member.key, header, reserved) ||
                           std::any_of(allKinds().begin(), allKinds().end(), [&](ObjectKind kind) {
                               return member.key == blockSpec(kind).name;
                           });
        if (!known) {
            return failAt(keyText(member.key), "unknown key");
        }
    }
    if (Status decoded = decodeMembers(root, header, reserved, record, {}); !decoded) {
        return decoded;
    }
    for (ObjectKind kind : allKinds()) {
        const BlockSpec& spec = blockSpec(kind);
        const JsonValue* value = root.find(spec.name);
        if (value == nullptr) {
            return failAt(spec.name, "missing");
        }
        Status decoded;
        if (kind == ObjectKind::Game) {
            if (!value->isObject()) {
                return wrongType(spec.name, "an object", *value);
            }
            decoded = decodeBlock(*value, kind, blockAt(record, spec, 0), spec.name, {});
        } else if (recordjson::isSlotKind(kind)) {
            decoded = decodeSlots(*value, kind, record);
        } else {
            decoded = decodeAllBlocks(*value, kind, record);
        }
        if (!decoded) {
            return decoded;
        }
    }
    return Status::ok();
}

}  // namespace

Status recordFromJson(std::string_view json, GameRecord& out) {
    JsonValue root;
    if (Status parsed = parseJson(json, root); !parsed) {
        return parsed;
    }
    auto scratch = std::make_unique<GameRecord>();
    auto* bytes = reinterpret_cast<std::uint8_t*>(scratch.get());
    std::memset(bytes, 0, sizeof(GameRecord));
    for (ObjectKind kind : allKinds()) {
        if (!recordjson::isSlotKind(kind)) {
            continue;
        }
        const BlockSpec& spec = blockSpec(kind);
        const std::vector<std::uint8_t>& fresh = recordjson::freshSlot(kind);
        for (int i = 0; i < spec.count; ++i) {
            std::memcpy(blockAt(bytes, spec, i), fresh.data(), spec.size);
        }
    }
    if (Status decoded = decodeRecord(root, bytes); !decoded) {
        return decoded;
    }
    std::memcpy(&out, scratch.get(), sizeof(GameRecord));
    return Status::ok();
}

}  // namespace banmen
