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

#include <algorithm>

namespace ankerblick::test {

class WindowDriver {
public:
    // Sizes a shown window so that its target shows the design area, one
    // drawing unit a pixel: the positions the tests click and look at are
    // drawing units.
    explicit WindowDriver(QWidget* window) : m_window(window) { toDrawingScale(window); }

    static void toDrawingScale(QWidget* window) {
        auto* view = window->findChild<TargetView*>();
        if (!view || !window->isVisible())
            return; // laid out when shown
        view->zoomTo(QRectF(0, 0, TargetView::kWidth, TargetView::kHeight));
        for (int i = 0; i < 3 && view->scale() != 1.0; ++i) {
            const QSize grow(std::max(0, TargetView::kWidth - view->width()),
                             TargetView::kHeight - view->height());
            window->resize(window->size() + grow);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QTest::qWait(1);
        }
        if (view->scale() != 1.0)
            qFatal("the target view stays at %d x %d", view->width(), view->height());
    }

    template <typename T> T* child(const QString& name) const {
        T* w = m_window->findChild<T*>(name);
        if (!w)
            qFatal("missing control %s", qPrintable(name));
        return w;
    }

    // The target's drawing area, below the menu bar at the window's left.
    TargetView* surface() const {
        auto* view = m_window->findChild<TargetView*>();
        if (!view)
            qFatal("missing target view");
        return view;
    }
    // The pixel of the area that shows drawing position (x, y).
    QPoint at(double x, double y) const { return surface()->toWidget(QPointF(x, y)).toPoint(); }

    // A click at drawing position (x, y). After every release the waiting
    // mark sits at the drawing position until the pointer moves, so the
    // pointer always comes from a neighbouring pixel.
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton) const {
        const QPoint p = at(x, y);
        QTest::mouseMove(surface(), p + QPoint(1, 0));
        QTest::mouseMove(surface(), p);
        QTest::mouseClick(surface(), button, {}, p);
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
