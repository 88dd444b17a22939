#pragma once

// The value/time analysis as a calling window carries it: the query of the
// value and time windows behind its "Schusszeit analyse" button, the graph
// laid out for its graph window, and the zoom that the graph window asks for.
// Each calling window owns one; the window supplies its time texts and the
// shot values of its series. The analysis owns its graph window: created by
// the first query, reused by later ones, deleted with the analysis.

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

    // `callerWindow` is the parent of the dialogs.
    ValueTimeAnalysis(Variant variant, UserDialogs& dialogs, TimeSource times, ValueSource values,
                      QWidget* callerWindow);
    ~ValueTimeAnalysis() override;

    // Asks for the time kind and the four bounds, then opens the graph window
    // maximized (reusing the one there is) and draws the graph.
    void Schusszeitanalyse_Click();
    // Closes and deletes the graph window if there is one.
    void unloadGraphWindow();
    // The graph window, once a query opened it.
    AusgabeForm* graphWindow() const { return m_form.get(); }

    // Draws the graph of the time kind on a picture of the given size and
    // returns what was drawn.
    timeanalysis::GraphLayout draw(QPainter& painter, QSize picture, const QString& zeitart) const;

    const timeanalysis::Bounds& bounds() const { return m_bounds; }
    Variant variant() const { return m_variant; }

public slots:
    // Lays the graph out afresh for the graph window's size and time kind.
    void AusgabeFormNeuZeichnen();
    // Changes the value and time windows as the graph window asks, and redraws.
    void AusgabeFormZoom(const timeanalysis::ZoomStep& step);

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
    std::unique_ptr<AusgabeForm> m_form;
};

} // namespace ankerblick
