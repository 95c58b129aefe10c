#include "model/record_owner.h"

#include <cstdio>
#include <cstring>

#include "model/text_field.h"

namespace banmen {
namespace {

std::size_t kindSlot(ObjectKind kind) {
    return static_cast<std::size_t>(toInt(kind) - 1);
}

// Every number of an identifier has three digits (all are below 1000).
unsigned three(std::int32_t n) {
    return static_cast<unsigned>(n) % 1000u;
}

}  // namespace

RecordOwner::RecordOwner() : record_(std::make_unique<GameRecord>()) {
    std::memset(record_.get(), 0, sizeof(GameRecord));
    buildDescriptors();
    ApplyNewGameDefaults();
}

RecordOwner::RecordOwner(const GameRecord& record) : record_(std::make_unique<GameRecord>(record)) {
    buildDescriptors();
}

RecordOwner::~RecordOwner() = default;

void RecordOwner::buildDescriptors() {
    std::size_t total = 0;
    for (ObjectKind kind : allKinds()) {
        std::size_t perObject = 0;
        for (const FieldSpec& spec : fieldSpecs(kind)) {
            perObject += static_cast<std::size_t>(spec.count);
        }
        KindGroups& groups = groups_[kindSlot(kind)];
        groups.first = total;
        groups.perObject = perObject;
        groups.count = blockSpec(kind).count;
        total += perObject * static_cast<std::size_t>(groups.count);
    }
    fields_.reserve(total);
    for (ObjectKind kind : allKinds()) {
        const BlockSpec& block = blockSpec(kind);
        for (int index = 0; index < block.count; ++index) {
            std::size_t blockStart = block.base + static_cast<std::size_t>(index) * block.size;
            for (const FieldSpec& spec : fieldSpecs(kind)) {
                for (int sub = 0; sub < spec.count; ++sub) {
                    FieldDescriptor d;
                    d.kind = toInt(kind);
                    d.index = index;
                    d.fieldId = spec.fieldId;
                    d.sub = spec.count > 1 ? sub : 0;
                    d.offset =
                        blockStart + spec.offset + static_cast<std::size_t>(sub) * spec.stride;
                    d.spec = &spec;
                    d.owner = this;
                    std::snprintf(d.identifier, sizeof d.identifier, "OBJ%03u%03u%03u%03u",
                                  three(d.kind), three(d.index), three(d.fieldId), three(d.sub));
                    fields_.push_back(d);
                }
            }
        }
    }
}

std::span<const FieldDescriptor> RecordOwner::group(ObjectKind kind, int index) const {
    const KindGroups& groups = groups_[kindSlot(kind)];
    if (index < 0 || index >= groups.count) {
        return {};
    }
    return std::span<const FieldDescriptor>(fields_).subspan(
        groups.first + groups.perObject * static_cast<std::size_t>(index), groups.perObject);
}

const FieldDescriptor* RecordOwner::field(ObjectKind kind, int index, std::int32_t fieldId,
                                          int sub) const {
    for (const FieldDescriptor& d : group(kind, index)) {
        if (d.fieldId == fieldId && d.sub == sub) {
            return &d;
        }
    }
    return nullptr;
}

const FieldDescriptor* RecordOwner::fieldByIdentifier(std::string_view identifier) const {
    int kind = 0, index = 0, fieldId = 0, sub = 0;
    if (identifier.size() != 15 || identifier.substr(0, 3) != "OBJ") {
        return nullptr;
    }
    std::string text(identifier);
    if (std::sscanf(text.c_str(), "OBJ%3d%3d%3d%3d", &kind, &index, &fieldId, &sub) != 4 ||
        kind < 1 || kind > 7) {
        return nullptr;
    }
    return field(static_cast<ObjectKind>(kind), index, fieldId, sub);
}

std::string_view RecordOwner::text(const FieldDescriptor& field) const {
    return fieldText(reinterpret_cast<const char*>(bytes() + field.offset), field.limit() + 1);
}

std::int32_t RecordOwner::number(const FieldDescriptor& field) const {
    std::int32_t value;
    std::memcpy(&value, bytes() + field.offset, sizeof value);
    return value;
}

void RecordOwner::SetText(const FieldDescriptor& field, std::string_view cp932) {
    char* target = reinterpret_cast<char*>(bytes() + field.offset);
    if (fieldHolds(target, field.limit(), cp932)) {
        return;
    }
    storeFieldText(target, field.limit(), cp932);
    modified_ = true;
    FieldChanged(field);
}

void RecordOwner::SetNumber(const FieldDescriptor& field, std::int32_t value) {
    if (number(field) == value) {
        return;
    }
    std::memcpy(bytes() + field.offset, &value, sizeof value);
    if (field.isMark()) {
        return;
    }
    modified_ = true;
    FieldChanged(field);
    if (notifications_ && field.redraws()) {
        FieldRedraw(field);
    }
}

void RecordOwner::ResetToDefault(ObjectKind kind, int index) {
    for (const FieldDescriptor& d : group(kind, index)) {
        switch (d.spec->type) {
            case FieldType::Text:
                SetText(d, {});
                break;
            case FieldType::Number:
                SetNumber(d, d.defaultValue());
                break;
            case FieldType::Mark:
                SetNumber(d, 0);
                break;
        }
    }
}

void RecordOwner::replaceRecord(const GameRecord& source) {
    notifications_ = false;
    std::memcpy(record_.get(), &source, sizeof(GameRecord));
    edit_ = EditState{};
    notifications_ = true;
}

void RecordOwner::FieldChanged(const FieldDescriptor&) {}
void RecordOwner::FieldRedraw(const FieldDescriptor&) {}
void RecordOwner::RecordReplaced() {}
void RecordOwner::RouteRedraw() {}

void SetText(const FieldDescriptor& field, std::string_view cp932) {
    field.owner->SetText(field, cp932);
}

void SetNumber(const FieldDescriptor& field, std::int32_t value) {
    field.owner->SetNumber(field, value);
}

}  // namespace banmen
