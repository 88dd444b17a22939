#include "ausgabeform.h"

#include "widgets/widgets.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace ankerblick {

using namespace timeanalysis;

namespace {

// A label in bold on white, so that no line runs through it, moved inside
// the picture where it would stand over an edge (the last time label at
// the right edge, a value label at the top).
void drawLabel(QPainter& painter, const GraphLabel& label, QSize picture) {
    const QFontMetricsF metrics(painter.font());
    QRectF box(label.topLeft, QSizeF(metrics.horizontalAdvance(label.text), metrics.height()));
    if (box.right() > picture.width() - 1)
        box.moveRight(picture.width() - 1);
    if (box.bottom() > picture.height() - 1)
        box.moveBottom(picture.height() - 1);
    box.moveLeft(std::max(box.left(), 0.0));
    box.moveTop(std::max(box.top(), 0.0));
    painter.fillRect(box.adjusted(-1, 0, 1, 0), Qt::white);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, label.text);
}

} // namespace

void paintGraph(QPainter& painter, const GraphLayout& graph) {
    const QColor red(255, 0, 0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), graph.size), Qt::white);

    painter.setPen(QPen(Qt::black, 0));
    painter.drawLines(graph.valueLines);
    painter.drawLines(graph.timeLines);

    painter.setPen(red);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    for (const GraphLabel& label : graph.valueLabels)
        drawLabel(painter, label, graph.size);
    for (const GraphLabel& label : graph.timeLabels)
        drawLabel(painter, label, graph.size);

    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(red);
    for (const QPointF& centre : graph.discs)
        painter.drawEllipse(centre, kDiscRadius, kDiscRadius);
    painter.restore();
}

GraphPicture::GraphPicture(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphPicture::setImage(const QImage& image) {
    m_image = image;
    setFixedSize(image.size());
    update();
}

void GraphPicture::setDragRectangle(const std::optional<QRect>& rectangle) {
    m_drag = rectangle;
    update();
}

void GraphPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, m_image);
    if (m_drag) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(*m_drag);
    }
}

AusgabeForm::AusgabeForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("AusgabeForm"));
    setWindowTitle(tr("Schusswert/Zeit Analyse"));
    m_picture = named(new GraphPicture(this), QStringLiteral("Picture1"));
    m_picture->move(0, 0);
    m_picture->installEventFilter(this);
    setFocusProxy(m_picture);
    loadKeptOptions();
}

void AusgabeForm::loadKeptOptions() {
    m_ziehenAktiv = false;
}

void AusgabeForm::setShownTimes(const QString& AusgabeZt) {
    m_zeitart = AusgabeZt;
}

void AusgabeForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutGraph();
}

void AusgabeForm::layOutGraph() {
    Q_EMIT redrawRequested();
}

void AusgabeForm::setGraph(const GraphLayout& graph) {
    m_graph = graph;
    QImage image(graph.size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintGraph(painter, m_graph);
    painter.end();
    m_picture->setImage(image);
    setWindowTitle(m_graph.caption);
}

bool AusgabeForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_picture)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return Picture1_KeyDown(static_cast<QKeyEvent*>(event)->key());
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* e = static_cast<QMouseEvent*>(event);
        graphPressed(e->button(), e->position().toPoint());
        return true;
    }
    case QEvent::MouseMove:
        graphMoved(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        graphReleased(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

bool AusgabeForm::Picture1_KeyDown(int key) {
    using timeanalysis::Arrow;
    switch (key) {
    case Qt::Key_Left:
        Q_EMIT zoomRequested(timeanalysis::arrowStep(Arrow::Left));
        return true;
    case Qt::Key_Right:
        Q_EMIT zoomRequested(timeanalysis::arrowStep(Arrow::Right));
        return true;
    case Qt::Key_Up:
        Q_EMIT zoomRequested(timeanalysis::arrowStep(Arrow::Up));
        return true;
    case Qt::Key_Down:
        Q_EMIT zoomRequested(timeanalysis::arrowStep(Arrow::Down));
        return true;
    default:
        return false;
    }
}

void AusgabeForm::graphPressed(Qt::MouseButton button, QPoint position) {
    if (button != Qt::LeftButton) {
        Q_EMIT zoomRequested(timeanalysis::zoomOutStep());
        return;
    }
    m_ziehenAktiv = true;
    m_dragStart = position;
    m_dragCurrent = position;
}

void AusgabeForm::graphMoved(QPoint position) {
    if (!m_ziehenAktiv)
        return;
    m_dragCurrent = position;
    m_picture->setDragRectangle(QRect(m_dragStart, m_dragCurrent).normalized());
}

void AusgabeForm::graphReleased(QPoint position) {
    if (!m_ziehenAktiv)
        return;
    m_ziehenAktiv = false;
    m_picture->setDragRectangle(std::nullopt);
    m_dragCurrent = position;
    if (const auto step = timeanalysis::rectangleStep(m_dragStart, position, m_picture->size()))
        Q_EMIT zoomRequested(*step);
}

} // namespace ankerblick
