#include "windowmenu.h"

#include "services/userdialogs.h"
#include "widgets/handbook.h"
#include "widgets/language.h"

#include <QAction>
#include <QCoreApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace ankerblick {

namespace {

void addEntries(QMenu* menu, const QList<QAction*>& entries) {
    for (QAction* action : entries)
        menu->addAction(action);
}

} // namespace

QAction* makeShowCommand(const QString& caption, QWidget* part) {
    auto* action = new QAction(caption, part);
    action->setCheckable(true);
    action->setChecked(!part->isHidden());
    // The window keeps its size: the part's room goes to its neighbours.
    QObject::connect(action, &QAction::toggled, part, &QWidget::setVisible);
    return action;
}

void closeProgram(QWidget* mainWindow) {
    // A hidden main window does not end the program by closing.
    if (mainWindow->close())
        QCoreApplication::quit();
}

QString aboutText() {
    return QCoreApplication::translate(
               "WindowMenu", "Ankerblick %1\nTraining der Schussansage für Sportschützen.\n"
                             "Lizenz: GPL-3.0-or-later")
        .arg(QStringLiteral(ANKERBLICK_VERSION));
}

QMenuBar* addWindowMenu(QWidget* window, UserDialogs& dialogs, const WindowMenuPlan& plan) {
    auto* bar = new QMenuBar(window);
    bar->setObjectName(QStringLiteral("Menü"));

    QMenu* file = bar->addMenu(QCoreApplication::translate("WindowMenu", "&Datei"));
    addEntries(file, plan.file);
    if (!plan.file.isEmpty())
        file->addSeparator();
    QAction* quit = file->addAction(QCoreApplication::translate("WindowMenu", "Beenden"));
    quit->setShortcut(QKeySequence::Quit);
    QObject::connect(quit, &QAction::triggered, window, plan.quit);

    if (!plan.series.isEmpty())
        addEntries(bar->addMenu(QCoreApplication::translate("WindowMenu", "&Serie")), plan.series);
    if (!plan.view.isEmpty() || plan.settings) {
        QMenu* view = bar->addMenu(QCoreApplication::translate("WindowMenu", "&Ansicht"));
        addEntries(view, plan.view);
        if (plan.settings) {
            view->addSeparator();
            addLanguageMenu(view, *plan.settings, dialogs);
        }
    }

    QMenu* help = bar->addMenu(QCoreApplication::translate("WindowMenu", "&Hilfe"));
    QAction* handbook = help->addAction(QCoreApplication::translate("WindowMenu", "Handbuch"));
    // The menu shows F1, which the help desk answers anywhere in the window
    // with the section of the part that has the focus.
    handbook->setShortcut(QKeySequence(Qt::Key_F1));
    handbook->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(handbook, &QAction::triggered, window, [window] {
        if (HelpDesk* desk = HelpDesk::current())
            desk->showFor(window);
    });
    QObject::connect(help->addAction(QCoreApplication::translate("WindowMenu", "Über Ankerblick")),
                     &QAction::triggered, window, [window, &dialogs] {
                         dialogs.messageBox(
                             window, aboutText(),
                             QCoreApplication::translate("WindowMenu", "Über Ankerblick"));
                     });

    window->layout()->setMenuBar(bar);
    return bar;
}

} // namespace ankerblick
