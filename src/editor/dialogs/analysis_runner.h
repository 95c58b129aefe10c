#pragma once
// Plays the analysis's games off the user-interface thread. A run works on
// its own copy of the record, so the editor stays editable meanwhile; its
// progress and its report come back as signals on the thread that owns the
// runner.
//
// One run at a time: starting a run cancels the one under way (whose report
// is then never delivered). Cancelling is asynchronous (the report of the
// games played so far follows); destroying the runner cancels and waits for
// the thread.

#include <QObject>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "analysis/simulation.h"
#include "model/game_record.h"

namespace banmen {

class AnalysisRunner : public QObject {
    Q_OBJECT

  public:
    explicit AnalysisRunner(QObject* parent = nullptr);
    ~AnalysisRunner() override;

    // The record must not change while the run lasts: give it a copy.
    void start(std::shared_ptr<const GameRecord> record, const std::string& folder,
               const SimulationOptions& options);
    // Asks the run under way to stop; `finished` follows with the games
    // played so far (report.cancelled).
    void cancel();
    // Cancels and waits for the thread; no signal of that run follows.
    void stop();
    bool running() const { return run_ != nullptr; }

  signals:
    void progressed(qint64 played, qint64 games);
    void finished(std::shared_ptr<const banmen::SimulationReport> report);

  private:
    struct Run;
    void onProgress(int generation, qint64 played, qint64 games);
    void onDone(int generation, std::shared_ptr<const SimulationReport> report);

    std::unique_ptr<Run> run_;
    int generation_ = 0;
};

}  // namespace banmen
