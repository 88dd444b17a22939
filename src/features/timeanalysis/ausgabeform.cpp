#include "ausgabeform.h"

#include "widgets/widgets.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace ankerblick {

namespace {

QPointer<AusgabeForm>& theWindow() {
    static QPointer<AusgabeForm> window;
    return window;
}

} // namespace

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
    setWindowTitle(QStringLiteral("Schusswert/Zeit Analyse"));
    m_picture = named(new GraphPicture(this), QStringLiteral("Picture1"));
    m_picture->move(0, 0);
    m_picture->installEventFilter(this);
    setFocusProxy(m_picture);
    Form_Load();
}

void AusgabeForm::Form_Load() {
    m_ziehenAktiv = false;
}

void AusgabeForm::SetAufrufer(AusgabeAufrufer* Formname) {
    m_aufrufer = Formname;
}

void AusgabeForm::SetAusgabeZeiten(const QString& AusgabeZt) {
    m_zeitart = AusgabeZt;
}

void AusgabeForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void AusgabeForm::Form_Resize() {
    redraw();
}

void AusgabeForm::redraw() {
    if (m_aufrufer)
        m_aufrufer->AusgabeFormNeuZeichnen(m_zeitart);
}

void AusgabeForm::zoom(const timeanalysis::ZoomStep& step) {
    if (!m_aufrufer)
        return;
    double a = step.valueFactor;
    double b = step.valueOffset;
    double c = step.timeFactor;
    double d = step.timeOffset;
    m_aufrufer->AusgabeFormZoom(a, b, c, d);
    redraw();
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
        Picture1_MouseDown(e->button(), e->position().toPoint());
        return true;
    }
    case QEvent::MouseMove:
        Picture1_MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        Picture1_MouseUp(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

bool AusgabeForm::Picture1_KeyDown(int key) {
    using timeanalysis::Arrow;
    switch (key) {
    case Qt::Key_Left:
        zoom(timeanalysis::arrowStep(Arrow::Left));
        return true;
    case Qt::Key_Right:
        zoom(timeanalysis::arrowStep(Arrow::Right));
        return true;
    case Qt::Key_Up:
        zoom(timeanalysis::arrowStep(Arrow::Up));
        return true;
    case Qt::Key_Down:
        zoom(timeanalysis::arrowStep(Arrow::Down));
        return true;
    default:
        return false;
    }
}

void AusgabeForm::Picture1_MouseDown(Qt::MouseButton button, QPoint position) {
    if (button != Qt::LeftButton) {
        zoom(timeanalysis::zoomOutStep());
        return;
    }
    m_ziehenAktiv = true;
    m_dragStart = position;
    m_dragCurrent = position;
}

void AusgabeForm::Picture1_MouseMove(QPoint position) {
    if (!m_ziehenAktiv)
        return;
    m_dragCurrent = position;
    m_picture->setDragRectangle(QRect(m_dragStart, m_dragCurrent).normalized());
}

void AusgabeForm::Picture1_MouseUp(QPoint position) {
    if (!m_ziehenAktiv)
        return;
    m_ziehenAktiv = false;
    m_picture->setDragRectangle(std::nullopt);
    m_dragCurrent = position;
    if (const auto step = timeanalysis::rectangleStep(m_dragStart, position, m_picture->size()))
        zoom(*step);
}

AusgabeForm& ausgabeForm() {
    QPointer<AusgabeForm>& window = theWindow();
    if (!window) {
        window = new AusgabeForm;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, [] { unloadAusgabeForm(); });
    }
    return *window;
}

AusgabeForm* existingAusgabeForm() {
    return theWindow().data();
}

void unloadAusgabeForm() {
    QPointer<AusgabeForm>& window = theWindow();
    delete window.data();
    window = nullptr;
}

} // namespace ankerblick
