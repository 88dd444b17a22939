#include "diaryexport.h"

#include "files/shotnotes.h"
#include "groupreport.h"
#include "model/matchprogram.h"
#include "model/numeric.h"
#include "model/targetface.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ankerblick::diary {

namespace {

const QString kDateTimeFormat = QStringLiteral("dd.MM.yyyy HH:mm");
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

template <typename T>
QString optionalText(const std::optional<T>& v, int decimals, const QLocale& locale) {
    return v ? num::formatRounded(double(*v), decimals, locale) : QString();
}

// Quoted when the field holds the separator, a quote or a line break; quotes
// inside are doubled.
QString csvField(const QString& text) {
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString inner = text;
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

QString yesNo(bool yes) {
    return yes ? QCoreApplication::translate("DiaryExport", "ja")
               : QCoreApplication::translate("DiaryExport", "nein");
}

// Empty when the calibre is not known.
QString calibreText(double mm, const QLocale& locale) {
    return mm > 0.0 ? num::formatRounded(mm, 2, locale) : QString();
}

QStringList csvHeader() {
    return {QCoreApplication::translate("DiaryExport", "Datum"),
            QCoreApplication::translate("DiaryExport", "Schütze"),
            QCoreApplication::translate("DiaryExport", "Disziplin"),
            QCoreApplication::translate("DiaryExport", "Serie"),
            QCoreApplication::translate("DiaryExport", "Schuss"),
            QCoreApplication::translate("DiaryExport", "Treffer x (mm)"),
            QCoreApplication::translate("DiaryExport", "Treffer y (mm)"),
            QCoreApplication::translate("DiaryExport", "Wert"),
            QCoreApplication::translate("DiaryExport", "Ansage x (mm)"),
            QCoreApplication::translate("DiaryExport", "Ansage y (mm)"),
            QCoreApplication::translate("DiaryExport", "Ansagewert"),
            QCoreApplication::translate("DiaryExport", "Bewertung"),
            QCoreApplication::translate("DiaryExport", "Sek*mm"),
            QCoreApplication::translate("DiaryExport", "Schusszeit (s)"),
            QCoreApplication::translate("DiaryExport", "Schießzeit (s)"),
            QCoreApplication::translate("DiaryExport", "Kommentar"),
            QCoreApplication::translate("DiaryExport", "Innenzehner"),
            QCoreApplication::translate("DiaryExport", "Probeserie"),
            QCoreApplication::translate("DiaryExport", "Kaliber (mm)"),
            QCoreApplication::translate("DiaryExport", "Programm"),
            QCoreApplication::translate("DiaryExport", "Treffer - Ansage x (mm)"),
            QCoreApplication::translate("DiaryExport", "Treffer - Ansage y (mm)"),
            QCoreApplication::translate("DiaryExport", "In der Ansage"),
            QCoreApplication::translate("DiaryExport", "Im Halten verloren"),
            QCoreApplication::translate("DiaryExport", "Beim Schuss verloren")};
}

// What a called shot adds to the figures of the calls: hit − call, whether
// that lies within a ring width, and the rings lost in the hold and at the
// break, as calls::callFigures counts them; empty fields without a call.
QStringList callFields(const ShotRow& row, const QLocale& locale) {
    const Shot& s = row.shot;
    if (!s.call)
        return {QString(), QString(), QString(), QString(), QString()};
    const group::PointMm e{s.hit.x - s.call->x, s.hit.y - s.call->y};
    const double call = std::min(s.callValue.value_or(0.0), calls::kBestValue);
    return {num::formatRounded(e.x, 2, locale), num::formatRounded(e.y, 2, locale),
            yesNo(std::hypot(e.x, e.y) <= calls::ringWidthMm(row.discipline)),
            num::formatRounded(calls::kBestValue - call, 1, locale),
            num::formatRounded(call - s.value.value_or(0.0), 1, locale)};
}

QStringList csvFields(const ShotRow& row, const QLocale& locale) {
    const Shot& s = row.shot;
    // Texts, not optional numbers: GCC's release build takes an optional
    // made in a conditional for "maybe uninitialized".
    const QString callX = s.call ? num::formatRounded(s.call->x, 2, locale) : QString();
    const QString callY = s.call ? num::formatRounded(s.call->y, 2, locale) : QString();
    return QStringList{row.trainingStart.toString(kDateTimeFormat),
                       row.shooter,
                       disciplineCaption(row.discipline),
                       QString::number(row.series),
                       QString::number(s.slot + 1),
                       num::formatRounded(s.hit.x, 2, locale),
                       num::formatRounded(s.hit.y, 2, locale),
                       optionalText(s.value, 1, locale),
                       callX,
                       callY,
                       optionalText(s.callValue, 1, locale),
                       optionalText(s.rating, 0, locale),
                       optionalText(s.sekMm, 0, locale),
                       optionalText(s.shotTime, 3, locale),
                       optionalText(s.shootingTime, 3, locale),
                       s.comment,
                       yesNo(s.innerTen),
                       yesNo(row.sighter),
                       calibreText(row.calibreMm, locale),
                       row.program} +
           callFields(row, locale);
}

QString csvLine(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& f : fields)
        quoted << csvField(f);
    return quoted.join(u';') + QStringLiteral("\r\n");
}

double distanceOf(const std::optional<group::PointMm>& p) {
    return p ? std::hypot(p->x, p->y) : -1.0;
}

// Missing figures order before every figure.
double keyOf(const std::optional<double>& v) {
    return v ? *v : -std::numeric_limits<double>::infinity();
}

} // namespace

