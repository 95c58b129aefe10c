#include "editor/dialogs/analysis_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/lint.h"
#include "editor/commands/command_ids.h"
#include "editor/dialogs/analysis_texts.h"
#include "editor/dialogs/heat_map_overlay.h"
#include "editor/document/editor_document.h"
#include "editor/map/map_view.h"
#include "editor/window/editor_window.h"

namespace banmen {
namespace {

constexpr int kFindingRole = Qt::UserRole;
constexpr std::uint32_t kSeed = 1;  // the same board gives the same report
constexpr int kMaxTurns = 1000;
constexpr int kFewestGames = 100;
constexpr int kMostGames = 1000000;

// Long findings wrap onto more lines instead of being cut: the height of a
// row is worked out for the width of the list's one column.
class WrappingDelegate : public QStyledItemDelegate {
  public:
    explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), view_(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const int depth = index.parent().isValid() ? 2 : 1;
        // The style's text margins, on both sides, with room to spare.
        const int margins = 2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 2);
        const int width = view_->columnWidth(0) - view_->indentation() * depth - margins;
        if (width > 0) {
            const QVariant font = index.data(Qt::FontRole);
            const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : option.font);
            const QRect text = metrics.boundingRect(QRect(0, 0, width, 0), Qt::TextWordWrap,
                                                    index.data(Qt::DisplayRole).toString());
            size.setHeight(std::max(size.height(), text.height() + 2));
        }
        return size;
    }

  private:
    QTreeView* view_;
};

