#include "schusseingabe.h"

#include "features/camera/camerapanel.h"
#include "features/targetlink/targetlinkpanel.h"
#include "widgets/analysispanel.h"
#include "windows/shared/matchpanel.h"
#include "windows/shared/windowmemory.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ankerblick {

Schusseingabe::Schusseingabe(Services& services)
    : TargetWindow(m_entry, services, nullptr), m_entry(services.clock, QLocale()) {
    setObjectName(QStringLiteral("Schusseingabe"));
    setAttribute(Qt::WA_QuitOnClose, false);
    buildControls(false);
    optionsRow()->addStretch();
    listsRow()->addWidget(analysisPanel(), 1);
    m_link = new TargetLinkPanel(m_dialogs, services.settings, services.serialPorts(),
                                 services.extraSerialPorts, this);
    m_link->link().attach(&hitDoor());
    sidePanel()->addWidget(m_link);
    m_camera =
        new CameraPanel(services.cameras, services.extraCameras, m_dialogs, m_sheet.face(), this);
    m_camera->link().attach(&hitDoor());
    keepApart(m_link->link(), *m_camera);
    sidePanel()->addWidget(m_camera);
    sidePanel()->addWidget(matchPanel());
    sidePanel()->addStretch();

    QAction* back = addCommand(QStringLiteral("Abkommenseingabe_öffnen"),
                               tr("Abkommens- eingabe öffnen"), tr("Abkommenseingabe"));

    connect(m_name, &QLineEdit::textChanged, this, &Schusseingabe::SchuetzenName_Change);
    connect(back, &QAction::triggered, this, &Schusseingabe::Abkommenseingabe_oeffnen_Click);
    WindowMenuPlan plan = menuPlan();
    plan.view.prepend(back);
    addAnalysisMenu(plan);
    plan.quit = [this] {
        Q_EMIT quitRequested();
    };
    addWindowMenu(this, m_dialogs, plan);
    Form_Load();
    keepPlace(this, services.settings);
}

void Schusseingabe::Form_Load() {
    m_entry.load();
    const QString discipline = QStringLiteral("disziplin");
    m_discipline->button(keptOption(this, m_discipline, discipline, m_services.settings, 0))
        ->setChecked(true);
    keepOption(this, m_discipline, discipline, m_services.settings);
    SchuetzenName_Change();
    refresh();
}

void Schusseingabe::NameSetzen(const QString& schuetze) {
    m_name->setText(schuetze);
}

void Schusseingabe::SchuetzenName_Change() {
    setWindowTitle(tr("Schusseingabe ") + m_name->text());
}

void Schusseingabe::Abkommenseingabe_oeffnen_Click() {
    hide();
    Q_EMIT left();
}

void Schusseingabe::unload() {
    m_unloading = true;
    close();
}

void Schusseingabe::closeEvent(QCloseEvent* event) {
    m_camera->shutdown();
    m_link->shutdown();
    // Closed, the window keeps its series until the program ends.
    if (m_unloading)
        finishDiary();
    if (!m_unloading)
        Q_EMIT left();
    event->accept();
}

} // namespace ankerblick
