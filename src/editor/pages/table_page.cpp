#include "editor/pages/table_page.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "editor/dialogs/styled_label.h"
#include "editor/document/editor_document.h"
#include "editor/document/object_captions.h"
#include "editor/map/map_view.h"
#include "editor/pages/page_field.h"
#include "editor/pages/page_fields.h"
#include "editor/pages/square_picker.h"
#include "editor/window/editor_window.h"
#include "media/font_faces.h"
#include "model/board_place.h"

namespace banmen {
namespace {

constexpr int kLabelWidth = 68;
constexpr int kRowSpacing = 2;

// The pages' labels: "ＭＳ 明朝" 8 points, the sound page's "ＭＳ ゴシック" 9,
// both in the style "標準".
StyledLabel* rowLabel(ObjectKind kind, const char* text, QWidget* parent) {
    const bool sound = kind == ObjectKind::Sound;
    return new StyledLabel(QString::fromUtf8(text),
                           sound ? QStringLiteral("ＭＳ ゴシック") : QStringLiteral("ＭＳ 明朝"),
                           sound ? 90 : 80, QStringLiteral("標準"), parent);
}

}  // namespace

TablePage::TablePage(ObjectKind kind, EditorWindow& window, QWidget* parent)
    : PropertyPage(kind, parent), window_(window), document_(window.document()) {
    picker_ = std::make_unique<SquarePicker>(
        *this,
        [this](const QPoint& global) {
            MapView* map = window_.mapView();
            return map != nullptr ? map->mapFromGlobal(global) : QPoint(-1, -1);
        },
        [this](const QPoint& point) {
            MapView* map = window_.mapView();
            if (map == nullptr || !QRect(0, 0, MapView::kWidth, MapView::kHeight).contains(point)) {
                return -1;
            }
            return static_cast<int>(HitSquare(record(), point.x(), point.y()));
        });
    build();
    connect(&document_, &EditorDocument::changed, this, &TablePage::onDocumentChanged);
}

TablePage::~TablePage() = default;

void TablePage::build() {
    setFont(DefaultFont());
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kRowSpacing);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("rows");
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll_->verticalScrollBar()->setFixedWidth(12);
    auto* rows = new QWidget(scroll_);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 2, 2, 2);
    grid->setHorizontalSpacing(1);
    grid->setVerticalSpacing(kRowSpacing);
    grid->setColumnMinimumWidth(0, kLabelWidth);
    grid->setColumnStretch(1, 1);

    int r = 0;
    for (const RowSpec& row : pageRows(kind())) {
        StyledLabel* label = rowLabel(kind(), row.label, rows);
        label->setFixedWidth(kLabelWidth);
        PageField* field = makePageField(row, *this);
        field->setParent(rows);
        // One-line rows centre their label; the two-line text has it on top.
        const Qt::Alignment across =
            row.type == RowType::TwoLines ? Qt::AlignTop : Qt::AlignVCenter;
        grid->addWidget(label, r, 0, Qt::AlignLeft | across);
        grid->addWidget(field, r, 1);
        fields_.push_back(field);
        ++r;
    }
    grid->setRowStretch(r, 1);
    scroll_->setWidget(rows);
    column->addWidget(scroll_, 1);

    help_ = new QLabel(this);
    help_->setObjectName(QStringLiteral("control%1").arg(kHelpAreaControl));
    help_->setFixedHeight(kHelpHeight);
    help_->setWordWrap(true);
    help_->setTextFormat(Qt::PlainText);
    help_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help_->setFrameShape(QFrame::StyledPanel);
    help_->setFrameShadow(QFrame::Sunken);
    help_->setMargin(3);
    help_->setAutoFillBackground(true);
    QPalette palette = help_->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 240));
    help_->setPalette(palette);
    column->addWidget(help_);
}

// --- PropertyPage

void TablePage::load(int index) {
    picker_->cancel();
    PropertyPage::load(index);
    exchange([this] {
        for (PageField* field : fields_) {
            field->load(true);
        }
    });
    help_->clear();
}

bool TablePage::readControls() {
    picker_->cancel();
    for (PageField* field : fields_) {
        if (!field->read()) {
            return false;
        }
    }
    return true;
}

bool TablePage::startPicking(int controlId) {
    PageField* field = fieldOfControl(controlId);
    if (field == nullptr || isHidden() || picker_->active()) {
        return false;
    }
    beginPicking(field, nullptr);
    return picker_->active();
}

