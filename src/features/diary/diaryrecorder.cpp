#include "diaryrecorder.h"

#include "platform/diary.h"
#include "sheets/diaryseries.h"
#include "sheets/targetsheet.h"

namespace ankerblick {

DiaryRecorder::DiaryRecorder(Diary& diary, const QString& window)
    : m_diary(diary), m_window(window) {}

void DiaryRecorder::takeAsWritten(const TargetSheet& sheet) {
    m_writtenSeries.clear();
    const SeriesStore& store = sheet.store();
    const int listed = int(sheet.seriesList().size());
    for (int n = 1; n <= listed && store.contains(n); ++n)
        m_writtenSeries.append(store[n]);
    m_writtenDiscipline = sheet.face().discipline();
}

bool DiaryRecorder::begin(const TargetSheet& sheet, const QString& shooter) {
    diary::Training t;
    t.shooter = shooter;
    t.discipline = sheet.face().discipline();
    t.window = m_window;
    t.start = QDateTime::currentDateTime();
    const std::optional<qint64> id = m_diary.beginTraining(t);
    if (!id)
        return false;
    t.id = *id;
    m_training = id;
    m_written = t;
    return true;
}

bool DiaryRecorder::sync(const TargetSheet& sheet, const QString& shooter,
                         const RatingOptions* options) {
    const SeriesStore& store = sheet.store();
    const int listed = int(sheet.seriesList().size());
    if (!m_training) {
        // A training begins with its first shot.
        bool any = false;
        for (int n = 1; n <= listed && store.contains(n) && !any; ++n)
            any = store[n].shotCount() > 0 &&
                  (n > m_writtenSeries.size() || !(m_writtenSeries.at(n - 1) == store[n]));
        // Series read from a file stay out of it unless they change.
        if (!any || !begin(sheet, shooter))
            return !any;
    }
    const bool seriesOk = writeSeries(sheet, options);
    const bool trainingOk = writeTraining(sheet, shooter);
    return seriesOk && trainingOk;
}

bool DiaryRecorder::writeSeries(const TargetSheet& sheet, const RatingOptions* options) {
    const SeriesStore& store = sheet.store();
    const int listed = int(sheet.seriesList().size());
    const bool rewriteAll = sheet.face().discipline() != m_writtenDiscipline;
    const diary::SeriesTexts texts{sheet.comments(), sheet.times().shotTimesText(),
                                   sheet.times().shootingTimesText()};
    const bool textsChanged = texts.comments != m_written.comments ||
                              texts.shotTimes != m_written.shotTimes ||
                              texts.shootingTimes != m_written.shootingTimes;
    bool ok = true;
    for (int n = 1; n <= listed && store.contains(n); ++n) {
        const bool known = n <= m_writtenSeries.size();
        // A series changes with its record; the texts name shots by series,
        // so new texts touch the newest series only.
        if (known && m_writtenSeries.at(n - 1) == store[n] && !rewriteAll &&
            !(textsChanged && n == listed))
            continue;
        const diary::Series series =
            diary::diarySeries(store[n], n, sheet.face(), options, texts, sheet.locale(),
                               QDateTime::currentDateTime());
        if (!m_diary.saveSeries(*m_training, series)) {
            ok = false;
            continue;
        }
        if (known)
            m_writtenSeries[n - 1] = store[n];
        else if (n == m_writtenSeries.size() + 1)
            m_writtenSeries.append(store[n]);
    }
    if (ok && rewriteAll)
        m_writtenDiscipline = sheet.face().discipline();
    if (m_writtenSeries.size() > listed) {
        if (!m_diary.removeSeriesFrom(*m_training, listed + 1))
            return false;
        m_writtenSeries.resize(listed);
    }
    return ok;
}

bool DiaryRecorder::writeTraining(const TargetSheet& sheet, const QString& shooter) {
    diary::Training t = m_written;
    t.shooter = shooter;
    t.discipline = sheet.face().discipline();
    t.comments = sheet.comments();
    t.shotTimes = sheet.times().shotTimesText();
    t.shootingTimes = sheet.times().shootingTimesText();
    if (t == m_written)
        return true;
    if (!m_diary.updateTraining(t))
        return false;
    m_written = t;
    return true;
}

void DiaryRecorder::startOver(const TargetSheet& sheet) {
    finish();
    takeAsWritten(sheet);
}

void DiaryRecorder::resume(const diary::Training& training, const TargetSheet& sheet) {
    m_training = training.id;
    m_written = training;
    takeAsWritten(sheet);
}

void DiaryRecorder::finish() {
    if (!m_training)
        return;
    diary::Training t = m_written;
    t.end = QDateTime::currentDateTime();
    // Should it fail, the training counts as unfinished and is offered again.
    m_diary.updateTraining(t);
    m_training.reset();
    m_written = diary::Training{};
}

} // namespace ankerblick
