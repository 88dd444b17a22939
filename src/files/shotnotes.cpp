#include "shotnotes.h"

#include "model/matchprogram.h"
#include "model/numeric.h"
#include "timelines.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace ankerblick {

namespace {
const QString kMatchPrefix = QStringLiteral("Wettkampf: ");
// The most shots a series holds.
constexpr int kSeriesShots = 10;
} // namespace

QString matchNote(const QString& program) {
    return kMatchPrefix + program;
}

QString sighterNote() {
    return QStringLiteral("Probe");
}

QString lateNote() {
    return QStringLiteral("nach Zeit");
}

QString checkNote() {
    return QStringLiteral("bitte prüfen");
}

QString movedNote() {
    return QStringLiteral("Treffer verschoben");
}

QString addedNote() {
    return QStringLiteral("Treffer ergänzt");
}

QString deviceValueNote(double value) {
    return QStringLiteral("Wert der Scheibe: %1").arg(num::fileLocale().toString(value, 'f', 1));
}

QString fileValueNote(double value, bool innerTen) {
    const bool tenths = std::round(value) != value;
    return QStringLiteral("Wert der Datei: %1%2")
        .arg(num::fileLocale().toString(value, 'f', tenths ? 1 : 0),
             innerTen ? QStringLiteral("*") : QString());
}

QString removedNote(int shot) {
    return QStringLiteral("Treffer %1 entfernt").arg(shot);
}

ShotNote correctionMark(int series, int shot, const QString& text) {
    return {series, shot, std::nullopt, text, {}, true};
}

ShotNote programMark(const QString& program) {
    return {1, 0, std::nullopt, matchNote(program), {}, true};
}

QString callingGoalNote(CallingGoal goal) {
    return QStringLiteral("Ansagetraining: %1 von %2").arg(goal.inCall).arg(goal.shots);
}

ShotNote callingGoalMark(CallingGoal goal) {
    return {1, 0, std::nullopt, callingGoalNote(goal), {}, true};
}

std::optional<CallingGoal> callingGoalOf(const QString& text) {
    static const QRegularExpression note(
        QStringLiteral("^Ansagetraining: (\\d{1,2}) von (\\d{1,2})$"));
    const QRegularExpressionMatch m = note.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const CallingGoal goal{m.captured(1).toInt(), m.captured(2).toInt()};
    if (goal.inCall < 1 || goal.inCall > goal.shots || goal.shots > kSeriesShots)
        return std::nullopt;
    return goal;
}

std::optional<CallingGoal> callingGoalOf(const QList<ShotNote>& comments) {
    for (const ShotNote& n : comments)
        if (n.mark && n.series == 1 && n.shot == 0)
            if (const std::optional<CallingGoal> goal = callingGoalOf(n.text))
                return goal;
    return std::nullopt;
}

QString shownProgram(const QString& program) {
    if (const std::optional<CallingGoal> goal = callingGoalOf(program))
        return QCoreApplication::translate("ShotNotes", "Ansagetraining: %1 von %2")
            .arg(goal->inCall)
            .arg(goal->shots);
    return shownName(program);
}

ShotNote sighterMark(int series) {
    return {series, 0, std::nullopt, sighterNote(), {}, true};
}

ShotNote lateMark(int series, int shot) {
    return {series, shot, std::nullopt, lateNote(), {}, true};
}

