#pragma once

// Drives a target window the way a shooter does: pointer moves and clicks on
// the drawing surface, clicks on buttons and list rows.

#include "widgets/targetview.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace ankerblick::test {

class WindowDriver {
public:
    explicit WindowDriver(QWidget* window) : m_window(window) {}

    template <typename T> T* child(const QString& name) const {
        T* w = m_window->findChild<T*>(name);
        if (!w)
            qFatal("missing control %s", qPrintable(name));
        return w;
    }

    // The target's drawing area, below the menu bar at the window's left: its
    // positions are drawing units.
    QWidget* surface() const {
        auto* view = m_window->findChild<TargetView*>();
        if (!view)
            qFatal("missing target view");
        return view;
    }

    // After every release the waiting mark sits at the drawing position until
    // the pointer moves, so the pointer always comes from a neighbouring pixel.
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseMove(surface(), QPoint(x + 1, y));
        QTest::mouseMove(surface(), QPoint(x, y));
        QTest::mouseClick(surface(), button, {}, QPoint(x, y));
    }
    void press(const char* button) const {
        QTest::mouseClick(child<QPushButton>(QString::fromUtf8(button)), Qt::LeftButton);
    }
    void chooseRow(const char* list, int row) const {
        auto* l = child<QListWidget>(QString::fromUtf8(list));
        const QRect r = l->visualItemRect(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
    }
    void chooseOption(const char* group, int id) const {
        auto* g = m_window->findChild<QButtonGroup*>(QString::fromUtf8(group));
        QAbstractButton* option = g->button(id);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    }

    QStringList list(const char* name) const {
        auto* l = child<QListWidget>(QString::fromUtf8(name));
        QStringList out;
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
        return out;
    }
    QString text(const char* name) const {
        return child<QLineEdit>(QString::fromUtf8(name))->text();
    }
    QString caption() const { return child<QLabel>(QStringLiteral("CapSchussNummer"))->text(); }
    QPushButton* button(const char* name) const {
        return child<QPushButton>(QString::fromUtf8(name));
    }

private:
    QWidget* m_window;
};

} // namespace ankerblick::test
