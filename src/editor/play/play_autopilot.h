#pragma once
// Plays a run in the window by itself, as a person would: it clicks every
// button the engine waits for, takes the first way at a branch, answers the
// dice prompt and the player choice, and (given a folder) saves a picture of
// the window at each new stage of the game: the opening, a turn, the dice,
// a branch, a data update, a supplementary picture, the fireworks, a
// dialog and the results. For tools/screenshot-play.sh and
// tools/screenshot-player.sh, and for the player's --auto run (every seat
// a computer, nothing pictured, no settling).

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

namespace banmen {

class PlayController;

// Pictures and checks may force the dice of a run: BANMEN_PLAY_DICE=3,1,6
// makes them land on those faces. Sets them as the controller's options when
// the variable is set.
void forceDiceFromEnvironment(PlayController& play);

class PlayAutopilot : public QObject {
    Q_OBJECT

  public:
    // Pictures of `shotTarget` go into `shotFolder` (none when it is empty).
    PlayAutopilot(PlayController& play, QWidget& shotTarget, QString shotFolder,
                  QObject* parent = nullptr);
    ~PlayAutopilot() override;

    // The face the dice prompt is answered with.
    void setDieFace(int face) { dieFace_ = face; }
    // How long a stage shows before it is pictured and answered.
    void setSettleMs(int ms) { settleMs_ = ms; }
    // At the player selection every player becomes a computer.
    void setAllComputers(bool all) { allComputers_ = all; }
    const QStringList& shots() const { return saved_; }

  signals:
    // The run has ended (the controller was reset).
    void finished();

  private:
    void poll();
    void shoot(const QString& stage, QWidget* widget = nullptr);
    void click(QPoint at);

    PlayController& play_;
    QWidget& target_;
    QString folder_;
    QTimer timer_;
    QSet<QString> taken_;
    QStringList saved_;
    QElapsedTimer since_;
    QString current_;
    bool started_ = false;
    int dieFace_ = 3;
    int settleMs_ = 250;
    bool allComputers_ = false;
};

}  // namespace banmen
