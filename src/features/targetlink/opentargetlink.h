#pragma once

// The open-hardware target as a source of hits: it sends every shot as a
// JSON object without being asked, by TCP or its USB serial line. Connected,
// it greets and replays the shots it has stored: those already entered
// (known by the target's name, the shot's number and time) are passed
// over, the others offered to the shooter. While the link takes hits each
// shot goes through the window's door; one the door cannot store yet is
// kept and tried again. A lost connection is tried again every 2 s.

#include "files/opentarget.h"
#include "sheets/hitdoor.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <memory>

class QWidget;

namespace ankerblick {

class ByteStream;
class Settings;
class UserDialogs;

class OpenTargetLink : public QObject, public HitSource {
    Q_OBJECT
public:
    static constexpr int kRetryMs = 2000;  // a lost target is tried again
    static constexpr int kReplayMs = 1000; // shots this soon after the greeting are its replay
    static constexpr int kStoreRetryMs = 500;

    enum class State { Off, Connecting, Connected, Unreachable };

    OpenTargetLink(std::unique_ptr<ByteStream> stream, Settings& settings, UserDialogs& dialogs,
                   QWidget* dialogParent, QObject* parent = nullptr);
    ~OpenTargetLink() override;

    void attach(HitDoor* door) override { m_door = door; }
    bool delivering() const override { return m_delivering; }

    State state() const { return m_state; }
    // Why the target cannot be reached, or what it sent that was no shot.
    const QString& problem() const { return m_problem; }

    // Connects to `location`, or, when connected or trying, disconnects.
    void connectOrDisconnect(const QString& location);
    // Hits are taken, or no longer: the window holds them for their calls
    // while it takes them; shots that come meanwhile wait.
    void switchDelivering();
    // The window closes: hits are no longer taken and the connection ends.
    void shutdown();

Q_SIGNALS:
    void stateChanged();

private:
    void setState(State state);
    void opened();
    void failed(const QString& why);
    void received(const QByteArray& bytes);
    void take(const OpenTargetShot& shot);
    void replayEnded();
    void enterWaiting();
    QString keyOf(const OpenTargetShot& shot) const;
    bool known(const OpenTargetShot& shot) const;
    void remember(const OpenTargetShot& shot);

    std::unique_ptr<ByteStream> m_stream;
    Settings& m_settings;
    UserDialogs& m_dialogs;
    QWidget* m_dialogParent;
    HitDoor* m_door = nullptr;
    JsonObjectSplitter m_splitter;
    QString m_location;
    QString m_name;
    QString m_problem;
    QStringList m_reported; // problems told once
    State m_state = State::Off;
    bool m_delivering = false;
    QList<OpenTargetShot> m_replayed; // of the replay, not yet entered
    std::deque<OpenTargetShot> m_waiting;
    QTimer m_retry;
    QTimer m_storeRetry;
    QTimer m_replayEnd;
};

} // namespace ankerblick