namespace {

// The value a note says the device gave; none for another text.
std::optional<QString> deviceValueOf(const QString& text) {
    static const QRegularExpression value(QStringLiteral("^Wert der Scheibe: (-?\\d+,\\d)$"));
    const QRegularExpressionMatch m = value.match(text);
    return m.hasMatch() ? std::optional<QString>(m.captured(1)) : std::nullopt;
}

// The value a note says a shot file gave; none for another text.
std::optional<QString> fileValueOf(const QString& text) {
    static const QRegularExpression value(QStringLiteral("^Wert der Datei: (-?\\d+(,\\d)?\\*?)$"));
    const QRegularExpressionMatch m = value.match(text);
    return m.hasMatch() ? std::optional<QString>(m.captured(1)) : std::nullopt;
}

// The number of the shot a note says was taken out; none for another text.
std::optional<int> removedShot(const QString& text) {
    static const QRegularExpression removed(QStringLiteral("^Treffer ([1-9]\\d?) entfernt$"));
    const QRegularExpressionMatch m = removed.match(text);
    return m.hasMatch() ? std::optional<int>(m.captured(1).toInt()) : std::nullopt;
}

// Whether a note at this place with this text reads as a mark.
bool readsAsMark(int series, int shot, const QString& text) {
    if (series < 1 || shot < 0)
        return false;
    if (shot == 0)
        return text == sighterNote() || (series == 1 && text.startsWith(kMatchPrefix)) ||
               (series == 1 && callingGoalOf(text).has_value()) || removedShot(text).has_value();
    return text == lateNote() || text == checkNote() || text == movedNote() ||
           text == addedNote() || deviceValueOf(text).has_value() || fileValueOf(text).has_value();
}

} // namespace

QString matchProgramOf(const QList<ShotNote>& comments) {
    for (const ShotNote& n : comments)
        if (n.mark && n.series == 1 && n.shot == 0 && n.text.startsWith(kMatchPrefix))
            return n.text.mid(kMatchPrefix.size()).trimmed();
    return {};
}

bool isSighterSeries(const QList<ShotNote>& comments, int series) {
    return std::any_of(comments.begin(), comments.end(), [&](const ShotNote& n) {
        return n.mark && n.series == series && n.shot == 0 && n.text == sighterNote();
    });
}

QList<int> sighterSeriesOf(const QList<ShotNote>& comments, int count) {
    QList<int> series;
    for (int n = 1; n <= count; ++n)
        if (isSighterSeries(comments, n))
            series.append(n);
    return series;
}

bool isLateShot(const QList<ShotNote>& comments, int series, int shot) {
    return std::any_of(comments.begin(), comments.end(), [&](const ShotNote& n) {
        return n.mark && n.series == series && n.shot == shot && n.text == lateNote();
    });
}

using namespace Qt::StringLiterals;

namespace {

// The lines of a text, each with its line end.
QList<QString> linesOf(const QString& text) {
    QList<QString> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype newline = text.indexOf(u'\n', start);
        const qsizetype next = newline < 0 ? text.size() : newline + 1;
        lines.append(text.mid(start, next - start));
        start = next;
    }
    return lines;
}

QStringView withoutLineEnd(QStringView line) {
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

} // namespace

QString commentLine(int series, int shot, const QString& text) {
    return u"Serie: "_s + QString::number(series) + u" Schuss: "_s + QString::number(shot) +
           u": "_s + text + u"\r\n"_s;
}

QString timeLine(int series, int shot, double seconds, const QLocale& locale) {
    return u"Serie:"_s + QString::number(series) + u" Schuss:"_s + QString::number(shot) + u": "_s +
           num::formatNumber(seconds, locale) + u"\r\n"_s;
}

QString commentsText(const QList<ShotNote>& notes) {
    QString text;
    for (const ShotNote& n : notes) {
        if (!n.written.isEmpty()) {
            text += n.written;
            continue;
        }
        const bool typedMark = !n.mark && readsAsMark(n.series, n.shot, n.text.trimmed());
        text += commentLine(n.series, n.shot, typedMark ? u' ' + n.text : n.text);
    }
    return text;
}

