#pragma once

// The link controls of the shot-entry window: the port list, log-on/log-off
// and polling buttons and their two indicator lamps.

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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour = offColour();
};

class TargetLinkPanel : public QWidget, public SourcePanel {
    Q_OBJECT
public:
    // port: the panel's own port (Services::serialPorts makes one); extraPorts:
    // locations given on the command line (--port), listed after the system's
    // ports. The port of the last log-on is chosen again when it is listed.
    TargetLinkPanel(UserDialogs& dialogs, Settings& settings, std::unique_ptr<SerialPort> port,
                    const QStringList& extraPorts, QWidget* parent = nullptr);
    ~TargetLinkPanel() override;

    // To be called when the window closes: polling stops, 0xD0 goes out and the
    // port is closed.
    void shutdown() override;
    // Stops polling as "Rika Schussabfrage" does, when it is on.
    void stopPolling();

    HitOrigin origin() const override { return HitOrigin::Target; }
    HitSource& source() override { return *m_link; }
    QWidget& controls() override { return *this; }
    void onStateChanged(QObject* context, std::function<void()> changed) override;
    void stopDelivering() override { stopPolling(); }
    bool isPolling() const;  // AbfrageShp green
    bool isLoggedOn() const; // AnmeldungShp green

    TargetLink& link() { return *m_link; }

Q_SIGNALS:
    // Log-on or polling switched (also when the port was lost or shut down).
    void linkStateChanged();

private:
    void refresh();
    QString chosenLocation() const;
    void logOnOrOff();

    Settings& m_settings;
    std::unique_ptr<SerialPort> m_port; // outlives the link
    TargetLink* m_link = nullptr;       // child, deleted before the port
    QComboBox* m_ports = nullptr;
    QPushButton* m_logOn = nullptr;
    QPushButton* m_polling = nullptr;
    LinkIndicator* m_logOnLamp = nullptr;
    LinkIndicator* m_pollingLamp = nullptr;
};

} // namespace ankerblick
