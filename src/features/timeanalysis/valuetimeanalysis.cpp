#include "valuetimeanalysis.h"

#include "platform/userdialogs.h"
#include "sheets/timelines.h"

#include <QImage>
#include <QPainter>

namespace ankerblick {

using namespace timeanalysis;

void paintGraph(QPainter& painter, const GraphLayout& graph) {
    const QColor red(255, 0, 0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), graph.size), Qt::white);

    painter.setPen(QPen(Qt::black, 0));
    painter.drawLines(graph.valueLines);
    painter.drawLines(graph.timeLines);

    painter.setPen(red);
    const int ascent = painter.fontMetrics().ascent();
    for (const GraphLabel& label : graph.valueLabels)
        painter.drawText(label.topLeft + QPointF(0, ascent), label.text);
    for (const GraphLabel& label : graph.timeLabels)
        painter.drawText(label.topLeft + QPointF(0, ascent), label.text);

    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(red);
    for (const QPointF& centre : graph.discs)
        painter.drawEllipse(centre, kDiscRadius, kDiscRadius);
    painter.restore();
}

ValueTimeAnalysis::ValueTimeAnalysis(Variant variant, UserDialogs& dialogs, TimeSource times,
                                     ValueSource values, QWidget* callerWindow)
    : m_variant(variant), m_dialogs(dialogs), m_times(std::move(times)),
      m_values(std::move(values)), m_caller(callerWindow), m_locale(QLocale()) {}

ValueTimeAnalysis::~ValueTimeAnalysis() {
    AusgabeForm* form = existingAusgabeForm();
    if (form && form->Aufrufer() == this)
        form->SetAufrufer(nullptr);
}

void ValueTimeAnalysis::Schusszeitanalyse_Click() {
    QString zeitart = m_dialogs.yesNo(m_caller, timeKindQuestion(), QString()) ? shotTimeKind()
                                                                               : shootingTimeKind();
    m_bounds = askBounds(
        [this](const QString& prompt) {
            return m_dialogs.inputBox(m_caller, prompt, queryTitle(), QString());
        },
        [this](const QString& message) { m_dialogs.messageBox(m_caller, message, QString()); },
        m_locale);

    AusgabeForm& form = ausgabeForm();
    form.SetAufrufer(this);
    form.SetAusgabeZeiten(zeitart);
    form.setWindowTitle(QStringLiteral("Schusswert/Zeit Analyse"));
    form.showMaximized();
    form.raise();
    form.activateWindow();
    form.Picture1()->setFocus();
    // A graph window that is already open and maximized gets no resize.
    AusgabeFormNeuZeichnen(zeitart);
}

GraphLayout ValueTimeAnalysis::draw(QPainter& painter, QSize picture,
                                    const QString& zeitart) const {
    const QString text = m_times(zeitart == shotTimeKind());
    const GraphLayout graph =
        layoutGraph(picture, m_bounds, parseTimeLines(text, m_locale), m_values, m_locale);
    paintGraph(painter, graph);
    return graph;
}

void ValueTimeAnalysis::AusgabeFormNeuZeichnen(QString& AusgabeZt) {
    AusgabeForm* form = existingAusgabeForm();
    if (!form || form->Aufrufer() != this)
        return;
    const QSize picture = pictureSize(form->frameGeometry().size());
    QImage image(picture, QImage::Format_RGB32);
    QPainter painter(&image);
    const GraphLayout graph = draw(painter, picture, AusgabeZt);
    painter.end();
    form->Picture1()->setImage(image);
    form->setWindowTitle(graph.caption);
}

void ValueTimeAnalysis::AusgabeFormZoom(double& a, double& b, double& c, double& d) {
    m_bounds = zoomed(m_bounds, m_variant, ZoomStep{a, b, c, d});
}

} // namespace ankerblick
