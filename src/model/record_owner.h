#pragma once
// RecordOwner holds one game record with its descriptor table, the folder
// against which its media are resolved, the modified flag and the change
// notification. The editor and the game engine each own one.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/edit_state.h"
#include "model/field_descriptor.h"
#include "model/game_record.h"

namespace banmen {

class RecordOwner {
  public:
    RecordOwner();  // the record starts with the new-game defaults
    // Starts with a copy of `record` instead: the defaults read the default
    // image folder through the settings, which owners made on other threads
    // must not do.
    explicit RecordOwner(const GameRecord& record);
    virtual ~RecordOwner();
    RecordOwner(const RecordOwner&) = delete;
    RecordOwner& operator=(const RecordOwner&) = delete;

    GameRecord& record() { return *record_; }
    const GameRecord& record() const { return *record_; }

    // The workspace folder (native path) against which media are resolved.
    const std::string& folder() const { return folder_; }
    void setFolder(std::string folder) { folder_ = std::move(folder); }

    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    // While off (whole-record loads and resets) setters still change fields,
    // set the modified flag and call FieldChanged, but never FieldRedraw.
    bool notificationsOn() const { return notifications_; }
    void setNotifications(bool on) { notifications_ = on; }

    // Descriptors. `group` is one object's fields in table order; `field`
    // finds one (nullptr when the kind, index, field or sub does not exist).
    std::span<const FieldDescriptor> group(ObjectKind kind, int index) const;
    const FieldDescriptor* field(ObjectKind kind, int index, std::int32_t fieldId,
                                 int sub = 0) const;
    const FieldDescriptor* fieldByIdentifier(std::string_view identifier) const;
    std::span<const FieldDescriptor> allFields() const { return fields_; }

    // Reading a field through its descriptor.
    std::string_view text(const FieldDescriptor& field) const;
    std::int32_t number(const FieldDescriptor& field) const;

    // Writes only a changed value; a change sets the modified flag and calls
    // FieldChanged, then (numbers only, notifications on, redraw flag set)
    // FieldRedraw. Mark fields are written directly, without either.
    void SetText(const FieldDescriptor& field, std::string_view cp932);
    void SetNumber(const FieldDescriptor& field, std::int32_t value);

    // Every number of the group to its default, every text empty, marks 0.
    void ResetToDefault(ObjectKind kind, int index);
    // The whole new game; leaves the modified flag set (callers clear it).
    void ApplyNewGameDefaults();

    // Copies a whole record in with notifications off and switches them on
    // afterwards. Neither the modified flag nor the observers are touched:
    // callers set the flag and the folder, then call notifyRecordReplaced.
    void replaceRecord(const GameRecord& source);

    // Tells the owner's observers that the whole record changed.
    void notifyRecordReplaced() { RecordReplaced(); }

    // Route mode and the automatic placement (object list operations). Back
    // to its start whenever the record is reset or replaced, so no route-mode
    // numbering outlives the squares it was given to.
    EditState& editState() { return edit_; }
    const EditState& editState() const { return edit_; }

    // The route-mode numbering changed: the map shows it. Called by the
    // route-mode operations, which write the record without descriptors.
    void notifyRouteRedraw() { RouteRedraw(); }

  protected:
    // The two handlers an owner provides, and the whole-record change (after
    // open, create, close). The defaults do nothing.
    virtual void FieldChanged(const FieldDescriptor& field);
    virtual void FieldRedraw(const FieldDescriptor& field);
    virtual void RecordReplaced();
    virtual void RouteRedraw();

  private:
    void buildDescriptors();
    std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(record_.get()); }
    const std::uint8_t* bytes() const {
        return reinterpret_cast<const std::uint8_t*>(record_.get());
    }

    std::unique_ptr<GameRecord> record_;
    std::string folder_;
    bool modified_ = false;
    bool notifications_ = true;
    EditState edit_;
    std::vector<FieldDescriptor> fields_;
    // Start of each kind's groups in fields_, and the size of one group.
    struct KindGroups {
        std::size_t first = 0;
        std::size_t perObject = 0;
        int count = 0;
    };
    KindGroups groups_[7];
};

}  // namespace banmen
