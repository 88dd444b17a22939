#include "camerapanel.h"

#include "camerapicturewindow.h"
#include "features/targetlink/targetlinkpanel.h"
#include "model/targetface.h"
#include "services/userdialogs.h"
#include "widgets/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>

namespace ankerblick {

CameraPanel::CameraPanel(CameraService& cameras, const QStringList& extra, UserDialogs& dialogs,
                         QWidget* parent)
    : FoldingBox(tr("Kamera"), parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("KameraFrame"));
    m_sources = named(new QComboBox(this), QStringLiteral("KameraListe"));
    m_sources->setPlaceholderText(tr("Kamera wählen"));
    const QList<CameraSourceInfo> sources = cameras.sources(extra);
    for (const CameraSourceInfo& s : sources)
        m_sources->addItem(s.name, s.id);
    m_sources->setCurrentIndex(sources.isEmpty() ? -1 : 0);

    m_onOff = makeButton(this, QStringLiteral("KameraAnAus"), tr("Kamera An/Aus"));
    m_findFace = makeButton(this, QStringLiteral("ScheibeErkennen"), tr("Scheibe erkennen"));
    m_showPicture = makeButton(this, QStringLiteral("KameraBild"), tr("Kamerabild"));
    m_lamp = named(new LinkIndicator(this), QStringLiteral("KameraLampe"));
    m_lamp->setColour(offColour(), tr("aus"));

    auto* layout = new QGridLayout(content());
    layout->addWidget(m_sources, 0, 0, 1, 2);
    layout->addWidget(m_onOff, 1, 0);
    layout->addWidget(m_lamp, 1, 1);
    layout->addWidget(m_findFace, 2, 0);
    layout->addWidget(m_showPicture, 2, 1);
    layout->setRowStretch(3, 1);

    m_link = new CameraLink(cameras, this);
    connect(m_link, &CameraLink::lampChanged, this, [this] {
        refresh();
        Q_EMIT cameraStateChanged();
    });
    connect(m_link, &CameraLink::runningChanged, this, &CameraPanel::refresh);
    connect(m_link, &CameraLink::told, this, &CameraPanel::tell);
    connect(m_onOff, &QPushButton::clicked, this, &CameraPanel::switchOnOrOff);
    connect(m_findFace, &QPushButton::clicked, m_link, &CameraLink::findFaceAgain);
    connect(m_showPicture, &QPushButton::clicked, this, &CameraPanel::showPicture);
    refresh();
}

CameraPanel::~CameraPanel() {
    delete m_pictureWindow; // it shows the link's pictures
    m_pictureWindow = nullptr;
    delete m_link;
    m_link = nullptr;
}

void CameraPanel::switchOnOrOff() {
    if (m_link->delivering()) {
        const QString note = m_link->stop();
        if (!note.isEmpty())
            tell(note);
        return;
    }
    if (m_sources->currentIndex() < 0) {
        tell(tr("Erst eine Kamera wählen, dann einschalten."));
        return;
    }
    const HitDoor* door = m_link->door();
    // Another source delivering into the same window keeps the camera off.
    if (const QString refusal = door ? door->refusal() : QString(); !refusal.isEmpty()) {
        tell(refusal);
        return;
    }
    const TargetGeometry target = door ? door->geometry() : TargetGeometry{};
    const DisciplineInfo* info = disciplineInfo(target.discipline);
    if (!info) {
        tell(tr("Erst eine Disziplin wählen, dann die Kamera einschalten."));
        return;
    }
    m_link->start(m_sources->currentData().toString(), *info, target.calibreMm);
}

void CameraPanel::onStateChanged(QObject* context, std::function<void()> changed) {
    connect(this, &CameraPanel::cameraStateChanged, context, std::move(changed));
}

// The window settles its series next: the holes seen are entered first.
void CameraPanel::stopDelivering() {
    if (m_link->delivering() || m_link->stopping())
        m_link->finishNow(kShutdownWaitMs);
}

void CameraPanel::showPicture() {
    if (!m_pictureWindow) {
        // Its own window, closed and destroyed with the panel's.
        m_pictureWindow = new CameraPictureWindow(*m_link, this);
        m_pictureWindow->resize(m_pictureWindow->sizeHint());
    }
    m_pictureWindow->show();
    m_pictureWindow->raise();
    m_pictureWindow->activateWindow();
}

void CameraPanel::shutdown() {
    if (m_pictureWindow)
        m_pictureWindow->close();
    // The window settles its series next: the holes seen are entered first.
    m_link->finishNow(kShutdownWaitMs);
}

void CameraPanel::tell(const QString& text) {
    m_dialogs.messageBox(window(), text);
}

void CameraPanel::refresh() {
    const bool on = m_link->delivering();
    m_sources->setEnabled(!on);
    m_findFace->setEnabled(on && m_link->lamp() != CameraLamp::Opening);
    // Until the thread of the last run ended, the camera is not switched on again.
    m_onOff->setEnabled(!m_link->stopping());
    switch (m_link->lamp()) {
    case CameraLamp::Off:
        m_lamp->setColour(offColour(), tr("aus"));
        break;
    case CameraLamp::Found:
        m_lamp->setColour(foundColour(), tr("Scheibe erkannt"));
        break;
    case CameraLamp::Opening:
        m_lamp->setColour(noFaceColour(), tr("Kamera wird geöffnet …"));
        break;
    case CameraLamp::NoFace:
        m_lamp->setColour(noFaceColour(), tr("keine Scheibe im Bild"));
        break;
    }
}

} // namespace ankerblick
