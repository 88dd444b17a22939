#include "targetlink.h"

#include "files/seriesfile.h"
#include "services/serialport.h"
#include "services/userdialogs.h"
#include "sheets/targetrecord.h"

#include <exception>
#include <utility>

namespace ankerblick {

namespace {

const LineSettings kLineSettings{9600, Parity::None, 8, 1};
constexpr int kPollInterval = 100;

LinkFault faultOf(const SerialPortError& e) {
    return {e.number(), e.description()};
}

// What the window said about the end of polling, on a line of its own.
QString noteLine(const QString& note) {
    return note.isEmpty() ? QString() : QStringLiteral("\r\n") + note;
}

} // namespace

TargetLink::TargetLink(SerialPort& port, UserDialogs& dialogs, QWidget* dialogParent,
                       QObject* parent)
    : QObject(parent), m_port(port), m_dialogs(dialogs), m_dialogParent(dialogParent),
      m_timer(new QTimer(this)) {
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kPollInterval);
    connect(m_timer, &QTimer::timeout, this, &TargetLink::pollOnce);
    connect(&m_port, &SerialPort::lost, this, &TargetLink::portLost);
}

TargetLink::~TargetLink() {
    closeLink();
}

QString TargetLink::endPolling() {
    m_timer->stop();
    const bool was = m_polling;
    m_polling = false;
    return was && m_door ? m_door->sourceActive(false) : QString();
}

void TargetLink::tell(const QString& text) {
    m_dialogs.messageBox(m_dialogParent, text);
}

void TargetLink::tellFault(const LinkFault& fault, const QString& addition) {
    tell(linkFaultMessage(fault) + addition);
}

void TargetLink::logOnOrOff(const QString& location) {
    m_portChoiceEnabled = false;
    Q_EMIT stateChanged();
    try {
        if (!m_port.isOpen()) {
            m_port.open(location, kLineSettings);
            m_replies.reset();
            m_port.writeByte(targetbyte::LogOn);
            m_loggedOn = true;
        } else if (m_polling) {
            tell(tr("Erst Abfrage beenden, dann abmelden."));
        } else {
            m_port.writeByte(targetbyte::LogOff);
            m_port.close();
            m_loggedOn = false;
            m_portChoiceEnabled = true;
        }
    } catch (const SerialPortError& e) {
        if (e.portLost()) {
            portLost(e.number());
            return;
        }
        // The port and the indicators stay as far as they got.
        m_portChoiceEnabled = true;
        Q_EMIT stateChanged();
        // No port chosen, or none of that name: what to do is all there is to say.
        if (e.number() == serialerror::InvalidPort)
            tell(tr("Bitte einen Anschluss wählen."));
        else
            tellFault(faultOf(e));
        return;
    }
    Q_EMIT stateChanged();
}

void TargetLink::switchPolling() {
    if (m_polling) {
        const QString note = endPolling();
        Q_EMIT stateChanged();
        if (!note.isEmpty())
            tell(note);
        return;
    }
    if (!m_loggedOn) {
        tell(tr("Erst Anmelden, dann abfragen."));
        return;
    }
    // Another source delivering into the same window keeps polling off.
    if (const QString refusal = m_door ? m_door->refusal() : QString(); !refusal.isEmpty()) {
        tell(refusal);
        return;
    }
    m_replies.reset();
    m_timer->start(kPollInterval);
    m_polling = true;
    if (m_door)
        m_door->sourceActive(true);
    Q_EMIT stateChanged();
}

void TargetLink::pollOnce() {
    // A modal message runs its own event loop in which the timer goes on firing:
    // while a poll's message is on screen, no further poll runs.
    if (m_pollBusy || !m_polling)
        return;
    m_pollBusy = true;
    try {
        poll();
    } catch (const SerialPortError& e) {
        if (e.portLost())
            portLost(e.number());
        else
            tellFault(faultOf(e));
    } catch (const std::exception&) {
        tellFault({recorderror::EntryFailed, tr("Der Schuss konnte nicht eingetragen werden")});
    }
    m_pollBusy = false;
}

void TargetLink::poll() {
    m_port.writeByte(targetbyte::Request);
    // The reply to a request arrives while the event loop runs and is read by
    // later polls, possibly in pieces.
    const TargetReply reply = m_replies.take(m_port.readAvailable());
    if (reply.kind == TargetReply::Kind::Fault) {
        tellFault(reply.fault); // no 0x0C for this poll; polling goes on
        return;
    }
    if (reply.kind == TargetReply::Kind::Shot) {
        const TargetGeometry geometry = m_door ? m_door->geometry() : TargetGeometry{};
        const PointF hit = targetHitPosition(reply.shot, geometry.centre, geometry.scale);
        const HitReceipt receipt = m_door ? m_door->enter({hit, std::nullopt}) : HitReceipt{};
        if (!receipt.stored) {
            // Not stored, so not confirmed: the target keeps the shot. Polling
            // stops so that the message does not come back with every poll.
            const QString note = endPolling();
            Q_EMIT stateChanged();
            const QString why =
                receipt.problem.isEmpty()
                    ? tr("%1 Die Abfrage wurde beendet; der Schuss ist nicht bestätigt. Bitte die "
                         "Serien speichern und mit „Neu“ von vorn beginnen.")
                          .arg(seriesLimitMessage())
                    : tr("%1 Die Abfrage wurde beendet; der Schuss ist nicht bestätigt und bleibt "
                         "in der Scheibe, bis die Abfrage wieder läuft.")
                          .arg(receipt.problem);
            tellFault({recorderror::EntryFailed, tr("Der Schuss konnte nicht eingetragen werden")},
                      QStringLiteral("\r\n") + why + noteLine(note));
            return;
        }
    }
    if (m_port.isOpen())
        m_port.writeByte(targetbyte::Done);
}

void TargetLink::portLost(int number) {
    if (!m_port.isOpen() && !m_loggedOn && !m_polling)
        return;
    const QString note = endPolling();
    m_port.close();
    m_loggedOn = false;
    m_portChoiceEnabled = true;
    Q_EMIT stateChanged();
    tellFault(
        {number,
         tr("%1, die Verbindung zur Scheibe wurde beendet.").arg(serialErrorDescription(number))},
        noteLine(note));
}

void TargetLink::closeLink() {
    m_timer->stop();
    m_polling = false;
    if (m_port.isOpen()) {
        try {
            m_port.writeByte(targetbyte::LogOff);
        } catch (const SerialPortError&) {
            // The window closes all the same.
        }
        m_port.close();
    }
    m_loggedOn = false;
    m_portChoiceEnabled = true;
}

void TargetLink::shutdown() {
    closeLink();
    Q_EMIT stateChanged();
}

} // namespace ankerblick
