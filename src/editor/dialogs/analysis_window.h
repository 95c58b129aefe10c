#pragma once
// The analysis window, a tool window beside the map: the linter's findings
// (a double-click selects the object a finding is about), the summary of
// many simulated games, and the heat map over the map view, which stays on
// until this window is closed or its check box is cleared.
//
// The games are played off the user-interface thread (AnalysisRunner) on a
// copy of the record, with a progress bar and a cancel button meanwhile; the
// editor stays editable. Closing the window or the editor cancels the run.

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "analysis/finding.h"
#include "editor/dialogs/analysis_runner.h"
#include "editor/dialogs/heat_map_overlay.h"
#include "editor/document/document_change.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace banmen {

class EditorWindow;

class AnalysisWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kDefaultGames = 10000;
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 616;

    explicit AnalysisWindow(EditorWindow& window);
    ~AnalysisWindow() override;

    // The window of `window`, made on first use.
    static AnalysisWindow& of(EditorWindow& window);

    // Finds the problems of the record as it is now and starts its games
    // (a run under way is cancelled); shows the window.
    void analyze();
    bool running() const { return runner_.running(); }
    HeatMapOverlay* overlay() const { return overlay_; }

  signals:
    // A run ended and its report is shown (also a cancelled one).
    void analysisFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildWidgets();
    void placeBesideMap();
    void fillFindings();
    void onProgress(qint64 played, qint64 games);
    void onFinished(const std::shared_ptr<const SimulationReport>& report);
    void onDocumentChanged(const DocumentChange& change);
    void onFindingActivated(QTreeWidgetItem* item);
    void setRunning(bool running);
    void forgetResults(const QString& status);
    void updateOverlay();
    void updateStatus();

    EditorWindow& window_;
    AnalysisRunner runner_;
    QPointer<HeatMapOverlay> overlay_;
    std::shared_ptr<const GameRecord> analysedRecord_;
    std::vector<Finding> findings_;
    QString resultText_;
    bool open_ = false;
    bool placed_ = false;
    bool stale_ = false;

    QSpinBox* games_ = nullptr;
    QPushButton* analyzeButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* summary_ = nullptr;
    QGroupBox* findingsBox_ = nullptr;
    QTreeWidget* findingList_ = nullptr;
    QCheckBox* heatMapCheck_ = nullptr;
};

}  // namespace banmen