// --- For the fields

EditorDocument& TablePage::document() {
    return document_;
}

const GameRecord& TablePage::record() const {
    return document_.record();
}

const FieldDescriptor* TablePage::descriptor(std::int32_t fieldId, int sub) const {
    return document_.field(kind(), index(), fieldId, sub);
}

void TablePage::exchange(const std::function<void()>& body) {
    ++exchanging_;
    body();
    --exchanging_;
}

bool TablePage::edit(const RowSpec& row, const std::function<void(RecordOwner&)>& change,
                     const QString& mergeKey) {
    const QString caption = objectLabel({kind(), index()}) + QStringLiteral("の") +
                            QString::fromUtf8(row.label).trimmed();
    writing_ = true;
    const bool changed = document_.edit(caption, change, mergeKey);
    writing_ = false;
    refresh();
    return changed;
}

QString TablePage::typingKey(const FieldDescriptor& field) const {
    return QString::fromLatin1(field.identifierText().data(),
                               static_cast<qsizetype>(field.identifierText().size())) +
           QLatin1Char('#') + QString::number(focusSerial_);
}

void TablePage::refuse(const QString& message, QWidget* control) {
    document_.notifier().notify("盤面工房", message.toStdString(), NoticeIcon::Information);
    if (control != nullptr) {
        scroll_->ensureWidgetVisible(control);
        control->setFocus(Qt::OtherFocusReason);
        if (auto* line = qobject_cast<QLineEdit*>(control)) {
            line->selectAll();
        }
    }
}

void TablePage::addControl(QWidget* control, int id, PageField* field) {
    control->setObjectName(QStringLiteral("control%1").arg(id));
    control->installEventFilter(this);
    controls_.insert(control, {field, id});
}

void TablePage::showHelp(const QString& text) {
    if (!exchanging() && help_->text() != text) {
        help_->setText(text);
    }
}

QString TablePage::helpShown() const {
    return help_->text();
}

void TablePage::refresh() {
    exchange([this] {
        for (PageField* field : fields_) {
            field->load(false);
        }
    });
}

void TablePage::selectObject(Selection object) {
    window_.selectObject(object, true);
}

void TablePage::beginPicking(PageField* field, QAbstractButton* button) {
    if (exchanging() || picker_->active()) {
        return;
    }
    if (field->row().pickingHelp != nullptr) {
        showHelp(QString::fromUtf8(field->row().pickingHelp));
    }
    picker_->start(button, [this, field](int square) {
        showHelp(field->helpText(field->row().control));
        if (square >= 0) {
            field->picked(square);
        }
    });
}

bool TablePage::picking() const {
    return picker_->active();
}

// --- Events

bool TablePage::eventFilter(QObject* watched, QEvent* event) {
    const auto it = controls_.constFind(watched);
    if (it == controls_.constEnd()) {
        return PropertyPage::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn) {
        // Coming back to the window or from a menu goes on with the same typing.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        controlFocused(it->field, it->id,
                       reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason);
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        it->field->doubleClicked(it->id);
    }
    return PropertyPage::eventFilter(watched, event);
}

void TablePage::hideEvent(QHideEvent* event) {
    picker_->cancel();
    PropertyPage::hideEvent(event);
}

void TablePage::controlFocused(PageField* field, int control, bool newTyping) {
    if (newTyping) {
        ++focusSerial_;
    }
    if (picker_->active()) {
        return;
    }
    showHelp(field->helpText(control));
    if (kind() == ObjectKind::Square) {
        const int slot = field->row().type == RowType::NextSquare ? field->row().sub : -1;
        if (MapView* map = window_.mapView()) {
            map->setSelection(index(), slot);
        }
    }
}

void TablePage::onDocumentChanged(const DocumentChange& change) {
    if (writing_ || isHidden()) {
        return;
    }
    if (change.what == DocumentChange::What::Edit || change.what == DocumentChange::What::Record) {
        refresh();
    }
}

PageField* TablePage::fieldOfControl(int controlId) const {
    for (PageField* field : fields_) {
        const RowSpec& row = field->row();
        const bool square = row.type == RowType::Square || row.type == RowType::NextSquare;
        if (square && (row.control == controlId || row.buttons[kSelectButton] == controlId)) {
            return field;
        }
    }
    return nullptr;
}

}  // namespace banmen
