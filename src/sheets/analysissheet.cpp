#include "analysissheet.h"

#include "files/shotnotes.h"
#include "files/timelines.h"
#include "model/numeric.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cmath>

namespace ankerblick {

namespace {

QString shotCaption(const QString& number) {
    return QCoreApplication::translate("AnalysisSheet", "Schuss: %1").arg(number);
}

} // namespace

AnalysisSheet::AnalysisSheet(const QLocale& locale) : m_locale(locale) {}

void AnalysisSheet::load() {
    m_store.reset();
    m_seriesList.clear();
    ++m_seriesRevision;
    m_selected = 0;
    m_allSize = kStartAllSeriesSize;
    m_seriesSize = kStartSeriesSize;
    m_view = AnalysisView::OneSeries;
    resetShotDisplay();
    m_caption = shotCaption(QStringLiteral("0"));
    setDiscipline(kStartDiscipline);
}

bool AnalysisSheet::setDiscipline(int index, std::optional<double> calibreMm) {
    TargetFace face = m_face;
    if (!face.apply(index, calibreMm) ||
        (index == m_face.discipline() && face.calibreMm() == m_face.calibreMm()))
        return false;
    m_face = face;
    const DisciplineInfo* info = disciplineInfo(index);
    // The standard calibre keeps the discipline's own size; another one
    // paints its shots at the marks' size.
    setSeriesSize(m_face.calibreMm() == info->calibreMm
                      ? info->seriesSliderValue
                      : int(std::lround(m_face.markDiameter() / 2.0f)));
    selectSeries(m_selected);
    return true;
}

std::optional<QString> AnalysisSheet::loadFile(const QString& path) {
    const SeriesFileReadResult read = readSeriesFile(path, m_locale);
    if (read.content.series.isEmpty())
        return read.error;
    loadContent(read.content);
    return read.error;
}

void AnalysisSheet::loadContent(const SeriesFileContent& content) {
    m_store.reset();
    m_seriesList.clear();
    ++m_seriesRevision;
    m_selected = 0;
    m_comments.clear();
    m_rules = SeriesRulesBook();
    m_shotTimes.clear();
    m_shootingTimes.clear();
    appendContent(content);
}

std::optional<QString> AnalysisSheet::attachFile(const QString& path) {
    // The series of the file are numbered on behind the listed ones, up to
    // the limit of the series counter.
    const int room = kMaxSeries - seriesCount();
    if (room < 1)
        return QCoreApplication::translate("ankerblick::AnalysisSheet",
                                           "%1 Die Datei „%2“ wurde nicht gelesen.")
            .arg(seriesLimitMessage(), QDir::toNativeSeparators(path));
    const SeriesFileReadResult read = readSeriesFile(path, m_locale, room);
    if (!read.content.series.isEmpty())
        appendContent(read.content);
    return read.error;
}

std::optional<QString> AnalysisSheet::attachFiles(const QStringList& paths) {
    for (const QString& path : paths)
        if (auto error = attachFile(path))
            return error;
    return std::nullopt;
}

void AnalysisSheet::appendContent(const SeriesFileContent& content) {
    // The series of the file follow the listed ones; the list then names
    // every series read, so that a file attached later continues after it.
    // The file's time lines name its own series: they are renumbered to the
    // places the series take in the list.
    const int before = seriesCount();
    const int first = before + 1;
    const int last = placeSeries(m_store, first, content.series);
    m_comments += content.comments;
    m_rules = SeriesRulesBook(commentsFromText(m_comments));
    m_shotTimes += timeanalysis::shiftSeriesNumbers(content.shotTimes, before);
    m_shootingTimes += timeanalysis::shiftSeriesNumbers(content.shootingTimes, before);
    m_seriesList.reserve(last);
    for (int n = first; n <= last; ++n)
        m_seriesList.append(QString::number(n));
    ++m_seriesRevision;
    selectSeries(last);
}

void AnalysisSheet::resetShotDisplay() {
    m_listedSlots.clear();
    m_allRows = 0;
    m_values.clear();
    m_sums.reset();
    m_innerTens = 0;
    m_unscorable.reset();
    m_first = 0;
    m_count = 0;
    m_highlighted = -1;
    ++m_shotRevision;
}

void AnalysisSheet::newSession() {
    resetShotDisplay();
    m_store.reset();
    m_seriesList.clear();
    ++m_seriesRevision;
    m_selected = 0;
    m_caption = shotCaption(QStringLiteral("0"));
    m_comments.clear();
    m_rules = SeriesRulesBook();
    m_shotTimes.clear();
    m_shootingTimes.clear();
}

PointF AnalysisSheet::centreOf(const SeriesRecord& record, int slot) const {
    return record.hitMarkCentre(slot, m_face.markDiameter());
}

void AnalysisSheet::selectSeries(int number) {
    m_view = AnalysisView::OneSeries;
    resetShotDisplay();
    m_selected = number >= 1 && number <= seriesCount() ? number : 0;
    if (m_selected == 0)
        return; // nothing listed: nothing to show
    const SeriesScore score = scoreSeries(m_store[m_selected], m_face, rulesOf(m_selected));
    for (const SlotScore& shot : score.shots) {
        if (!shot.value)
            break; // a stored position far off the target: the rest is not scored
        m_listedSlots.append(shot.slot);
        m_values.append(*shot.value);
    }
    m_unscorable = score.unscorable;
    m_sums = score.sums;
    m_innerTens = score.innerTens;
    m_caption = shotCaption(QStringLiteral("10"));
    m_first = m_selected;
    m_count = 1;
}

SeriesRules AnalysisSheet::rulesOf(int number) const {
    return m_rules.of(number);
}

void AnalysisSheet::showAllSeries() {
    m_view = AnalysisView::AllSeries;
    resetShotDisplay();
    const int n = seriesCount();
    // Every slot of every listed series, so that row i stands for series
    // i / 10 + 1 and slot i % 10.
    m_allRows = n * kShotsPerSeries;
    if (n > 0)
        m_caption = shotCaption(QString::number(m_allRows));
    m_first = 1;
    m_count = n;
}

int AnalysisSheet::allInnerTens() const {
    // Sighting series and shots after the time have none, as in each series.
    int n = 0;
    for (int s = 1; s <= seriesCount(); ++s)
        if (m_store.contains(s))
            n += scoreSeries(m_store[s], m_face, m_rules.of(s)).innerTens;
    return n;
}

void AnalysisSheet::chooseShot(int row) {
    m_highlighted = row >= 0 && row < shotCount() ? row : -1;
}

int AnalysisSheet::shotCount() const {
    return m_view == AnalysisView::AllSeries ? m_allRows : int(m_listedSlots.size());
}

QStringList AnalysisSheet::shotList() const {
    QStringList list;
    list.reserve(shotCount());
    for (int row = 0; row < shotCount(); ++row)
        list.append(QString::number(m_view == AnalysisView::AllSeries ? row + 1
                                                                      : m_listedSlots.at(row) + 1));
    return list;
}

QStringList AnalysisSheet::valueList() const {
    QStringList list;
    list.reserve(m_values.size());
    for (double v : m_values)
        list.append(num::formatNumber(v, m_locale));
    return list;
}

void AnalysisSheet::setAllSeriesSize(int value) {
    m_allSize = std::clamp(value, kMinShotSize, kMaxShotSize);
}

void AnalysisSheet::setSeriesSize(int value) {
    m_seriesSize = std::clamp(value, kMinShotSize, kMaxShotSize);
}

std::optional<AnalysisSheet::ShotRef> AnalysisSheet::shotOfRow(int row) const {
    if (row < 0 || row >= shotCount())
        return std::nullopt;
    if (m_view == AnalysisView::AllSeries)
        return ShotRef{row / kShotsPerSeries + 1, row % kShotsPerSeries};
    return ShotRef{m_selected, m_listedSlots.at(row)};
}

QList<PointF> AnalysisSheet::shotCentres() const {
    QList<PointF> centres;
    const int first = std::max(m_first, 1);
    const int last = std::min(m_first + m_count - 1, m_store.count());
    if (last < first)
        return centres;
    centres.reserve(qsizetype(last - first + 1) * kShotsPerSeries);
    for (int s = first; s <= last; ++s) {
        const SeriesRecord& record = m_store[s];
        for (int slot = 0; slot < kShotsPerSeries; ++slot)
            if (record.hasShot(slot))
                centres.append(centreOf(record, slot));
    }
    return centres;
}

std::optional<PointF> AnalysisSheet::highlightedCentre() const {
    const std::optional<ShotRef> shot = shotOfRow(m_highlighted);
    if (!shot || shot->series < m_first || shot->series >= m_first + m_count ||
        !m_store.contains(shot->series) || !m_store[shot->series].hasShot(shot->slot))
        return std::nullopt;
    return centreOf(m_store[shot->series], shot->slot);
}

} // namespace ankerblick
