#include "callingtraining.h"

#include "diaryseries.h"
#include "targetsheet.h"

#include <QCoreApplication>

namespace ankerblick::calls {

CallingTally tallyOf(const diary::Series& series, int discipline) {
    QList<diary::Shot> called;
    for (const diary::Shot& shot : series.shots)
        if (shot.call)
            called << shot;
    return {int(called.size()), callFigures(called, discipline).inCall};
}

bool reached(CallingTally tally, CallingGoal goal) {
    return tally.called >= goal.shots && tally.inCall >= goal.inCall;
}

QString goalLine(CallingGoal goal) {
    return QCoreApplication::translate("CallingTraining", "Ziel: %1 von %2 Schüssen in der Ansage")
        .arg(goal.inCall)
        .arg(goal.shots);
}

QString tallyLine(int series, CallingTally tally, CallingGoal goal, bool hidden) {
    if (tally.called >= goal.shots)
        return (reached(tally, goal)
                    ? QCoreApplication::translate(
                          "CallingTraining", "Serie %1: %2 von %3 in der Ansage – Ziel erreicht")
                    : QCoreApplication::translate(
                          "CallingTraining", "Serie %1: %2 von %3 in der Ansage – Ziel verfehlt"))
            .arg(series)
            .arg(tally.inCall)
            .arg(tally.called);
    if (tally.called == 0)
        return QCoreApplication::translate("CallingTraining", "Serie %1: noch kein Schuss angesagt")
            .arg(series);
    if (hidden)
        return QCoreApplication::translate(
                   "CallingTraining",
                   "Serie %1: %2 von %3 Schüssen angesagt, die Treffer folgen nach der Serie")
            .arg(series)
            .arg(tally.called)
            .arg(goal.shots);
    return QCoreApplication::translate("CallingTraining",
                                       "Serie %1: bisher %2 von %3 in der Ansage")
        .arg(series)
        .arg(tally.inCall)
        .arg(tally.called);
}

GoalProgress goalProgress(const QList<diary::Series>& series, int discipline, CallingGoal goal) {
    GoalProgress progress;
    for (const diary::Series& s : series) {
        const CallingTally tally = tallyOf(s, discipline);
        if (s.sighter || tally.called < goal.shots)
            continue;
        ++progress.series;
        progress.reached += reached(tally, goal) ? 1 : 0;
    }
    return progress;
}

QString goalProgressText(GoalProgress progress, CallingGoal goal) {
    if (progress.series == 0)
        return {};
    return QCoreApplication::translate(
               "CallingTraining", "Ziel %1 von %2 in der Ansage: in %3 von %4 Serien erreicht.")
        .arg(goal.inCall)
        .arg(goal.shots)
        .arg(progress.reached)
        .arg(progress.series);
}

QString callingStatus(const TargetSheet& sheet, const RatingOptions& options,
                      const QLocale& locale) {
    const std::optional<CallingGoal> goal = sheet.callingGoal();
    if (!goal)
        return {};
    const int discipline = sheet.face().discipline();
    const ShotNotes notes = sheet.notes();
    QList<diary::Series> series;
    for (int n = 1; n <= int(sheet.seriesList().size()) && sheet.store().contains(n); ++n)
        series << diary::diarySeries(sheet.store()[n], n, sheet.face(), &options, notes);
    const int shown = sheet.selectedSeries();
    const diary::Series none{shown, {}, {}, {}, false};
    const diary::Series& selected = shown >= 1 && shown <= series.size() ? series[shown - 1] : none;
    const CallingTally tally = tallyOf(selected, discipline);
    QStringList lines{goalLine(*goal),
                      tallyLine(shown, tally, *goal, sheet.concealsSelectedSeries())};
    if (tally.called >= goal->shots)
        lines << findingOf(series, discipline, locale).text;
    return lines.join(u'\n');
}

Finding trainingFinding(const QList<diary::Series>& series, int discipline, const QString& program,
                        const QLocale& locale) {
    Finding finding = findingOf(series, discipline, locale);
    if (const std::optional<CallingGoal> goal = callingGoalOf(program)) {
        const QString progress = goalProgressText(goalProgress(series, discipline, *goal), *goal);
        if (!progress.isEmpty())
            finding.text = QStringLiteral("%1 %2").arg(finding.text, progress);
    }
    return finding;
}

} // namespace ankerblick::calls
