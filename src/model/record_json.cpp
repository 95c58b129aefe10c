// Writing the JSON form of a record; reading it back is record_json_load.cpp.

#include "model/record_json.h"

#include <algorithm>
#include <cstring>

#include "model/json_value.h"
#include "model/record_json_layout.h"

namespace banmen {
namespace {

using recordjson::ReservedArea;

JsonValue encodeElement(const std::uint8_t* at, const FieldSpec& spec) {
    if (spec.type == FieldType::Text) {
        if (std::optional<std::string> text = recordjson::plainText(at, spec)) {
            return JsonValue::string(std::move(*text));
        }
        JsonValue bytes = JsonValue::object();
        bytes.set("bytes", JsonValue::string(recordjson::toHex(at, spec.width)));
        return bytes;
    }
    std::int32_t value;
    std::memcpy(&value, at, sizeof value);
    return JsonValue::integer(value);
}

JsonValue encodeField(const std::uint8_t* block, const FieldSpec& spec) {
    if (spec.count == 1) {
        return encodeElement(block + spec.offset, spec);
    }
    JsonValue array = JsonValue::array();
    for (int i = 0; i < spec.count; ++i) {
        array.append(encodeElement(block + recordjson::elementOffset(spec, i), spec));
    }
    return array;
}

void encodeReserved(const std::uint8_t* base, const ReservedArea& area, JsonValue& object) {
    const std::uint8_t* at = base + area.offset;
    if (std::any_of(at, at + area.size, [](std::uint8_t b) { return b != 0; })) {
        object.set(area.name, JsonValue::string(recordjson::toHex(at, area.size)));
    }
}

JsonValue encodeBlock(const std::uint8_t* block, ObjectKind kind, int index) {
    JsonValue object = JsonValue::object();
    if (recordjson::isSlotKind(kind)) {
        object.set("index", JsonValue::integer(index));
    }
    for (const FieldSpec& spec : fieldSpecs(kind)) {
        object.set(spec.name, encodeField(block, spec));
    }
    for (const ReservedArea& area : recordjson::blockReserved(kind)) {
        encodeReserved(block, area, object);
    }
    return object;
}

JsonValue encodeKind(const std::uint8_t* record, ObjectKind kind, bool allSlots) {
    const BlockSpec& spec = blockSpec(kind);
    const std::vector<std::uint8_t>& fresh = recordjson::freshSlot(kind);
    JsonValue array = JsonValue::array();
    for (int i = 0; i < spec.count; ++i) {
        const std::uint8_t* block = record + spec.base + static_cast<std::size_t>(i) * spec.size;
        // A fresh slot has an empty name, so it is never one in use.
        if (recordjson::isSlotKind(kind) && !allSlots &&
            std::memcmp(block, fresh.data(), spec.size) == 0) {
            continue;
        }
        if (kind == ObjectKind::Game) {
            return encodeBlock(block, kind, i);
        }
        array.append(encodeBlock(block, kind, i));
    }
    return array;
}

}  // namespace

std::string recordToJson(const GameRecord& record, bool allSlots) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);

    // Top-level items in the order they lie in the record.
    struct Item {
        std::uint32_t offset;
        const FieldSpec* field;
        const ReservedArea* reserved;
        ObjectKind kind;
    };
    std::vector<Item> items;
    for (const FieldSpec& spec : recordjson::headerFields()) {
        items.push_back({spec.offset, &spec, nullptr, ObjectKind::Game});
    }
    for (const ReservedArea& area : recordjson::recordReserved()) {
        items.push_back({area.offset, nullptr, &area, ObjectKind::Game});
    }
    for (ObjectKind kind : allKinds()) {
        items.push_back({blockSpec(kind).base, nullptr, nullptr, kind});
    }
    std::sort(items.begin(), items.end(),
              [](const Item& a, const Item& b) { return a.offset < b.offset; });

    JsonValue root = JsonValue::object();
    for (const Item& item : items) {
        if (item.field != nullptr) {
            root.set(item.field->name, encodeField(bytes, *item.field));
        } else if (item.reserved != nullptr) {
            encodeReserved(bytes, *item.reserved, root);
        } else {
            root.set(blockSpec(item.kind).name, encodeKind(bytes, item.kind, allSlots));
        }
    }
    return writeJson(root);
}

}  // namespace banmen
