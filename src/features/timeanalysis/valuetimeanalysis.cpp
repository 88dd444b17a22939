#include "valuetimeanalysis.h"
#include "model/numeric.h"

#include "files/timelines.h"
#include "services/userdialogs.h"

#include <QPainter>

namespace ankerblick {

using namespace timeanalysis;

GraphWindow::~GraphWindow() {
    unload();
}

AusgabeForm& GraphWindow::open(ValueTimeAnalysis& user) {
    if (!m_form)
        m_form = std::make_unique<AusgabeForm>();
    if (m_user != &user) {
        if (m_user)
            release(*m_user);
        m_user = &user;
        m_redraw = QObject::connect(m_form.get(), &AusgabeForm::redrawRequested, &user,
                                    &ValueTimeAnalysis::redrawGraph);
        m_zoom = QObject::connect(m_form.get(), &AusgabeForm::zoomRequested, &user,
                                  &ValueTimeAnalysis::zoomGraph);
    }
    return *m_form;
}

AusgabeForm* GraphWindow::windowOf(const ValueTimeAnalysis& user) const {
    return m_user == &user ? m_form.get() : nullptr;
}

void GraphWindow::release(const ValueTimeAnalysis& user) {
    if (m_user != &user)
        return;
    QObject::disconnect(m_redraw);
    QObject::disconnect(m_zoom);
    m_user = nullptr;
}

void GraphWindow::unload() {
    if (m_user)
        release(*m_user);
    m_form.reset();
}

ValueTimeAnalysis::ValueTimeAnalysis(Variant variant, UserDialogs& dialogs, TimeSource times,
                                     ValueSource values, QWidget* callerWindow,
                                     std::shared_ptr<GraphWindow> graph)
    : m_variant(variant), m_dialogs(dialogs), m_times(std::move(times)),
      m_values(std::move(values)), m_caller(callerWindow), m_locale(QLocale()),
      m_graph(graph ? std::move(graph) : std::make_shared<GraphWindow>()) {}

ValueTimeAnalysis::~ValueTimeAnalysis() {
    m_graph->release(*this);
}

AusgabeForm& ValueTimeAnalysis::openGraphWindow() {
    return m_graph->open(*this);
}

void ValueTimeAnalysis::unloadGraphWindow() {
    m_graph->unload();
}

void ValueTimeAnalysis::showTimeAnalysis() {
    // One form; Cancel leaves without a graph.
    const std::optional<FormAnswer> answer = m_dialogs.askForm(m_caller, boundsQuery(m_locale));
    if (!answer)
        return;
    const auto read = readBounds(*answer, m_locale);
    if (!std::holds_alternative<Bounds>(read))
        return;
    const QString zeitart = answer->option == 0 ? shotTimeKind() : shootingTimeKind();
    // Nothing to show is said, not shown as an empty graph.
    if (parseTimeLines(m_times(answer->option == 0), num::fileLocale()).isEmpty()) {
        m_dialogs.messageBox(m_caller,
                             answer->option == 0
                                 ? tr("Es gibt noch keine Schusszeiten zum Anzeigen.")
                                 : tr("Es gibt noch keine Schiesszeiten zum Anzeigen."),
                             queryTitle());
        return;
    }
    m_bounds = std::get<Bounds>(read);

    AusgabeForm& form = openGraphWindow();
    form.setShownTimes(zeitart);
    form.setWindowTitle(tr("Schusswert/Zeit Analyse"));
    form.showMaximized();
    form.raise();
    form.activateWindow();
    form.Picture1()->setFocus();
    // A graph window that is already open and maximized gets no resize.
    redrawGraph();
}

GraphLayout ValueTimeAnalysis::draw(QPainter& painter, QSize picture,
                                    const QString& zeitart) const {
    const GraphLayout graph = layout(picture, zeitart);
    paintGraph(painter, graph);
    return graph;
}

GraphLayout ValueTimeAnalysis::layout(QSize picture, const QString& zeitart) const {
    const QString text = m_times(zeitart == shotTimeKind());
    return layoutGraph(picture, m_bounds, parseTimeLines(text, num::fileLocale()), m_values,
                       m_locale);
}

void ValueTimeAnalysis::redrawGraph() {
    AusgabeForm* form = m_graph->windowOf(*this);
    if (!form)
        return;
    form->setGraph(layout(pictureSize(form->frameGeometry().size()), form->Zeitart()));
}

void ValueTimeAnalysis::zoomGraph(const ZoomStep& step) {
    m_bounds = zoomed(m_bounds, m_variant, step);
    redrawGraph();
}

} // namespace ankerblick
