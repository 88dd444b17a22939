#pragma once

// The link controls of the shot-entry window: the port list, log-on/log-off
// and polling buttons and their two indicator lamps.

#include "opentargetlink.h"
#include "services/bytestream.h"
#include "services/serialport.h"
#include "targetlink.h"
#include "widgets/sourcepanel.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <memory>

class QComboBox;
class QPushButton;

namespace ankerblick {

class Settings;
class UserDialogs;

// A small filled circle: red when off, green when on, or a colour of its own.
class LinkIndicator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor colour READ colour)
public:
    explicit LinkIndicator(QWidget* parent = nullptr);
    QColor colour() const { return m_colour; }
    void setOn(bool on);
    // Any colour, with the words a screen reader says for it.
    void setColour(const QColor& colour, const QString& description);
    QSize sizeHint() const override { return {16, 16}; }

    static QColor onColour() { return QColor(0, 255, 0); }
    static QColor offColour() { return QColor(255, 0, 0); }
    static QColor waitingColour() { return QColor(255, 200, 0); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour = offColour();
};

// The panel's two kinds of target: the serial protocol that is polled, on a
// port of the list, and the open-hardware target that sends JSON, at a
// location "tcp://HOST:PORT" or "serial:PATH" (given on the command line,
// or asked for by the list's last item). Log-on connects, polling takes
// hits; the window knows the panel as one source.
class TargetLinkPanel : public QWidget, public SourcePanel, public HitSource {
    Q_OBJECT
public:
    // port: the panel's own port (Services::serialPorts makes one); stream:
    // the open target's connection (none: the panel offers none); extraPorts:
    // locations given on the command line (--port, --scheibe), listed after
    // the system's ports. The location of the last log-on is chosen again
    // when it is listed.
    TargetLinkPanel(UserDialogs& dialogs, Settings& settings, std::unique_ptr<SerialPort> port,
                    std::unique_ptr<ByteStream> stream, const QStringList& extraPorts,
                    QWidget* parent = nullptr);
    ~TargetLinkPanel() override;

    // To be called when the window closes: polling stops, 0xD0 goes out and the
    // port is closed.
    void shutdown() override;
    // Stops polling as "Rika Schussabfrage" does, when it is on.
    void stopPolling();

    HitOrigin origin() const override { return HitOrigin::Target; }
    HitSource& source() override { return *this; }
    void attach(HitDoor* door) override;
    bool delivering() const override;
    QWidget& controls() override { return *this; }
    void onStateChanged(QObject* context, std::function<void()> changed) override;
    void stopDelivering() override { stopPolling(); }
    bool isPolling() const;  // AbfrageShp green
    bool isLoggedOn() const; // AnmeldungShp green

    TargetLink& link() { return *m_link; }
    // The open-hardware target's link; none without a stream.
    OpenTargetLink* openLink() { return m_open; }

Q_SIGNALS:
    // Log-on or polling switched (also when the port was lost or shut down).
    void linkStateChanged();

private:
    void refresh();
    void showOpenTarget();
    bool openTargetOn() const;
    QString chosenLocation();
    void logOnOrOff();
    void switchPolling();

    Settings& m_settings;
    UserDialogs& m_dialogs;
    std::unique_ptr<SerialPort> m_port; // outlives the link
    TargetLink* m_link = nullptr;       // child, deleted before the port
    OpenTargetLink* m_open = nullptr;   // child, owns its stream
    QComboBox* m_ports = nullptr;
    QPushButton* m_logOn = nullptr;
    QPushButton* m_polling = nullptr;
    LinkIndicator* m_logOnLamp = nullptr;
    LinkIndicator* m_pollingLamp = nullptr;
};

} // namespace ankerblick
