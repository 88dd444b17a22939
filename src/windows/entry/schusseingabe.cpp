#include "schusseingabe.h"

#include "widgets/analysispanel.h"
#include "widgets/sourcepanel.h"
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
    buildControls();
    optionsRow()->addStretch();
    listsRow()->addWidget(analysisPanel(), 1);
    m_sourceColumn = new QVBoxLayout;
    sidePanel()->addLayout(m_sourceColumn);
    sidePanel()->addWidget(matchPanel());
    sidePanel()->addStretch();

    QAction* back = addCommand(QStringLiteral("Abkommenseingabe_öffnen"),
                               tr("Abkommens- eingabe öffnen"), tr("Abkommenseingabe"));

    connect(nameEdit(), &QLineEdit::textChanged, this, &Schusseingabe::showShooterName);
    connect(back, &QAction::triggered, this, &Schusseingabe::returnToCallEntry);
    WindowMenuPlan plan = menuPlan();
    plan.view.prepend(back);
    addAnalysisMenu(plan);
    plan.quit = [this] {
        Q_EMIT quitRequested();
    };
    addWindowMenu(this, dialogs(), plan);
    loadKeptOptions();
    keepPlace(this, services.settings);
}

void Schusseingabe::loadKeptOptions() {
    m_entry.load();
    const QString discipline = QStringLiteral("disziplin");
    disciplineButtons()
        ->button(keptOption(this, disciplineButtons(), discipline, windowServices().settings, 0))
        ->setChecked(true);
    keepOption(this, disciplineButtons(), discipline, windowServices().settings);
    showShooterName();
    refresh();
}

void Schusseingabe::setShooterName(const QString& schuetze) {
    nameEdit()->setText(schuetze);
}

void Schusseingabe::showShooterName() {
    setWindowTitle(tr("Schusseingabe %1").arg(nameEdit()->text()));
}

void Schusseingabe::placeSource(SourcePanel& panel) {
    m_sourceColumn->addWidget(&panel.controls());
}

void Schusseingabe::returnToCallEntry() {
    hide();
    Q_EMIT left();
}

void Schusseingabe::unload() {
    m_unloading = true;
    close();
}

void Schusseingabe::closeEvent(QCloseEvent* event) {
    shutdownSources();
    // Closed, the window keeps its series until the program ends.
    if (m_unloading)
        finishDiary();
    if (!m_unloading)
        Q_EMIT left();
    event->accept();
}

} // namespace ankerblick
