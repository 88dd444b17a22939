#include "camerapicturewindow.h"

#include "cameralink.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace ankerblick {

namespace {

constexpr int kStatusHeight = 26;
constexpr qreal kMarkRadius = 7.0;
constexpr qreal kGrabReach = kMarkRadius + 4.0; // a press this near a mark takes it
constexpr qreal kDragStart = 4.0;               // a press moved this far drags

const QColor& outlineColour() {
    static const QColor c(0, 230, 0);
    return c;
}
const QColor& holeColour() {
    static const QColor c(255, 60, 30);
    return c;
}
const QColor& doubtfulColour() {
    static const QColor c(255, 170, 0);
    return c;
}

} // namespace

CameraPictureWindow::CameraPictureWindow(CameraLink& link, QWidget* parent)
    : QWidget(parent, Qt::Window), m_link(link) {
    setObjectName(QStringLiteral("Kamerabild"));
    setWindowTitle(tr("Kamerabild"));
    setAccessibleName(tr("Kamerabild"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(240, 160);
    setFocusPolicy(Qt::ClickFocus);
    connect(&m_link, &CameraLink::pictureChanged, this, [this] { update(); });
    connect(&m_link, &CameraLink::lampChanged, this, [this] { update(); });
}

QSize CameraPictureWindow::sizeHint() const {
    return {CameraLink::kPictureWidth, CameraLink::kPictureWidth * 9 / 16 + kStatusHeight};
}

QString CameraPictureWindow::status() const {
    if (!m_link.delivering())
        return tr("Kamera aus");
    const CameraPicture& p = m_link.picture();
    if (p.image.isNull())
        return tr("Warte auf das erste Bild …");
    if (!p.black)
        return tr("Keine Scheibe im Bild");
    if (const qsizetype doubtful = p.doubtful.count(true); doubtful > 0)
        return tr("Scheibe erkannt – %1 Treffer, %2 bitte prüfen")
            .arg(p.holes.size())
            .arg(doubtful);
    switch (p.holes.size()) {
    case 0:
        return tr("Scheibe erkannt – noch kein Treffer");
    case 1:
        return tr("Scheibe erkannt – 1 Treffer");
    default:
        return tr("Scheibe erkannt – %1 Treffer").arg(p.holes.size());
    }
}

std::optional<qsizetype> CameraPictureWindow::holeAt(QPointF at) const {
    const CameraPicture& p = m_link.picture();
    const QTransform toWindow = pictureToWindow();
    std::optional<qsizetype> nearest;
    qreal best = kGrabReach;
    for (qsizetype i = 0; i < p.holes.size(); ++i) {
        const qreal d = QLineF(toWindow.map(p.holes.at(i)), at).length();
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

void CameraPictureWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_chosen = m_grabbed = holeAt(event->position());
    m_pressedAt = event->position();
    m_dragTo.reset();
    update();
}

void CameraPictureWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!m_grabbed)
        return;
    if (m_dragTo || QLineF(m_pressedAt, event->position()).length() >= kDragStart) {
        m_dragTo = event->position();
        update();
    }
}

void CameraPictureWindow::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<qsizetype> grabbed = std::exchange(m_grabbed, std::nullopt);
    const std::optional<QPointF> to = std::exchange(m_dragTo, std::nullopt);
    if (event->button() != Qt::LeftButton || !grabbed || !to)
        return;
    const QPointF inPicture = pictureToWindow().inverted().map(event->position());
    m_link.correctHole(*grabbed, inPicture);
    update();
}

void CameraPictureWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || holeAt(event->position()) ||
        !pictureArea().contains(event->position()))
        return;
    if (m_link.addHole(pictureToWindow().inverted().map(event->position())))
        m_chosen = m_link.picture().holes.size() - 1;
    update();
}

void CameraPictureWindow::removeHole(qsizetype index) {
    if (m_link.correctHole(index, std::nullopt))
        m_chosen.reset();
    update();
}

void CameraPictureWindow::keyPressEvent(QKeyEvent* event) {
    if (m_chosen && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace))
        return removeHole(*m_chosen);
    QWidget::keyPressEvent(event);
}

void CameraPictureWindow::contextMenuEvent(QContextMenuEvent* event) {
    const std::optional<qsizetype> hole = holeAt(event->pos());
    if (!hole)
        return;
    m_chosen = hole;
    update();
    QMenu menu(this);
    QAction* remove = menu.addAction(tr("Treffer %1 entfernen").arg(*hole + 1));
    remove->setObjectName(QStringLiteral("TrefferEntfernen"));
    if (menu.exec(event->globalPos()) == remove)
        removeHole(*hole);
}

QRectF CameraPictureWindow::pictureArea() const {
    return QRectF(0, kStatusHeight, width(), std::max(0, height() - kStatusHeight));
}

QTransform CameraPictureWindow::pictureToWindow() const {
    const QImage& image = m_link.picture().image;
    if (image.isNull())
        return {};
    const QRectF area = pictureArea();
    const qreal scale = std::min(area.width() / image.width(), area.height() / image.height());
    const qreal left = area.left() + (area.width() - image.width() * scale) / 2;
    const qreal top = area.top() + (area.height() - image.height() * scale) / 2;
    // Pixel centres: the middle of the picture's first pixel.
    return QTransform::fromTranslate(0.5, 0.5) * QTransform::fromScale(scale, scale) *
           QTransform::fromTranslate(left, top);
}

void CameraPictureWindow::paintHoles(QPainter& painter) {
    const CameraPicture& p = m_link.picture();
    const QTransform toWindow = pictureToWindow();
    QFont font = painter.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    for (qsizetype i = 0; i < p.holes.size(); ++i) {
        const bool doubtful = p.doubtful.value(i);
        const QPointF at = m_grabbed == i && m_dragTo ? *m_dragTo : toWindow.map(p.holes.at(i));
        painter.setPen(QPen(doubtful ? doubtfulColour() : holeColour(), m_chosen == i ? 4 : 2));
        painter.drawEllipse(at, kMarkRadius, kMarkRadius);
        // The number up right of its mark, on a dark ground.
        const QString number =
            doubtful ? tr("%1?", "a hole to be checked").arg(i + 1) : QString::number(i + 1);
        QRectF box = metrics.boundingRect(number).adjusted(-3, -1, 3, 1);
        box.moveBottomLeft(at + QPointF(kMarkRadius, -kMarkRadius));
        painter.fillRect(box, QColor(0, 0, 0, 170));
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, number);
    }
}

void CameraPictureWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(40, 40, 40));
    painter.setRenderHint(QPainter::Antialiasing);

    const CameraPicture& p = m_link.picture();
    if (!p.image.isNull()) {
        const QTransform toWindow = pictureToWindow();
        const QRectF target =
            toWindow.mapRect(QRectF(-0.5, -0.5, p.image.width(), p.image.height()));
        painter.drawImage(target, p.image);
        if (p.black) {
            painter.save();
            painter.setTransform(toWindow);
            painter.translate(p.black->centre);
            painter.rotate(p.black->angle);
            QPen pen(outlineColour(), 2);
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            const QSizeF s = p.black->size;
            painter.drawEllipse(QRectF(-s.width() / 2, -s.height() / 2, s.width(), s.height()));
            painter.restore();

            paintHoles(painter);
        }
    }

    const QRectF statusLine(0, 0, width(), kStatusHeight);
    painter.fillRect(statusLine, palette().window());
    painter.setPen(palette().windowText().color());
    painter.drawText(statusLine.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, status());
}

} // namespace ankerblick