namespace {

// A value as a note keeps it ("10,4", "10*"), in the numbers of the
// program's language.
QString shownValue(QString kept) {
    const bool innerTen = kept.endsWith(u'*');
    if (innerTen)
        kept.chop(1);
    const int decimals = kept.contains(u',') ? 1 : 0;
    return QLocale().toString(num::fileLocale().toDouble(kept), 'f', decimals) +
           (innerTen ? QStringLiteral("*") : QString());
}

// A match's mark in the program's words.
QString shownMark(const ShotNote& n) {
    if (n.text == sighterNote())
        return QCoreApplication::translate("ShotNotes", "Probe");
    if (n.text == lateNote())
        return QCoreApplication::translate("ShotNotes", "nach Zeit");
    if (n.text == checkNote())
        return QCoreApplication::translate("ShotNotes", "bitte prüfen");
    if (n.text == movedNote())
        return QCoreApplication::translate("ShotNotes", "Treffer verschoben");
    if (n.text == addedNote())
        return QCoreApplication::translate("ShotNotes", "Treffer ergänzt");
    if (const std::optional<QString> value = deviceValueOf(n.text))
        return QCoreApplication::translate("ShotNotes", "Wert der Scheibe: %1")
            .arg(shownValue(*value));
    if (const std::optional<QString> value = fileValueOf(n.text))
        return QCoreApplication::translate("ShotNotes", "Wert der Datei: %1")
            .arg(shownValue(*value));
    if (const std::optional<int> shot = removedShot(n.text))
        return QCoreApplication::translate("ShotNotes", "Treffer %1 entfernt").arg(*shot);
    if (callingGoalOf(n.text))
        return shownProgram(n.text);
    return QCoreApplication::translate("ShotNotes", "Wettkampf: %1")
        .arg(shownName(n.text.mid(kMatchPrefix.size()).trimmed()));
}

} // namespace

QString shownComments(const QList<ShotNote>& notes) {
    QString shown;
    for (const ShotNote& n : notes) {
        if (n.series <= 0) {
            for (const QString& line : linesOf(n.written))
                shown += withoutLineEnd(line).toString() + u'\n';
            continue;
        }
        const QString said = n.mark ? shownMark(n) : n.text;
        shown +=
            (n.shot == 0 ? QCoreApplication::translate("ShotNotes", "Serie: %1 Schuss: 0: %2",
                                                       "a comment on the series")
                               .arg(QString::number(n.series), said)
                         : QCoreApplication::translate("ShotNotes", "Serie: %1 Schuss: %2: %3")
                               .arg(QString::number(n.series), QString::number(n.shot), said)) +
            u'\n';
    }
    return shown;
}

QString timesText(const QList<ShotNote>& notes, const QLocale& locale) {
    QString text;
    for (const ShotNote& n : notes)
        text += n.written.isEmpty() ? timeLine(n.series, n.shot, n.seconds.value_or(0.0), locale)
                                    : n.written;
    return text;
}

QList<ShotNote> commentsFromText(const QString& text) {
    static const QRegularExpression start(u"^Serie:\\s*(\\d+)\\s*Schuss:\\s*(\\d+):\\s?(.*)$"_s);
    QList<ShotNote> notes;
    for (const QString& whole : linesOf(text)) {
        const QStringView line = withoutLineEnd(whole).trimmed();
        const QRegularExpressionMatch m = start.match(line);
        if (m.hasMatch()) {
            const int series = m.captured(1).toInt();
            const int shot = m.captured(2).toInt();
            const QString said = m.captured(3).trimmed();
            // A mark is a line of its own exactly as the program writes it.
            const bool mark =
                readsAsMark(series, shot, said) &&
                withoutLineEnd(whole) == withoutLineEnd(commentLine(series, shot, said));
            notes.append({series, shot, std::nullopt, said, whole, mark});
            continue;
        }
        if (notes.isEmpty()) {
            notes.append({0, 0, std::nullopt, QString(), whole});
            continue;
        }
        ShotNote& last = notes.last();
        last.written += whole;
        if (last.series > 0 && !line.isEmpty()) {
            last.text += u' ' + line.toString();
            last.mark = false; // a mark is one line
        }
    }
    return notes;
}

QList<ShotNote> timesFromText(const QString& text, const QLocale& locale) {
    const QList<timeanalysis::TimeEntry> entries = timeanalysis::parseTimeLines(text, locale);
    QList<ShotNote> notes;
    qsizetype next = 0;
    for (const QString& whole : linesOf(text)) {
        // The time analysis passes over empty lines and stops at the first
        // line that is no time line; those lines note no time.
        if (withoutLineEnd(whole).isEmpty() || next >= entries.size()) {
            if (!notes.isEmpty() && notes.last().series == 0)
                notes.last().written += whole;
            else
                notes.append({0, 0, std::nullopt, QString(), whole});
            continue;
        }
        const timeanalysis::TimeEntry& e = entries.at(next++);
        notes.append({e.series, e.shot, e.seconds, QString(), whole});
    }
    return notes;
}

} // namespace ankerblick
