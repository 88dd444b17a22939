#pragma once

// The graph window of the value/time analysis. It keeps the graph last laid
// out for it and paints it into its picture box `Picture1`; its resizes, arrow
// keys and mouse gestures go out as redraw and zoom requests to the analysis
// that owns it. An analysis has one graph window, reused by its later graphs.

#include "sheets/graphlayout.h"
#include "sheets/valuebounds.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QPainter;

namespace ankerblick {

// Paints a laid-out graph: white ground, black lines, red labels, red discs
// with a black rim.
void paintGraph(QPainter& painter, const timeanalysis::GraphLayout& graph);

// `Picture1`: shows the picture last drawn into it, also after the window was
// covered, and the rectangle being dragged, drawn inverted.
class GraphPicture final : public QWidget {
    Q_OBJECT
public:
    explicit GraphPicture(QWidget* parent);

    // Takes the drawing and its size.
    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }
    void setDragRectangle(const std::optional<QRect>& rectangle);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    std::optional<QRect> m_drag;
};

class AusgabeForm final : public QWidget {
    Q_OBJECT
public:
    explicit AusgabeForm(QWidget* parent = nullptr);

    void setShownTimes(const QString& AusgabeZt);
    // Paints the graph on the picture, which takes its size, and shows its caption.
    void setGraph(const timeanalysis::GraphLayout& graph);

    const QString& Zeitart() const { return m_zeitart; }
    const timeanalysis::GraphLayout& graph() const { return m_graph; }
    bool ZiehenAktiv() const { return m_ziehenAktiv; }
    GraphPicture* Picture1() const { return m_picture; }

Q_SIGNALS:
    // The window changed its size: the graph is to be laid out afresh.
    void redrawRequested();
    // A key or gesture asks to change the value and time windows (and to redraw).
    void zoomRequested(const timeanalysis::ZoomStep& step);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadKeptOptions();
    void layOutGraph();
    bool Picture1_KeyDown(int key);
    void graphPressed(Qt::MouseButton button, QPoint position);
    void graphMoved(QPoint position);
    void graphReleased(QPoint position);

    GraphPicture* m_picture = nullptr;
    timeanalysis::GraphLayout m_graph;
    QString m_zeitart;
    bool m_ziehenAktiv = false;
    QPoint m_dragStart;
    QPoint m_dragCurrent;
};

} // namespace ankerblick
