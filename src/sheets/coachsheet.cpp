#include "coachsheet.h"

#include "groupreport.h"
#include "model/numeric.h"
#include "model/targetface.h"

#include <QCoreApplication>
#include <QStringList>

namespace ankerblick {

namespace {

QString startText(const QDateTime& start, const QLocale& locale) {
    return start.isValid()
               ? locale.toString(start.toLocalTime(), QStringLiteral("dd.MM.yyyy HH:mm"))
               : QString();
}

QString percentText(const std::optional<double>& share, const QLocale& locale) {
    return share ? num::formatRounded(*share * 100.0, 0, locale) : QString();
}

QString meanSumText(const club::SquadTraining& t, const QLocale& locale) {
    return t.summary.series > 0 ? num::formatFixed(t.summary.meanSumTenths, 1, locale) : QString();
}

} // namespace

void CoachSheet::setSquad(club::Squad squad) {
    const QString login = m_chosen >= 0 ? m_squad.shooters.at(m_chosen).login : QString();
    m_squad = std::move(squad);
    m_chosen = -1;
    for (int i = 0; i < shooterCount(); ++i)
        if (!login.isEmpty() && m_squad.shooters.at(i).login == login)
            m_chosen = i;
}

void CoachSheet::choose(int shooter) {
    m_chosen = shooter >= 0 && shooter < shooterCount() ? shooter : -1;
}

QList<club::SquadTraining> CoachSheet::trainings() const {
    if (m_chosen < 0)
        return {};
    QList<club::SquadTraining> newestFirst = m_squad.shooters.at(m_chosen).trainings;
    std::reverse(newestFirst.begin(), newestFirst.end());
    return newestFirst;
}

QList<diary::TrainingSummary> CoachSheet::progress() const {
    QList<diary::TrainingSummary> rows;
    if (m_chosen >= 0)
        for (const club::SquadTraining& t : m_squad.shooters.at(m_chosen).trainings) {
            rows << t.summary;
            rows.last().training.id = rows.size();
            rows.last().serverId = t.id;
        }
    return rows;
}

QString CoachSheet::shooterHeader(ShooterColumn column) {
    switch (column) {
    case ShooterColumn::Login:
        return QCoreApplication::translate("CoachSheet", "Anmeldung");
    case ShooterColumn::Name:
        return QCoreApplication::translate("CoachSheet", "Name");
    case ShooterColumn::Trainings:
        return QCoreApplication::translate("CoachSheet", "Trainings");
    case ShooterColumn::Newest:
        return QCoreApplication::translate("CoachSheet", "Neuestes Training");
    case ShooterColumn::LastSum:
        return QCoreApplication::translate("CoachSheet", "Letzte Serie");
    case ShooterColumn::MeanSum:
        return QCoreApplication::translate("CoachSheet", "Mittel");
    case ShooterColumn::Calls10:
        return QCoreApplication::translate("CoachSheet", "Ansagen 10 %");
    }
    return {};
}

QString CoachSheet::shooterCell(int shooter, ShooterColumn column, const QLocale& locale) const {
    if (shooter < 0 || shooter >= shooterCount())
        return {};
    const club::SquadShooter& s = m_squad.shooters.at(shooter);
    const club::SquadTraining* newest = s.trainings.isEmpty() ? nullptr : &s.trainings.last();
    switch (column) {
    case ShooterColumn::Login:
        return s.login;
    case ShooterColumn::Name:
        return newest ? newest->summary.training.shooter : QString();
    case ShooterColumn::Trainings:
        return locale.toString(s.trainings.size());
    case ShooterColumn::Newest:
        if (!newest)
            return QCoreApplication::translate("CoachSheet", "noch keins");
        return newest->summary.training.end
                   ? startText(newest->summary.training.start, locale)
                   : QCoreApplication::translate("CoachSheet", "%1 (läuft)")
                         .arg(startText(newest->summary.training.start, locale));
    case ShooterColumn::LastSum:
        return newest && !newest->seriesSums.isEmpty()
                   ? num::formatFixed(newest->seriesSums.last(), 1, locale)
                   : QString();
    case ShooterColumn::MeanSum:
        return newest ? meanSumText(*newest, locale) : QString();
    case ShooterColumn::Calls10:
        return newest ? percentText(newest->summary.call10Share, locale) : QString();
    }
    return {};
}

QString CoachSheet::trainingHeader(TrainingColumn column) {
    switch (column) {
    case TrainingColumn::Start:
        return QCoreApplication::translate("CoachSheet", "Beginn");
    case TrainingColumn::Discipline:
        return QCoreApplication::translate("CoachSheet", "Disziplin");
    case TrainingColumn::State:
        return QCoreApplication::translate("CoachSheet", "Stand");
    case TrainingColumn::Series:
        return QCoreApplication::translate("CoachSheet", "Serien");
    case TrainingColumn::SeriesSums:
        return QCoreApplication::translate("CoachSheet", "Seriensummen");
    case TrainingColumn::MeanSum:
        return QCoreApplication::translate("CoachSheet", "Mittel");
    case TrainingColumn::Calls10:
        return QCoreApplication::translate("CoachSheet", "Ansagen 10 %");
    case TrainingColumn::SekMm:
        return QCoreApplication::translate("CoachSheet", "Sek*mm");
    case TrainingColumn::Position:
        return QCoreApplication::translate("CoachSheet", "Trefferlage");
    case TrainingColumn::CallError:
        return QCoreApplication::translate("CoachSheet", "Ansagefehler");
    }
    return {};
}

QString CoachSheet::trainingCell(const club::SquadTraining& t, TrainingColumn column,
                                 const QLocale& locale) {
    const diary::TrainingSummary& s = t.summary;
    switch (column) {
    case TrainingColumn::Start:
        return startText(s.training.start, locale);
    case TrainingColumn::Discipline:
        return s.training.discipline >= 0 && s.training.discipline < kDisciplineCount
                   ? disciplineCaption(s.training.discipline)
                   : QString();
    case TrainingColumn::State:
        return s.training.end ? QCoreApplication::translate("CoachSheet", "beendet")
                              : QCoreApplication::translate("CoachSheet", "läuft");
    case TrainingColumn::Series:
        return locale.toString(s.series);
    case TrainingColumn::SeriesSums: {
        QStringList sums;
        for (double sum : t.seriesSums)
            sums << num::formatFixed(sum, 1, locale);
        return sums.join(QStringLiteral(" · "));
    }
    case TrainingColumn::MeanSum:
        return meanSumText(t, locale);
    case TrainingColumn::Calls10:
        return percentText(s.call10Share, locale);
    case TrainingColumn::SekMm:
        return s.meanSekMm ? num::formatRounded(*s.meanSekMm, kSekMmMeanDecimals, locale)
                           : QString();
    case TrainingColumn::Position:
        return s.mpi ? group::positionText(*s.mpi, locale) : QString();
    case TrainingColumn::CallError:
        return t.callError ? group::positionText(*t.callError, locale) : QString();
    }
    return {};
}

bool CoachSheet::isFigure(TrainingColumn column) {
    return column == TrainingColumn::Series || column == TrainingColumn::MeanSum ||
           column == TrainingColumn::Calls10 || column == TrainingColumn::SekMm;
}

} // namespace ankerblick
