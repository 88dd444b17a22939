#include "timelines.h"

#include "model/numeric.h"

namespace ankerblick::timeanalysis {

namespace {

// The longest series or shot number read; a longer one counts as none.
constexpr int kMaxDigits = 9;

// A whole number in a line: its digits [begin, end) and its value, which is
// 0 when there are no digits or too many to be a series or shot number.
struct WholeNumber {
    qsizetype begin = 0;
    qsizetype end = 0;
    int value = 0;
};

// The whole number that starts after `from`, blanks before it skipped.
WholeNumber wholeNumberAfter(QStringView line, qsizetype from) {
    qsizetype i = from;
    while (i < line.size() && line[i] == u' ')
        ++i;
    WholeNumber n{i, i, 0};
    int digits = 0;
    for (; i < line.size() && line[i] >= u'0' && line[i] <= u'9'; ++i) {
        if (++digits <= kMaxDigits)
            n.value = n.value * 10 + (line[i].unicode() - u'0');
    }
    n.end = i;
    if (digits > kMaxDigits)
        n.value = 0;
    return n;
}

// The positions of the first three colons of a time line: series number after
// the first, shot number after the second, time after the third.
struct TimeLineColons {
    qsizetype first = -1;
    qsizetype second = -1;
    qsizetype third = -1;
};

// The colons of the line, or none when it has fewer than three: then it is
// no time line.
std::optional<TimeLineColons> timeLineColons(QStringView line) {
    TimeLineColons c;
    c.first = line.indexOf(u':');
    c.second = c.first < 0 ? -1 : line.indexOf(u':', c.first + 1);
    c.third = c.second < 0 ? -1 : line.indexOf(u':', c.second + 1);
    if (c.third < 0)
        return std::nullopt;
    return c;
}

// The line without its CR LF (or LF) end.
QStringView withoutLineEnd(QStringView line) {
    if (line.endsWith(u'\n'))
        line.chop(1);
    if (line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

} // namespace

QList<TimeEntry> parseTimeLines(const QString& text, const QLocale& locale) {
    QList<TimeEntry> entries;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = withoutLineEnd(line);
        if (line.isEmpty())
            continue;
        const std::optional<TimeLineColons> colons = timeLineColons(line);
        if (!colons)
            break;
        TimeEntry e;
        e.series = wholeNumberAfter(line, colons->first + 1).value;
        e.shot = wholeNumberAfter(line, colons->second + 1).value;
        e.seconds = num::parseNumber(line.mid(colons->third + 1).toString(), locale);
        entries.append(e);
    }
    return entries;
}

QString shiftSeriesNumbers(const QString& text, int by) {
    if (by == 0)
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 8);
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        const qsizetype newline = all.indexOf(u'\n', start);
        const qsizetype next = newline < 0 ? all.size() : newline + 1;
        const QStringView whole = all.sliced(start, next - start);
        const QStringView line = withoutLineEnd(whole);
        const std::optional<TimeLineColons> colons = timeLineColons(line);
        const WholeNumber series =
            colons ? wholeNumberAfter(line, colons->first + 1) : WholeNumber{};
        if (series.value > 0) {
            out += whole.first(series.begin);
            out += QString::number(qint64(series.value) + by);
            out += whole.sliced(series.end);
        } else {
            out += whole;
        }
        start = next;
    }
    return out;
}

} // namespace ankerblick::timeanalysis
