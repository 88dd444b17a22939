#pragma once

// The value/time analysis as a calling window carries it: the query of the
// value and time windows behind its "Schusszeit analyse" button, the graph
// drawn into the graph window, and the zoom that the graph window asks for.
// Each calling window owns one; the window supplies its time texts and the
// shot values of its series.

#include "ausgabeform.h"
#include "sheets/graphlayout.h"
#include "sheets/valuebounds.h"

#include <QLocale>
#include <QString>

#include <functional>

class QPainter;
class QWidget;

namespace ankerblick {

class UserDialogs;

// Paints a laid-out graph: white ground, black lines, red labels, red discs
// with a black rim.
void paintGraph(QPainter& painter, const timeanalysis::GraphLayout& graph);

class ValueTimeAnalysis final : public AusgabeAufrufer {
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
    // A graph window still showing this analysis forgets it.
    ~ValueTimeAnalysis();
    ValueTimeAnalysis(const ValueTimeAnalysis&) = delete;
    ValueTimeAnalysis& operator=(const ValueTimeAnalysis&) = delete;

    // Asks for the time kind and the four bounds, then opens the graph window
    // maximized (reusing the one there is) and draws the graph.
    void Schusszeitanalyse_Click();

    void AusgabeFormNeuZeichnen(QString& AusgabeZt) override;
    void AusgabeFormZoom(double& a, double& b, double& c, double& d) override;

    // Draws the graph of the time kind on a picture of the given size and
    // returns what was drawn.
    timeanalysis::GraphLayout draw(QPainter& painter, QSize picture, const QString& zeitart) const;

    const timeanalysis::Bounds& bounds() const { return m_bounds; }
    Variant variant() const { return m_variant; }

private:
    Variant m_variant;
    UserDialogs& m_dialogs;
    TimeSource m_times;
    ValueSource m_values;
    QWidget* m_caller;
    QLocale m_locale;
    timeanalysis::Bounds m_bounds;
};

} // namespace ankerblick
