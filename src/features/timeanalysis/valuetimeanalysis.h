#pragma once

// The value/time analysis as a calling window carries it: the query of the
// value and time windows behind its "Schusszeit analyse" button, the graph
// laid out for its graph window, and the zoom that the graph window asks for.
// Each calling window owns one; the window supplies its time texts and the
// shot values of its series. There is one graph window at a time, shared by
// the analyses handed the same GraphWindow: created by the first query,
// reused by later ones (of any of them), deleted with the last of them.

#include "ausgabeform.h"
#include "sheets/graphlayout.h"
#include "sheets/valuebounds.h"

#include <QLocale>
#include <QString>

#include <QObject>

#include <functional>
#include <memory>

class QPainter;
class QWidget;

namespace ankerblick {

class UserDialogs;
class ValueTimeAnalysis;

// The graph window that value/time analyses share: it sends its redraw and
// zoom requests to the analysis that opened it last.
class GraphWindow final {
public:
    GraphWindow() = default;
    GraphWindow(const GraphWindow&) = delete;
    GraphWindow& operator=(const GraphWindow&) = delete;
    ~GraphWindow();

    AusgabeForm& open(ValueTimeAnalysis& user);
    // The window while it shows the graph of `user`.
    AusgabeForm* windowOf(const ValueTimeAnalysis& user) const;
    AusgabeForm* window() const { return m_form.get(); }
    // The analysis goes away: the window stays and answers no more.
    void release(const ValueTimeAnalysis& user);
    void unload();

private:
    std::unique_ptr<AusgabeForm> m_form;
    ValueTimeAnalysis* m_user = nullptr;
    QMetaObject::Connection m_redraw;
    QMetaObject::Connection m_zoom;
};

class ValueTimeAnalysis final : public QObject {
    Q_OBJECT
public:
    using Variant = timeanalysis::Variant;
    // The window's shot-time text ("Schusszeit", stopped by hand) for true,
    // its shooting-time text ("Schiesszeit") for false.
    using TimeSource = std::function<QString(bool handStopped)>;
    // The value of entry `entry` (from 0) of the shot-value list that series
    // `series` (from 1) would show; empty when there is no such series or entry.
    using ValueSource = timeanalysis::ValueLookup;

    // `callerWindow` is the parent of the dialogs; without a shared graph
    // window the analysis has one of its own.
    ValueTimeAnalysis(Variant variant, UserDialogs& dialogs, TimeSource times, ValueSource values,
                      QWidget* callerWindow, std::shared_ptr<GraphWindow> graph = nullptr);
    ~ValueTimeAnalysis() override;

    // Asks for the time kind and the four bounds, then opens the graph window
    // maximized (reusing the one there is) and draws the graph.
    void showTimeAnalysis();
    // Closes and deletes the graph window if there is one.
    void unloadGraphWindow();
    // The graph window while it shows this analysis' graph.
    AusgabeForm* graphWindow() const { return m_graph->windowOf(*this); }

    // Draws the graph of the time kind on a picture of the given size and
    // returns what was drawn.
    timeanalysis::GraphLayout draw(QPainter& painter, QSize picture, const QString& zeitart) const;

    const timeanalysis::Bounds& bounds() const { return m_bounds; }
    Variant variant() const { return m_variant; }

public Q_SLOTS:
    // Lays the graph out afresh for the graph window's size and time kind.
    void redrawGraph();
    // Changes the value and time windows as the graph window asks, and redraws.
    void zoomGraph(const timeanalysis::ZoomStep& step);

private:
    AusgabeForm& openGraphWindow();
    timeanalysis::GraphLayout layout(QSize picture, const QString& zeitart) const;

    Variant m_variant;
    UserDialogs& m_dialogs;
    TimeSource m_times;
    ValueSource m_values;
    QWidget* m_caller;
    QLocale m_locale;
    timeanalysis::Bounds m_bounds;
    std::shared_ptr<GraphWindow> m_graph;
};

} // namespace ankerblick
