#pragma once

// The link to the electronic target: log-on and log-off on the chosen port,
// polling every 100 ms, and every shot record entered as a mouse hit on the
// shot-entry window.

#include "model/geometry.h"
#include "sheets/targetrecord.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

namespace ankerblick {

class SerialPort;
class UserDialogs;

// Where the window draws the target: the centre of Shape5 and the drawing
// units per millimetre.
struct TargetGeometry {
    PointF centre;
    double scale = 1.0;
};

// Bytes the target understands.
namespace targetbyte {
inline constexpr quint8 LogOn = 0xD1;
inline constexpr quint8 Request = 0x16;
inline constexpr quint8 Done = 0x0C;
inline constexpr quint8 LogOff = 0xD0;
} // namespace targetbyte

class TargetLink : public QObject {
    Q_OBJECT
public:
    // Where the target is drawn now; asked for every shot the target reports.
    using GeometrySource = std::function<TargetGeometry()>;
    // What the window made of a hit the target reported.
    struct HitReceipt {
        bool stored = false; // kept where a killed program finds it again
        // Why it was not, for the shooter; empty when the series list is full.
        QString problem;
    };
    // Enters a hit (drawing units) into the newest series, a full one stored
    // and the next begun, or holds it for its call, and keeps it in the
    // training diary. Only a stored hit is confirmed to the target.
    using HitStore = std::function<HitReceipt(PointF hit)>;
    // Polling ended while the window still runs (stopped, port lost, a shot
    // not stored): the window settles what it holds back and returns what
    // the shooter must be told of it, or nothing.
    using PollingEnded = std::function<QString()>;

    // Messages go to the user through dialogs, in front of dialogParent.
    TargetLink(SerialPort& port, UserDialogs& dialogs, QWidget* dialogParent,
               QObject* parent = nullptr);
    ~TargetLink() override;

    // The window showing the target; until it is set no hit can be stored.
    void setTarget(GeometrySource geometry, HitStore store, PollingEnded ended = {});

    bool isLoggedOn() const { return m_loggedOn; } // AnmeldungShp green
    bool isPolling() const { return m_polling; }   // AbfrageShp green
    bool portChoiceEnabled() const { return m_portChoiceEnabled; }

    // Rika: logs on at the chosen location (empty when none is chosen), or logs off.
    void Rika_Click(const QString& location);
    // Rika_Schussabfrage: switches polling on or off.
    void Rika_Schussabfrage_Click();
    // Timer1: one poll, unless the message of an earlier poll is still on screen.
    void Timer1_Timer();
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
    GeometrySource m_geometry;
    HitStore m_store;
    PollingEnded m_pollingEnded;
    QWidget* m_dialogParent;
    QTimer* m_timer; // Timer1
    TargetReplyAssembler m_replies;
    bool m_loggedOn = false;
    bool m_polling = false;
    bool m_portChoiceEnabled = true;
    bool m_pollBusy = false;
};

} // namespace ankerblick