QString summaryTable(const std::vector<SummaryRow>& rows) {
    QString html = QStringLiteral("<table cellspacing=\"2\">");
    for (const SummaryRow& row : rows) {
        html += QStringLiteral("<tr><td style=\"padding-right:8px\"><b>%1</b></td><td>%2</td></tr>")
                    .arg(row.label.toHtmlEscaped(), row.value.toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

}  // namespace

AnalysisWindow::AnalysisWindow(EditorWindow& window) : QWidget(&window, Qt::Tool), window_(window) {
    setObjectName("analysisWindow");
    setWindowTitle(QStringLiteral("ゲームの解析"));
    resize(kWidth, kHeight);
    buildWidgets();

    overlay_ = new HeatMapOverlay(window.document(), window.clientArea());
    overlay_->hide();

    connect(&runner_, &AnalysisRunner::progressed, this, &AnalysisWindow::onProgress);
    connect(&runner_, &AnalysisRunner::finished, this, &AnalysisWindow::onFinished);
    connect(&window.document(), &EditorDocument::changed, this, &AnalysisWindow::onDocumentChanged);
    // Runs hide the map, so the heat map goes with it; the re-run follows
    // the menu item's state.
    connect(&window, &EditorWindow::menusUpdated, this, [this] {
        const QAction* item = window_.action(kCmdAnalyze);
        analyzeButton_->setEnabled(item == nullptr || item->isEnabled());
        updateOverlay();
    });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { runner_.stop(); });
}

AnalysisWindow::~AnalysisWindow() {
    runner_.stop();
    delete overlay_;
}

AnalysisWindow& AnalysisWindow::of(EditorWindow& window) {
    if (auto* existing = window.findChild<AnalysisWindow*>(QString(), Qt::FindDirectChildrenOnly)) {
        return *existing;
    }
    return *new AnalysisWindow(window);
}

void AnalysisWindow::buildWidgets() {
    auto* layout = new QVBoxLayout(this);

    auto* options = new QHBoxLayout;
    options->addWidget(new QLabel(QStringLiteral("対局数:"), this));
    games_ = new QSpinBox(this);
    games_->setObjectName("gamesBox");
    games_->setRange(kFewestGames, kMostGames);
    games_->setSingleStep(1000);
    games_->setValue(kDefaultGames);
    options->addWidget(games_);
    options->addStretch();
    analyzeButton_ = new QPushButton(QStringLiteral("再解析(&R)"), this);
    analyzeButton_->setObjectName("analyzeButton");
    options->addWidget(analyzeButton_);
    layout->addLayout(options);

    auto* run = new QHBoxLayout;
    progress_ = new QProgressBar(this);
    progress_->setObjectName("progressBar");
    run->addWidget(progress_, 1);
    cancelButton_ = new QPushButton(QStringLiteral("中止(&C)"), this);
    cancelButton_->setObjectName("cancelButton");
    run->addWidget(cancelButton_);
    layout->addLayout(run);

    status_ = new QLabel(this);
    status_->setObjectName("statusLabel");
    status_->setWordWrap(true);
    layout->addWidget(status_);

    auto* summaryBox = new QGroupBox(QStringLiteral("対局の結果"), this);
    auto* summaryLayout = new QVBoxLayout(summaryBox);
    summary_ = new QLabel(summaryBox);
    summary_->setObjectName("summaryLabel");
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    summaryLayout->addWidget(summary_);
    layout->addWidget(summaryBox);

    findingsBox_ = new QGroupBox(QStringLiteral("問題点"), this);
    auto* findingsLayout = new QVBoxLayout(findingsBox_);
    findingList_ = new QTreeWidget(findingsBox_);
    findingList_->setObjectName("findingList");
    findingList_->setColumnCount(1);
    findingList_->setHeaderHidden(true);
    findingList_->setWordWrap(true);
    findingList_->setItemDelegate(new WrappingDelegate(findingList_));
    // Row heights follow the width.
    connect(findingList_->header(), &QHeaderView::sectionResized, findingList_, [this] {
        QTimer::singleShot(0, findingList_, [this] { findingList_->doItemsLayout(); });
    });
    findingList_->setToolTip(QStringLiteral("ダブルクリックでその項目を選びます"));
    findingsLayout->addWidget(findingList_);
    layout->addWidget(findingsBox_, 1);

    auto* bottom = new QHBoxLayout;
    heatMapCheck_ = new QCheckBox(QStringLiteral("ヒートマップを表示(&H)"), this);
    heatMapCheck_->setObjectName("heatMapCheck");
    heatMapCheck_->setChecked(true);
    bottom->addWidget(heatMapCheck_);
    bottom->addStretch();
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName("closeButton");
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(analyzeButton_, &QPushButton::clicked, this,
            [this] { window_.runCommand(kCmdAnalyze); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { runner_.cancel(); });
    connect(findingList_, &QTreeWidget::itemActivated, this, &AnalysisWindow::onFindingActivated);
    connect(heatMapCheck_, &QCheckBox::toggled, this, [this] { updateOverlay(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    setRunning(false);
}

void AnalysisWindow::analyze() {
    const EditorDocument& document = window_.document();
    analysedRecord_ = std::make_shared<const GameRecord>(document.record());
    // The linter reads the settings: here, on the user-interface thread.
    findings_ = LintWorkspace(*analysedRecord_, document.folder());
    fillFindings();

    SimulationOptions options;
    options.games = games_->value();
    options.seed = kSeed;
    options.maxTurns = kMaxTurns;
    runner_.start(analysedRecord_, document.folder(), options);
    progress_->setRange(0, games_->value());
    progress_->setValue(0);
    stale_ = false;
    setRunning(true);
    updateStatus();

    open_ = true;
    if (!placed_) {
        placeBesideMap();
    }
    show();
    raise();
    updateOverlay();
}

// To the right of the editor's window when the screen has room, else over
// the property pages: the map stays in sight either way.
void AnalysisWindow::placeBesideMap() {
    placed_ = true;
    const QRect frame = window_.frameGeometry();
    const QScreen* screen = window_.screen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
    QPoint at(frame.right() + 1, frame.top());
    if (!available.isEmpty() && at.x() + kWidth > available.right() + 1) {
        at = window_.clientArea()->mapToGlobal(QPoint(MapView::kWidth, 0));
    }
    move(at);
}

// The findings under one heading per kind, in the linter's order.
void AnalysisWindow::fillFindings() {
    findingList_->clear();
    QTreeWidgetItem* group = nullptr;
    for (std::size_t i = 0; i < findings_.size(); ++i) {
        const Finding& finding = findings_[i];
        if (group == nullptr || i == 0 || findings_[i - 1].code != finding.code) {
            const auto count =
                std::count_if(findings_.begin(), findings_.end(),
                              [&](const Finding& f) { return f.code == finding.code; });
            group = new QTreeWidgetItem(
                findingList_,
                {QStringLiteral("%1（%2 件）").arg(findingKindText(finding.code)).arg(count)});
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
            group->setFlags(Qt::ItemIsEnabled);
            group->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(group, {findingMessage(finding)});
        item->setData(0, kFindingRole, static_cast<int>(i));
        item->setToolTip(0, findingLine(finding));
    }
    if (findings_.empty()) {
        auto* item =
            new QTreeWidgetItem(findingList_, {QStringLiteral("問題は見つかりませんでした")});
        item->setFlags(Qt::NoItemFlags);
    }
    findingsBox_->setTitle(QStringLiteral("問題点（%1 件）").arg(findings_.size()));
}

void AnalysisWindow::onFindingActivated(QTreeWidgetItem* item) {
    const QVariant index = item != nullptr ? item->data(0, kFindingRole) : QVariant();
    // During a run the pages are hidden and the selection is the run's.
    if (!index.isValid() || window_.runState() != RunState::Idle) {
        return;
    }
    window_.selectObject(findingTarget(findings_[static_cast<std::size_t>(index.toInt())]), true);
}

void AnalysisWindow::onProgress(qint64 played, qint64 games) {
    progress_->setMaximum(static_cast<int>(games));
    progress_->setValue(static_cast<int>(played));
    updateStatus();
}

void AnalysisWindow::onFinished(const std::shared_ptr<const SimulationReport>& report) {
    setRunning(false);
    summary_->setText(summaryTable(summaryRows(window_.document().record(), *report)));
    if (overlay_ != nullptr && analysedRecord_ != nullptr) {
        overlay_->setData(HeatMapData::from(*analysedRecord_, *report));
    }
    updateStatus();
    updateOverlay();
    emit analysisFinished();
}

void AnalysisWindow::onDocumentChanged(const DocumentChange& change) {
    if (change.what == DocumentChange::What::Record) {
        forgetResults(
            QStringLiteral("別のワークスペースになりました。「再解析」で解析し直せます。"));
    } else if (change.what == DocumentChange::What::Edit && analysedRecord_ != nullptr && !stale_) {
        stale_ = true;
        updateStatus();
    }
}

// The results belong to a workspace that is no longer open.
void AnalysisWindow::forgetResults(const QString& status) {
    runner_.stop();
    setRunning(false);
    analysedRecord_.reset();
    findings_.clear();
    findingList_->clear();
    findingsBox_->setTitle(QStringLiteral("問題点"));
    summary_->clear();
    if (overlay_ != nullptr) {
        overlay_->setData({});
    }
    stale_ = false;
    status_->setText(status);
    updateOverlay();
}

void AnalysisWindow::setRunning(bool running) {
    progress_->setVisible(running);
    cancelButton_->setVisible(running);
    if (running) {
        summary_->setText(QStringLiteral("対局中…"));
    }
}

void AnalysisWindow::updateStatus() {
    if (runner_.running()) {
        status_->setText(
            QStringLiteral("解析中: %1 / %2 局").arg(progress_->value()).arg(progress_->maximum()));
    } else if (stale_) {
        status_->setText(
            QStringLiteral("解析の後に盤面が変更されています。「再解析」で今の盤面を解析します。"));
    } else {
        status_->clear();
    }
}

void AnalysisWindow::updateOverlay() {
    HeatMapOverlay* overlay = overlay_;
    if (overlay == nullptr) {
        return;
    }
    const bool shown = open_ && heatMapCheck_->isChecked() && !overlay->data().empty() &&
                       window_.runState() == RunState::Idle;
    if (shown) {
        overlay->setGeometry(window_.mapView()->geometry());
        overlay->raise();
    }
    overlay->setVisible(shown);
}

void AnalysisWindow::closeEvent(QCloseEvent* event) {
    if (runner_.running()) {
        summary_->setText(QStringLiteral("解析を中止しました"));
    }
    runner_.stop();
    setRunning(false);
    open_ = false;
    updateStatus();
    updateOverlay();
    QWidget::closeEvent(event);
}

}  // namespace banmen
