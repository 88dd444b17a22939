#pragma once

// What the coach's view shows, without widgets: the shooters of the club
// with their newest training, and the trainings of the shooter chosen, with
// the sums of their series, the share of calls rated 10, Sek*mm, the mean
// point of impact and the call error. The figures stay numbers here; a
// cell's text is written when it is asked for.

#include "services/club.h"

#include <QLocale>
#include <QString>

namespace ankerblick {

class CoachSheet {
public:
    enum class ShooterColumn : int { Login, Name, Trainings, Newest, LastSum, MeanSum, Calls10 };
    static constexpr int kShooterColumns = 7;
    enum class TrainingColumn : int {
        Start,
        Discipline,
        State,
        Series,
        SeriesSums,
        MeanSum,
        Calls10,
        SekMm,
        Position,
        CallError,
    };
    static constexpr int kTrainingColumns = 10;

    // The squad as read last; the shooter chosen stays chosen while the
    // squad has them.
    void setSquad(club::Squad squad);
    const club::Squad& squad() const { return m_squad; }

    int shooterCount() const { return int(m_squad.shooters.size()); }
    // -1 while none is chosen.
    int chosen() const { return m_chosen; }
    void choose(int shooter);
    // The trainings of the shooter chosen, newest first; none without a choice.
    QList<club::SquadTraining> trainings() const;
    // The same as the diary window's charts take them, oldest first,
    // numbered from 1 in that order.
    QList<diary::TrainingSummary> progress() const;

    static QString shooterHeader(ShooterColumn column);
    QString shooterCell(int shooter, ShooterColumn column, const QLocale& locale) const;
    static QString trainingHeader(TrainingColumn column);
    static QString trainingCell(const club::SquadTraining& training, TrainingColumn column,
                                const QLocale& locale);
    static bool isFigure(TrainingColumn column);

private:
    club::Squad m_squad;
    int m_chosen = -1;
};

} // namespace ankerblick
