#pragma once

// The link to the electronic target: log-on and log-off on the chosen port,
// polling every 100 ms, and every shot record entered as a mouse hit on the
// shot-entry window.

#include "model/geometry.h"
#include "sheets/hitdoor.h"
#include "sheets/targetrecord.h"

#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace ankerblick {

class SerialPort;
class UserDialogs;

// Bytes the target understands.
namespace targetbyte {
inline constexpr quint8 LogOn = 0xD1;
inline constexpr quint8 Request = 0x16;
inline constexpr quint8 Done = 0x0C;
inline constexpr quint8 LogOff = 0xD0;
} // namespace targetbyte

// A source of hits: every shot the target reports goes through the door, and
// only a stored one is confirmed to the target. The door learns when polling
// starts and when it ends (stopped, port lost, a shot not stored).
class TargetLink : public QObject, public HitSource {
    Q_OBJECT
public:
    // Messages go to the user through dialogs, in front of dialogParent.
    TargetLink(SerialPort& port, UserDialogs& dialogs, QWidget* dialogParent,
               QObject* parent = nullptr);
    ~TargetLink() override;

    // The window showing the target; until it is set no hit can be stored.
    void attach(HitDoor* door) override { m_door = door; }
    bool delivering() const override { return m_polling; }

    bool isLoggedOn() const { return m_loggedOn; } // AnmeldungShp green
    bool isPolling() const { return m_polling; }   // AbfrageShp green
    bool portChoiceEnabled() const { return m_portChoiceEnabled; }

    // Rika: logs on at the chosen location (empty when none is chosen), or logs off.
    void logOnOrOff(const QString& location);
    // Rika_Schussabfrage: switches polling on or off.
    void switchPolling();
    // Timer1: one poll, unless the message of an earlier poll is still on screen.
    void pollOnce();
    // The window closes: polling stops, 0xD0 goes out and the port is closed.
    void shutdown();

Q_SIGNALS:
    void stateChanged();

private:
    void poll();
    void portLost(int number);
    void closeLink();
    // Stops polling and returns what the window has to say about it.
    QString endPolling();
    void tell(const QString& text);
    void tellFault(const LinkFault& fault, const QString& addition = QString());

    SerialPort& m_port;
    UserDialogs& m_dialogs;
    HitDoor* m_door = nullptr;
    QWidget* m_dialogParent;
    QTimer* m_timer; // Timer1
    TargetReplyAssembler m_replies;
    bool m_loggedOn = false;
    bool m_polling = false;
    bool m_portChoiceEnabled = true;
    bool m_pollBusy = false;
};

} // namespace ankerblick
