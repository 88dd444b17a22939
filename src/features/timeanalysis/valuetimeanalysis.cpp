#include "valuetimeanalysis.h"

#include "platform/userdialogs.h"
#include "sheets/timelines.h"

#include <QPainter>

namespace ankerblick {

using namespace timeanalysis;

ValueTimeAnalysis::ValueTimeAnalysis(Variant variant, UserDialogs& dialogs, TimeSource times,
                                     ValueSource values, QWidget* callerWindow)
    : m_variant(variant), m_dialogs(dialogs), m_times(std::move(times)),
      m_values(std::move(values)), m_caller(callerWindow), m_locale(QLocale()) {}

ValueTimeAnalysis::~ValueTimeAnalysis() = default;

AusgabeForm& ValueTimeAnalysis::openGraphWindow() {
    if (!m_form) {
        m_form = std::make_unique<AusgabeForm>();
        connect(m_form.get(), &AusgabeForm::redrawRequested, this,
                &ValueTimeAnalysis::AusgabeFormNeuZeichnen);
        connect(m_form.get(), &AusgabeForm::zoomRequested, this,
                &ValueTimeAnalysis::AusgabeFormZoom);
    }
    return *m_form;
}

void ValueTimeAnalysis::unloadGraphWindow() {
    m_form.reset();
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

    AusgabeForm& form = openGraphWindow();
    form.SetAusgabeZeiten(zeitart);
    form.setWindowTitle(QStringLiteral("Schusswert/Zeit Analyse"));
    form.showMaximized();
    form.raise();
    form.activateWindow();
    form.Picture1()->setFocus();
    // A graph window that is already open and maximized gets no resize.
    AusgabeFormNeuZeichnen();
}

GraphLayout ValueTimeAnalysis::draw(QPainter& painter, QSize picture,
                                    const QString& zeitart) const {
    const GraphLayout graph = layout(picture, zeitart);
    paintGraph(painter, graph);
    return graph;
}

GraphLayout ValueTimeAnalysis::layout(QSize picture, const QString& zeitart) const {
    const QString text = m_times(zeitart == shotTimeKind());
    return layoutGraph(picture, m_bounds, parseTimeLines(text, m_locale), m_values, m_locale);
}

void ValueTimeAnalysis::AusgabeFormNeuZeichnen() {
    if (!m_form)
        return;
    m_form->setGraph(layout(pictureSize(m_form->frameGeometry().size()), m_form->Zeitart()));
}

void ValueTimeAnalysis::AusgabeFormZoom(const ZoomStep& step) {
    m_bounds = zoomed(m_bounds, m_variant, step);
    AusgabeFormNeuZeichnen();
}

} // namespace ankerblick
