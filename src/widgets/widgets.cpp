#include "widgets.h"

#include "model/numeric.h"
#include "services/userdialogs.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace ankerblick {

void nameControl(QWidget* widget, const QString& name) {
    widget->setObjectName(name);
    const bool showsCaption = qobject_cast<QAbstractButton*>(widget) ||
                              qobject_cast<QLabel*>(widget) || qobject_cast<QGroupBox*>(widget);
    if (showsCaption)
        widget->setAccessibleDescription(name);
    else
        widget->setAccessibleName(name);
}

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

QLabel* makeCaption(QWidget* parent, const QString& text) {
    return new QLabel(text, parent);
}

namespace {
// A list that asks for no more height than its minimum: a panel that has the
// room lets it grow, one that is short keeps every other row in view.
class ShortList final : public QListWidget {
public:
    using QListWidget::QListWidget;
    QSize sizeHint() const override { return {QListWidget::sizeHint().width(), minimumHeight()}; }
};
} // namespace

QListWidget* makeListBox(QWidget* parent, const QString& name, int width) {
    auto* l = named(new ShortList(parent), name);
    l->setFixedWidth(width);
    // Five rows at least; the list grows with the room its window has.
    l->setMinimumHeight(5 * l->fontMetrics().height() + 2 * l->frameWidth() + 4);
    l->setSelectionMode(QAbstractItemView::NoSelection);
    l->setFocusPolicy(Qt::NoFocus);
    return l;
}

QLineEdit* makeFigureBox(QWidget* parent, const QString& name, int width) {
    auto* e = named(new QLineEdit(parent), name);
    e->setReadOnly(true);
    e->setFixedWidth(width);
    e->setAlignment(Qt::AlignRight);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

QButtonGroup* makeOptionGroup(QGroupBox* frame, const QString& name, const QStringList& captions,
                              int rows) {
    auto* group = new QButtonGroup(frame);
    group->setObjectName(name);
    auto* layout = new QGridLayout(frame);
    const int perColumn = rows > 0 ? rows : int(captions.size());
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions.at(i), frame);
        option->setObjectName(name + u'(' + QString::number(i) + u')');
        option->setAccessibleDescription(name);
        group->addButton(option, i);
        layout->addWidget(option, i % perColumn, i / perColumn);
    }
    layout->setRowStretch(perColumn, 1);
    return group;
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

std::optional<double> askMillimetres(QWidget* parent, UserDialogs& dialogs, const QString& prompt,
                                     const QString& title, double shown, const QLocale& locale,
                                     bool (*accepted)(double), const QString& problem) {
    const QString text = dialogs.inputBox(parent, prompt, title, num::formatNumber(shown, locale))
                             .value_or(QString());
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const std::optional<double> mm = num::parseNumber(text, locale);
    if (!mm || !accepted(*mm)) {
        dialogs.messageBox(parent, problem);
        return std::nullopt;
    }
    return mm;
}

} // namespace ankerblick
