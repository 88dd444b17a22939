#include "command.h"

#include <QAbstractButton>
#include <QAction>

namespace ankerblick {

QAction* makeCommand(QAbstractButton* button, const QString& menuCaption,
                     QKeySequence::StandardKey key) {
    auto* action = new QAction(menuCaption.isEmpty() ? button->text() : menuCaption, button);
    action->setIconText(button->text());
    if (key != QKeySequence::UnknownKey)
        action->setShortcut(QKeySequence(key));
    bindButton(button, action);
    return action;
}

void bindButton(QAbstractButton* button, QAction* action) {
    const auto follow = [button, action] {
        button->setText(action->iconText());
        button->setEnabled(action->isEnabled());
    };
    follow();
    QObject::connect(action, &QAction::changed, button, follow);
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
}

} // namespace ankerblick