QByteArray shotCsv(const QList<ShotRow>& rows, const QLocale& locale) {
    QString text = csvLine(csvHeader());
    for (const ShotRow& row : rows)
        text += csvLine(csvFields(row, locale));
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

QString trainingHeader(TrainingColumn column) {
    switch (column) {
    case TrainingColumn::Date:
        return QCoreApplication::translate("DiaryExport", "Datum");
    case TrainingColumn::Shooter:
        return QCoreApplication::translate("DiaryExport", "Schütze");
    case TrainingColumn::Discipline:
        return QCoreApplication::translate("DiaryExport", "Disziplin");
    case TrainingColumn::Window:
        return QCoreApplication::translate("DiaryExport", "Fenster");
    case TrainingColumn::Series:
        return QCoreApplication::translate("DiaryExport", "Serien");
    case TrainingColumn::MeanWhole:
        return QCoreApplication::translate("DiaryExport", "Schnitt (Ringe)");
    case TrainingColumn::MeanTenths:
        return QCoreApplication::translate("DiaryExport", "Schnitt (Zehntel)");
    case TrainingColumn::Calls10:
        return QCoreApplication::translate("DiaryExport", "Ansagen 10 %");
    case TrainingColumn::SekMm:
        return QCoreApplication::translate("DiaryExport", "Sek*mm");
    case TrainingColumn::Position:
        return QCoreApplication::translate("DiaryExport", "Trefferlage");
    case TrainingColumn::GroupSize:
        return QCoreApplication::translate("DiaryExport", "Streukreis (mm)");
    case TrainingColumn::InnerTens:
        return QCoreApplication::translate("DiaryExport", "Innenzehner");
    case TrainingColumn::Calibre:
        return QCoreApplication::translate("DiaryExport", "Kaliber (mm)");
    case TrainingColumn::Program:
        return QCoreApplication::translate("DiaryExport", "Programm");
    }
    return QString();
}

QString trainingCell(const TrainingSummary& row, TrainingColumn column, const QLocale& locale) {
    const bool hasSeries = row.series > 0;
    switch (column) {
    case TrainingColumn::Date:
        return row.training.start.toString(kDateTimeFormat);
    case TrainingColumn::Shooter:
        return row.training.shooter;
    case TrainingColumn::Discipline:
        return disciplineCaption(row.training.discipline);
    case TrainingColumn::Window:
        return windowCaption(row.training.window);
    case TrainingColumn::Series:
        return QString::number(row.series);
    case TrainingColumn::MeanWhole:
        return hasSeries ? num::formatFixed(row.meanSumWhole, 1, locale) : QString();
    case TrainingColumn::MeanTenths:
        return hasSeries ? num::formatFixed(row.meanSumTenths, 1, locale) : QString();
    case TrainingColumn::Calls10:
        return row.call10Share ? num::formatRounded(*row.call10Share * 100.0, 0, locale)
                               : QString();
    case TrainingColumn::SekMm:
        return optionalText(row.meanSekMm, kSekMmMeanDecimals, locale);
    case TrainingColumn::Position:
        return row.mpi ? group::positionText(*row.mpi, locale) : QString();
    case TrainingColumn::GroupSize:
        return row.meanGroupSize ? num::formatFixed(*row.meanGroupSize, 1, locale) : QString();
    case TrainingColumn::InnerTens:
        return hasSeries ? QString::number(row.innerTens) : QString();
    case TrainingColumn::Calibre:
        return calibreText(row.training.calibreMm, locale);
    case TrainingColumn::Program:
        return shownProgram(row.training.program);
    }
    return QString();
}

bool isFigureColumn(TrainingColumn column) {
    return column == TrainingColumn::Series || column == TrainingColumn::MeanWhole ||
           column == TrainingColumn::MeanTenths || column == TrainingColumn::Calls10 ||
           column == TrainingColumn::SekMm || column == TrainingColumn::GroupSize ||
           column == TrainingColumn::InnerTens || column == TrainingColumn::Calibre;
}

bool trainingLess(const TrainingSummary& a, const TrainingSummary& b, TrainingColumn column) {
    const auto text = [](const QString& x, const QString& y) {
        return QString::localeAwareCompare(x, y) < 0;
    };
    const auto mean = [](const TrainingSummary& t, double v) {
        return t.series > 0 ? std::optional(v) : std::nullopt;
    };
    switch (column) {
    case TrainingColumn::Date:
        return a.training.start < b.training.start;
    case TrainingColumn::Shooter:
        return text(a.training.shooter, b.training.shooter);
    case TrainingColumn::Discipline:
        return a.training.discipline < b.training.discipline;
    case TrainingColumn::Window:
        return text(windowCaption(a.training.window), windowCaption(b.training.window));
    case TrainingColumn::Series:
        return a.series < b.series;
    case TrainingColumn::MeanWhole:
        return keyOf(mean(a, a.meanSumWhole)) < keyOf(mean(b, b.meanSumWhole));
    case TrainingColumn::MeanTenths:
        return keyOf(mean(a, a.meanSumTenths)) < keyOf(mean(b, b.meanSumTenths));
    case TrainingColumn::Calls10:
        return keyOf(a.call10Share) < keyOf(b.call10Share);
    case TrainingColumn::SekMm:
        return keyOf(a.meanSekMm) < keyOf(b.meanSekMm);
    case TrainingColumn::Position:
        return distanceOf(a.mpi) < distanceOf(b.mpi);
    case TrainingColumn::GroupSize:
        return keyOf(a.meanGroupSize) < keyOf(b.meanGroupSize);
    case TrainingColumn::InnerTens:
        return keyOf(mean(a, a.innerTens)) < keyOf(mean(b, b.innerTens));
    case TrainingColumn::Calibre:
        return a.training.calibreMm < b.training.calibreMm;
    case TrainingColumn::Program:
        return text(a.training.program, b.training.program);
    }
    return false;
}

QString windowCaption(const QString& windowName) {
    if (windowName == u"Form1")
        return QCoreApplication::translate("DiaryExport", "Hauptfenster");
    if (windowName.compare(u"AnalyseAnzeige", Qt::CaseInsensitive) == 0)
        return QCoreApplication::translate("DiaryExport", "Analyse");
    return windowName;
}

QString filterText(const Filter& filter) {
    const QString shooter = filter.shooter.isEmpty()
                                ? QCoreApplication::translate("DiaryExport", "Alle")
                                : filter.shooter;
    const QString discipline = filter.discipline < 0
                                   ? QCoreApplication::translate("DiaryExport", "Alle")
                                   : disciplineCaption(filter.discipline);
    QString period = QCoreApplication::translate("DiaryExport", "gesamt");
    if (filter.from.isValid() && filter.to.isValid())
        period = QCoreApplication::translate("DiaryExport", "%1 bis %2")
                     .arg(filter.from.toString(kDateFormat), filter.to.toString(kDateFormat));
    else if (filter.from.isValid())
        period = QCoreApplication::translate("DiaryExport", "ab %1")
                     .arg(filter.from.toString(kDateFormat));
    else if (filter.to.isValid())
        period = QCoreApplication::translate("DiaryExport", "bis %1")
                     .arg(filter.to.toString(kDateFormat));
    return QCoreApplication::translate("DiaryExport", "Schütze: %1 · Disziplin: %2 · Zeitraum: %3")
        .arg(shooter, discipline, period);
}

QString countText(qsizetype trainings, qsizetype series) {
    return QCoreApplication::translate("DiaryExport", "%1 %2 mit %3 %4")
        .arg(trainings)
        .arg(trainings == 1 ? QCoreApplication::translate("DiaryExport", "Training")
                            : QCoreApplication::translate("DiaryExport", "Trainings"))
        .arg(series)
        .arg(series == 1 ? QCoreApplication::translate("DiaryExport", "Serie")
                         : QCoreApplication::translate("DiaryExport", "Serien"));
}

namespace {

// The trainings with series in the order of their start, grouped by day.
QList<QList<const TrainingSummary*>> trainingDays(const QList<TrainingSummary>& trainings) {
    QList<const TrainingSummary*> shot;
    for (const TrainingSummary& t : trainings)
        if (t.series > 0)
            shot << &t;
    std::stable_sort(shot.begin(), shot.end(), [](const auto* a, const auto* b) {
        return a->training.start < b->training.start;
    });
    QList<QList<const TrainingSummary*>> days;
    for (const TrainingSummary* t : shot) {
        if (days.isEmpty() ||
            days.last().first()->training.start.date() != t->training.start.date())
            days.append(QList<const TrainingSummary*>());
        days.last() << t;
    }
    return days;
}

void addPoints(DiaryCharts& charts, double x, const TrainingSummary& t) {
    charts.trainingX.append({t.training.id, x});
    charts.sumWhole << QPointF(x, t.meanSumWhole);
    charts.sumTenths << QPointF(x, t.meanSumTenths);
    if (t.call10Share)
        charts.calls10 << QPointF(x, *t.call10Share * 100.0);
    if (t.mpi) {
        charts.mpiX << QPointF(x, t.mpi->x);
        charts.mpiY << QPointF(x, t.mpi->y);
    }
}

} // namespace

DiaryCharts chartData(const QList<TrainingSummary>& trainings) {
    DiaryCharts charts;
    const QList<QList<const TrainingSummary*>> days = trainingDays(trainings);
    for (qsizetype day = 0; day < days.size(); ++day) {
        const QList<const TrainingSummary*>& of = days.at(day);
        for (qsizetype k = 0; k < of.size(); ++k)
            addPoints(charts, double(day) + (double(k) + 0.5) / double(of.size()) - 0.5, *of.at(k));
        charts.days << ChartDay{double(day), of.first()->training.start.date()};
    }
    return charts;
}

void addCallLines(DiaryCharts& charts, const QList<calls::TrainingCalls>& trainings) {
    charts.inCall.clear();
    charts.inCallRolling.clear();
    for (const calls::TrainingCalls& t : trainings) {
        const auto at = std::find_if(charts.trainingX.begin(), charts.trainingX.end(),
                                     [&](const auto& p) { return p.first == t.training; });
        if (at == charts.trainingX.end())
            continue; // a training the table does not show
        charts.inCall << QPointF(at->second, 100.0 * t.figures.inCallShare());
        charts.inCallRolling << QPointF(at->second, 100.0 * t.rollingInCallShare);
    }
    charts.callChange = calls::callChangeText(trainings);
}

QList<ChartDay> labelledDays(const QList<ChartDay>& days, int most) {
    if (most <= 0 || days.isEmpty())
        return {};
    const qsizetype step = (days.size() + most - 1) / most;
    QList<ChartDay> out;
    for (qsizetype i = 0; i < days.size(); i += step)
        out << days.at(i);
    return out;
}

std::optional<YRange> yRangeOf(const QList<const QList<QPointF>*>& lines) {
    std::optional<YRange> range;
    for (const QList<QPointF>* line : lines) {
        for (const QPointF& p : *line) {
            if (!range)
                range = YRange{p.y(), p.y()};
            range->min = std::min(range->min, p.y());
            range->max = std::max(range->max, p.y());
        }
    }
    return range;
}

QList<RingBin> ringHistogram(const std::map<int, int>& countsByTenths) {
    std::map<int, int> byRing;
    for (const auto& [tenths, count] : countsByTenths)
        byRing[tenths / 10] += count;
    QList<RingBin> bins;
    if (byRing.empty())
        return bins;
    for (int ring = byRing.begin()->first; ring <= byRing.rbegin()->first; ++ring) {
        const auto it = byRing.find(ring);
        bins.append({ring, it == byRing.end() ? 0 : it->second});
    }
    return bins;
}

} // namespace ankerblick::diary
