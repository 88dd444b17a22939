#include "widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace ankerblick {

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // The accessible name is the caption as it stands: set none, so that it
    // follows the caption when that changes.
    return b;
}

QLabel* makeStatusLabel(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setAccessibleDescription(name);
    return l;
}

void syncList(QListWidget* list, const QStringList& items) {
    bool same = list->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i)
        same = list->item(i)->text() == items.at(i);
    if (same)
        return;
    list->clear();
    list->addItems(items);
    list->scrollToBottom();
}

void syncText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text)
        edit->setText(text);
}

void setSignalColour(QPushButton* button, bool red) {
    if (red == hasSignalColour(button))
        return;
    button->setProperty("signal", red);
    button->setStyleSheet(red ? QStringLiteral("QPushButton { background-color: rgb(255, 0, 0); }")
                              : QString());
}

bool hasSignalColour(const QPushButton* button) {
    return button->property("signal").toBool();
}

} // namespace ankerblick
