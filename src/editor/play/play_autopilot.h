#pragma once
// Plays a run in the window by itself, as a person would: it clicks every
// button the engine waits for, takes the first way at a branch, answers the
// dice prompt and the player choice, and (given a folder) saves a picture of
// the window at each new stage of the game: the opening, a turn, the dice,
// a branch, a data update, a supplementary picture, the fireworks, a
// dialog and the results. For tools/screenshot-play.sh.

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

namespace banmen {

class EditorWindow;

class PlayAutopilot : public QObject {
    Q_OBJECT

  public:
    PlayAutopilot(EditorWindow& window, QString shotFolder, QObject* parent = nullptr);
    ~PlayAutopilot() override;

    // The face the dice prompt is answered with.
    void setDieFace(int face) { dieFace_ = face; }
    const QStringList& shots() const { return saved_; }

  signals:
    // The run has ended (the window is back in its editing layout).
    void finished();

  private:
    void poll();
    void shoot(const QString& stage, QWidget* widget = nullptr);
    void click(QPoint at);

    EditorWindow& window_;
    QString folder_;
    QTimer timer_;
    QSet<QString> taken_;
    QStringList saved_;
    QElapsedTimer since_;
    QString current_;
    bool started_ = false;
    int dieFace_ = 3;
};

}  // namespace banmen
