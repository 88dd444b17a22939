#pragma once

// Series files for the analysis tests, written byte by byte: eight lines per
// shot slot (line X1, X2, Y1, Y2, hit left, hit top, call left, call top),
// then the three sections with exactly the texts given.

#include "model/seriesrecord.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

namespace ankerblick::test {

// Where the shot in `slot` of the file's series number `series` (from 0)
// lies: apart from every other shot, on the card, within its rows.
inline qint16 testHitLeft(int slot) {
    return qint16(70 + 36 * slot);
}
inline qint16 testHitTop(int series) {
    return qint16(60 + 40 * (series % 9));
}

// A series with hits in the given slots; the other slots stay empty (zeros).
inline SeriesRecord testSeries(int series, const QList<int>& filled) {
    SeriesRecord r;
    for (int slot : filled) {
        const auto s = size_t(slot);
        r.hitLeft[s] = testHitLeft(slot);
        r.hitTop[s] = testHitTop(series);
        r.callLeft[s] = qint16(r.hitLeft[s] + 3);
        r.callTop[s] = qint16(r.hitTop[s] - 2);
    }
    return r;
}

inline QList<int> allSlots() {
    return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
}

// `count` full series.
inline QList<SeriesRecord> fullSeries(int count) {
    QList<SeriesRecord> out;
    for (int i = 0; i < count; ++i)
        out << testSeries(i, allSlots());
    return out;
}

struct TestFile {
    QList<SeriesRecord> series;
    QString comments;
    QString shotTimes;
    QString shootingTimes;
};

inline QByteArray testFileBytes(const TestFile& f) {
    QByteArray out;
    for (const SeriesRecord& r : f.series) {
        for (size_t s = 0; s < size_t(kShotsPerSeries); ++s) {
            for (int v : {r.lineX1[s], r.lineX2[s], r.lineY1[s], r.lineY2[s], r.hitLeft[s],
                          r.hitTop[s], r.callLeft[s], r.callTop[s]}) {
                out += QByteArray::number(v);
                out += "\r\n";
            }
        }
    }
    out += "$Kommentare$\r\n" + f.comments.toLatin1();
    out += "$Schusszeiten$\r\n" + f.shotTimes.toLatin1();
    out += "$Schiesszeiten$\r\n" + f.shootingTimes.toLatin1();
    return out;
}

inline bool writeTestFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline bool writeTestFile(const QString& path, const TestFile& f) {
    return writeTestFile(path, testFileBytes(f));
}

} // namespace ankerblick::test
