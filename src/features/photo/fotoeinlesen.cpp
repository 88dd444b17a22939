#include "fotoeinlesen.h"

#include "services/userdialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ankerblick {

PhotoView::PhotoView(PhotoImport& import, QWidget* parent) : QWidget(parent), m_import(import) {
    setObjectName(QStringLiteral("FotoBild"));
    setMinimumSize(320, 320);
    setCursor(Qt::CrossCursor);
}

double PhotoView::scale() const {
    const QImage& face = m_import.face();
    if (face.isNull())
        return 1.0;
    return std::min(double(width()) / face.width(), double(height()) / face.height());
}

QPointF PhotoView::origin() const {
    const QImage& face = m_import.face();
    const double s = scale();
    return {(width() - face.width() * s) / 2, (height() - face.height() * s) / 2};
}

QPointF PhotoView::viewPoint(QPointF mm) const {
    return origin() + m_import.toPixel(mm) * scale();
}

QPointF PhotoView::facePoint(QPointF view) const {
    return m_import.toMm((view - origin()) / scale());
}

void PhotoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(60, 60, 60));
    const QImage& face = m_import.face();
    const double s = scale();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(origin(), QSizeF(face.width() * s, face.height() * s)), face);
    painter.setRenderHint(QPainter::Antialiasing);
    const double radius =
        m_import.toPixel({m_import.calibreMm() / 2, 0}).x() - m_import.toPixel({0, 0}).x();
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QList<QPointF>& holes = m_import.holes();
    for (qsizetype i = 0; i < holes.size(); ++i) {
        const QPointF at = viewPoint(holes.at(i));
        painter.setPen(QPen(QColor(230, 40, 40), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(at, radius * s, radius * s);
        const QString number = QString::number(i + 1);
        const QRectF box(at + QPointF(radius * s * 0.8, -radius * s * 0.8 - 18), QSizeF(28, 18));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 200));
        painter.drawRect(box);
        painter.setPen(QColor(200, 0, 0));
        painter.drawText(box, Qt::AlignCenter, number);
    }
}

void PhotoView::mousePressEvent(QMouseEvent* event) {
    const QPointF mm = facePoint(event->position());
    if (event->button() == Qt::LeftButton)
        m_import.add(mm);
    else if (event->button() != Qt::RightButton || !m_import.removeAt(mm))
        return;
    update();
    Q_EMIT holesChanged();
}

FotoEinlesen::FotoEinlesen(std::unique_ptr<PhotoImport> import, int seriesLength, Enter enter,
                           UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_import(std::move(import)), m_seriesLength(seriesLength),
      m_enter(std::move(enter)), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("FotoEinlesen"));
    setWindowTitle(tr("Foto einlesen"));
    setModal(false);
    m_view = new PhotoView(*m_import, this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("FotoHinweis"));
    m_summary->setWordWrap(true);
    auto* take = new QPushButton(tr("Übernehmen"), this);
    take->setObjectName(QStringLiteral("Uebernehmen"));
    take->setDefault(true);
    auto* cancel = new QPushButton(tr("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("Abbrechen"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(take);
    buttons->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_view, 1);
    column->addWidget(m_summary);
    column->addLayout(buttons);
    connect(m_view, &PhotoView::holesChanged, this, &FotoEinlesen::showSummary);
    connect(take, &QPushButton::clicked, this, &FotoEinlesen::takeHoles);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showSummary();
}

FotoEinlesen::~FotoEinlesen() = default;

void FotoEinlesen::showSummary() {
    m_summary->setText(m_import->summary(m_seriesLength));
}

void FotoEinlesen::takeHoles() {
    if (m_import->holes().isEmpty()) {
        m_dialogs.messageBox(this, tr("Es ist kein Loch gesetzt, das übernommen werden kann."));
        return;
    }
    if (const std::optional<QString> problem = m_enter(m_import->holes())) {
        m_dialogs.messageBox(this, *problem);
        return;
    }
    accept();
}

} // namespace ankerblick
