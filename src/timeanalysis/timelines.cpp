#include "timelines.h"

#include "model/numeric.h"

namespace ankerblick::timeanalysis {

namespace {

// The whole number that starts after `from` (blanks before it skipped), or 0
// when there is none or it is too long to be a series or shot number.
int wholeNumberAfter(QStringView line, qsizetype from) {
    qsizetype i = from;
    while (i < line.size() && line[i] == u' ')
        ++i;
    int value = 0;
    int digits = 0;
    for (; i < line.size() && line[i] >= u'0' && line[i] <= u'9'; ++i) {
        if (++digits > 9)
            return 0;
        value = value * 10 + (line[i].unicode() - u'0');
    }
    return value;
}

} // namespace

QList<TimeEntry> parseTimeLines(const QString& text, const QLocale& locale) {
    QList<TimeEntry> entries;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const qsizetype first = line.indexOf(u':');
        const qsizetype second = first < 0 ? -1 : line.indexOf(u':', first + 1);
        const qsizetype third = second < 0 ? -1 : line.indexOf(u':', second + 1);
        if (third < 0)
            break;
        TimeEntry e;
        e.series = wholeNumberAfter(line, first + 1);
        e.shot = wholeNumberAfter(line, second + 1);
        e.seconds = num::parseNumber(line.mid(third + 1).toString(), locale);
        entries.append(e);
    }
    return entries;
}

} // namespace ankerblick::timeanalysis
