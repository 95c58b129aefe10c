#include "editor/dialogs/analysis_runner.h"

#include <QMetaObject>
#include <system_error>

namespace banmen {

struct AnalysisRunner::Run {
    std::atomic<bool> cancel{false};
    std::thread thread;

    void finish() {
        cancel = true;
        if (thread.joinable()) {
            thread.join();
        }
    }
};

AnalysisRunner::AnalysisRunner(QObject* parent) : QObject(parent) {}

AnalysisRunner::~AnalysisRunner() {
    stop();
}

void AnalysisRunner::start(std::shared_ptr<const GameRecord> record, const std::string& folder,
                           const SimulationOptions& options) {
    stop();
    const int generation = ++generation_;
    run_ = std::make_unique<Run>();
    const std::atomic<bool>* cancel = &run_->cancel;
    auto play = [this, record, folder, options, cancel, generation] {
        SimulationControl control;
        control.cancel = cancel;
        control.progress = [this, generation](std::int64_t played, std::int64_t games) {
            QMetaObject::invokeMethod(
                this, [this, generation, played, games] { onProgress(generation, played, games); },
                Qt::QueuedConnection);
        };
        auto report = std::make_shared<const SimulationReport>(
            RunSimulation(*record, folder, options, control));
        QMetaObject::invokeMethod(
            this, [this, generation, report] { onDone(generation, report); }, Qt::QueuedConnection);
    };
    try {
        run_->thread = std::thread(std::move(play));
    } catch (const std::system_error&) {
        // No thread to be had: an empty report, told as a cancelled run.
        run_.reset();
        auto report = std::make_shared<SimulationReport>();
        report->options = options;
        report->cancelled = true;
        QMetaObject::invokeMethod(
            this,
            [this, generation, report] {
                if (generation == generation_) {
                    emit finished(report);
                }
            },
            Qt::QueuedConnection);
    }
}

void AnalysisRunner::cancel() {
    if (run_ != nullptr) {
        run_->cancel = true;
    }
}

void AnalysisRunner::stop() {
    if (run_ == nullptr) {
        return;
    }
    run_->finish();
    run_.reset();
    // What the thread posted before it ended belongs to a run that is over.
    ++generation_;
}

void AnalysisRunner::onProgress(int generation, qint64 played, qint64 games) {
    if (generation == generation_) {
        emit progressed(played, games);
    }
}

void AnalysisRunner::onDone(int generation, std::shared_ptr<const SimulationReport> report) {
    if (generation != generation_ || run_ == nullptr) {
        return;
    }
    // The thread has posted its last word and is ending.
    run_->thread.join();
    run_.reset();
    emit finished(std::move(report));
}

}  // namespace banmen
