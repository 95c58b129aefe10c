#pragma once
// A property page built from its kind's table of rows (page_rows.h): a
// label and a field widget per row in a column that scrolls vertically when
// the rows do not fit, and the help area (control 1059) at the foot, which
// shows the help text of the focused control.
//
// The page writes through the document, one undo step per change, and
// follows the record when it changes underneath (undo, a map drag, a
// paste): after every change it did not make itself it shows the record
// again, field by field, leaving input that was not yet written alone.
//
// Picking: a square reference's LOCKON (or the map's "経路追加") starts
// picking a square with the mouse; see SquarePicker.

#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "editor/document/document_change.h"
#include "editor/pages/page_rows.h"
#include "editor/pages/property_page.h"

class QAbstractButton;
class QLabel;
class QScrollArea;

namespace banmen {

class EditorDocument;
class EditorWindow;
class PageField;
class RecordOwner;
class SquarePicker;
struct FieldDescriptor;
struct GameRecord;
struct Selection;

class TablePage : public PropertyPage {
    Q_OBJECT

  public:
    static constexpr int kHelpHeight = 140;

    TablePage(ObjectKind kind, EditorWindow& window, QWidget* parent);
    ~TablePage() override;

    // --- PropertyPage
    void load(int index) override;
    bool readControls() override;
    bool startPicking(int controlId) override;

    // --- What the fields use
    EditorWindow& window() { return window_; }
    EditorDocument& document();
    const GameRecord& record() const;
    const FieldDescriptor* descriptor(std::int32_t fieldId, int sub) const;
    // True while the page moves values between the record and its controls;
    // button handlers and help requests do nothing then.
    bool exchanging() const { return exchanging_ > 0; }
    // Runs `body` as an exchange (the controls' change signals are ignored).
    void exchange(const std::function<void()>& body);
    // One undo step "<object>の<row label>". The page shows the record again
    // afterwards. True when the record changed.
    bool edit(const RowSpec& row, const std::function<void(RecordOwner&)>& change,
              const QString& mergeKey = {});
    // The merge key of typing in a field: the same from the focus entering
    // the control until it leaves.
    QString typingKey(const FieldDescriptor& field) const;
    // Tells the user why the input was refused and puts the focus there.
    void refuse(const QString& message, QWidget* control);
    // Registers a control: its object name becomes "control<id>", its focus
    // shows the field's help and its double-click goes to the field.
    void addControl(QWidget* control, int id, PageField* field);
    // The help area's text (unless exchanging).
    void showHelp(const QString& text);
    QString helpShown() const;
    // Every field from the record where it changed.
    void refresh();
    // Selects an object in the window (double-click on a reference).
    void selectObject(Selection object);
    // LOCKON pressed on a square reference.
    void beginPicking(PageField* field, QAbstractButton* button);
    bool picking() const;

    QScrollArea* scrollArea() const { return scroll_; }
    const std::vector<PageField*>& fields() const { return fields_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void build();
    void onDocumentChanged(const DocumentChange& change);
    void controlFocused(PageField* field, int control, bool newTyping);
    PageField* fieldOfControl(int controlId) const;

    EditorWindow& window_;
    EditorDocument& document_;
    QScrollArea* scroll_ = nullptr;
    QLabel* help_ = nullptr;
    std::vector<PageField*> fields_;
    struct Control {
        PageField* field;
        int id;
    };
    QHash<const QObject*, Control> controls_;
    std::unique_ptr<SquarePicker> picker_;
    int exchanging_ = 0;
    bool writing_ = false;
    int focusSerial_ = 0;
};

}  // namespace banmen
