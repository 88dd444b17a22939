#include "targetlinkpanel.h"

#include "services/serialport.h"
#include "services/settings.h"
#include "services/userdialogs.h"
#include "sheets/portchoice.h"
#include "widgets/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>

namespace ankerblick {

LinkIndicator::LinkIndicator(QWidget* parent) : QWidget(parent) {
    setFixedSize(16, 16);
    setAttribute(Qt::WA_TranslucentBackground);
}

void LinkIndicator::setOn(bool on) {
    setColour(on ? onColour() : offColour(), on ? tr("an") : tr("aus"));
}

void LinkIndicator::setColour(const QColor& colour, const QString& description) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    setAccessibleDescription(description);
    update();
}

void LinkIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(m_colour);
    p.drawEllipse(QRectF(rect()).adjusted(1.0, 1.0, -1.0, -1.0));
}

TargetLinkPanel::TargetLinkPanel(UserDialogs& dialogs, Settings& settings,
                                 std::unique_ptr<SerialPort> port,
                                 std::unique_ptr<ByteStream> stream, const QStringList& extraPorts,
                                 QWidget* parent)
    : QWidget(parent), m_settings(settings), m_dialogs(dialogs), m_port(std::move(port)) {
    setObjectName(QStringLiteral("TargetLinkPanel"));

    m_ports = named(new QComboBox(this), QStringLiteral("ComPortsCombo"));
    m_ports->setPlaceholderText(tr("Rika Anschluss"));
    QStringList numbered;
    for (int n = 1; n <= kNumberedPorts; ++n)
        numbered << numberedPortLocation(n);
    QList<PortChoice> system;
    const QList<SerialPortName> reported = m_port->availablePorts();
    for (const SerialPortName& p : reported)
        system.append({p.name, p.location});
    const QList<PortChoice> choices = portChoices(numbered, system, extraPorts);
    for (const PortChoice& c : choices)
        m_ports->addItem(c.text, c.location);
    if (stream)
        m_ports->addItem(tr("Scheibe im Netz …"), QString());
    // The port of the last log-on, if it is listed; else none is chosen.
    const QString kept = m_settings.serialPort();
    m_ports->setCurrentIndex(kept.isEmpty() ? -1 : m_ports->findData(kept));

    m_logOn = makeButton(this, QStringLiteral("Rika"), tr("Rika An-/ Abmeldung"));
    m_polling = makeButton(this, QStringLiteral("Rika_Schussabfrage"), tr("Rika Schussabfrage"));
    m_logOnLamp = named(new LinkIndicator(this), QStringLiteral("AnmeldungShp"));
    m_pollingLamp = named(new LinkIndicator(this), QStringLiteral("AbfrageShp"));

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_ports, 0, 0, 1, 2);
    layout->addWidget(m_logOn, 1, 0);
    layout->addWidget(m_logOnLamp, 1, 1);
    layout->addWidget(m_polling, 2, 0);
    layout->addWidget(m_pollingLamp, 2, 1);

    m_link = new TargetLink(*m_port, dialogs, this, this);
    connect(m_link, &TargetLink::stateChanged, this, [this] {
        refresh();
        Q_EMIT linkStateChanged();
    });
    if (stream) {
        m_open = new OpenTargetLink(std::move(stream), settings, dialogs, this, this);
        connect(m_open, &OpenTargetLink::stateChanged, this, [this] {
            refresh();
            Q_EMIT linkStateChanged();
        });
    }
    connect(m_logOn, &QPushButton::clicked, this, &TargetLinkPanel::logOnOrOff);
    connect(m_polling, &QPushButton::clicked, this, &TargetLinkPanel::switchPolling);
    refresh();
}

TargetLinkPanel::~TargetLinkPanel() {
    // The link sends its log-off through the port before either goes.
    delete m_link;
    m_link = nullptr;
}

// The chosen location; the list's last item asks for a target's address
// and lists it.
QString TargetLinkPanel::chosenLocation() {
    if (m_ports->currentIndex() < 0)
        return {};
    if (const QString location = m_ports->currentData().toString(); !location.isEmpty())
        return location;
    const std::optional<QString> asked =
        m_dialogs.inputBox(this, tr("Adresse der Scheibe (tcp://HOST:PORT oder serial:PFAD):"),
                           tr("Scheibe im Netz"), QStringLiteral("tcp://192.168.10.9:1090"));
    const QString location = asked.value_or(QString()).trimmed();
    if (!ByteStream::isStreamLocation(location))
        return {};
    m_ports->insertItem(m_ports->count() - 1, location, location);
    m_ports->setCurrentIndex(m_ports->count() - 2);
    return location;
}

bool TargetLinkPanel::openTargetOn() const {
    return m_open && m_open->state() != OpenTargetLink::State::Off;
}

void TargetLinkPanel::logOnOrOff() {
    if (openTargetOn())
        return m_open->connectOrDisconnect({});
    const QString location = m_link->isLoggedOn() ? QString() : chosenLocation();
    if (m_open && ByteStream::isStreamLocation(location)) {
        m_settings.setSerialPort(location);
        return m_open->connectOrDisconnect(location);
    }
    m_link->logOnOrOff(location);
    if (m_link->isLoggedOn() && !location.isEmpty())
        m_settings.setSerialPort(location);
}

void TargetLinkPanel::switchPolling() {
    if (openTargetOn())
        m_open->switchDelivering();
    else
        m_link->switchPolling();
}

void TargetLinkPanel::attach(HitDoor* door) {
    m_link->attach(door);
    if (m_open)
        m_open->attach(door);
}

bool TargetLinkPanel::delivering() const {
    return m_link->delivering() || (m_open && m_open->delivering());
}

void TargetLinkPanel::refresh() {
    if (openTargetOn())
        return showOpenTarget();
    m_ports->setEnabled(m_link->portChoiceEnabled());
    m_logOnLamp->setOn(m_link->isLoggedOn());
    m_pollingLamp->setOn(m_link->isPolling());
}

// Log-on green when connected, yellow while connecting or unreachable.
void TargetLinkPanel::showOpenTarget() {
    m_ports->setEnabled(false);
    switch (m_open->state()) {
    case OpenTargetLink::State::Connected:
        m_logOnLamp->setOn(true);
        break;
    case OpenTargetLink::State::Unreachable:
        m_logOnLamp->setColour(LinkIndicator::waitingColour(), tr("nicht erreichbar"));
        break;
    default:
        m_logOnLamp->setColour(LinkIndicator::waitingColour(), tr("verbindet"));
        break;
    }
    m_logOnLamp->setToolTip(m_open->problem());
    m_pollingLamp->setOn(m_open->delivering());
}

void TargetLinkPanel::shutdown() {
    m_link->shutdown();
    if (m_open)
        m_open->shutdown();
}

void TargetLinkPanel::onStateChanged(QObject* context, std::function<void()> changed) {
    connect(this, &TargetLinkPanel::linkStateChanged, context, std::move(changed));
}

void TargetLinkPanel::stopPolling() {
    if (m_link->isPolling())
        m_link->switchPolling();
    if (m_open && m_open->delivering())
        m_open->switchDelivering();
}

bool TargetLinkPanel::isPolling() const {
    return m_link->isPolling() || (m_open && m_open->delivering());
}

bool TargetLinkPanel::isLoggedOn() const {
    return m_link->isLoggedOn() || (m_open && m_open->state() == OpenTargetLink::State::Connected);
}

} // namespace ankerblick
