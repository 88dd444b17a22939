#include "importedtraining.h"

#include "diaryseries.h"
#include "files/shotnotes.h"
#include "model/numeric.h"
#include "model/targetface.h"

namespace ankerblick::diary {

using namespace Qt::StringLiterals;

namespace {

struct Filled {
    QList<SeriesRecord> records;
    QList<QDateTime> lastShot; // of each series, when dated
    ShotNotes notes;
};

// The shots in series of ten, a sighter beginning a series of its own kind.
// The reader keeps every position within a metre, which the columns hold
// on every face.
Filled fill(const QList<ImportedShot>& shots, const TargetFace& face) {
    Filled f;
    int slot = kShotsPerSeries;
    bool sighting = false;
    std::optional<QDateTime> before;
    for (const ImportedShot& shot : shots) {
        if (slot == kShotsPerSeries || shot.sighter != sighting) {
            f.records.append(SeriesRecord{});
            f.lastShot.append(QDateTime());
            slot = 0;
            sighting = shot.sighter;
            if (sighting)
                f.notes.comments << sighterMark(int(f.records.size()));
        }
        const int series = int(f.records.size());
        f.records.last().hitCentre[size_t(slot)] =
            face.storableCentre(drawnFromMm(face.centre(), face.scale(), shot.xMm, shot.yMm));
        if (shot.value)
            f.notes.comments << correctionMark(series, slot + 1,
                                               fileValueNote(*shot.value, shot.innerTen));
        if (shot.at && before)
            f.notes.shootingTimes << ShotNote{series, slot + 1, before->msecsTo(*shot.at) / 1000.0,
                                              {},     {},       false};
        if (shot.at)
            f.lastShot.last() = *shot.at;
        before = shot.at;
        ++slot;
    }
    for (SeriesRecord& r : f.records)
        r.placeMarks(face.markDiameter());
    return f;
}

ImportedTraining trainingOf(const ImportedString& string, int shownDiscipline,
                            const QString& shooter, const QDateTime& undated) {
    TargetFace face;
    face.apply(disciplineOfFace(string.face).value_or(shownDiscipline));
    const Filled f = fill(string.shots, face);
    ImportedTraining result;
    Training& t = result.training;
    t.shooter = shooter;
    t.discipline = face.discipline();
    t.window = u"Schusseingabe"_s;
    const QList<ImportedShot>& shots = string.shots;
    t.start = !shots.isEmpty() && shots.first().at ? *shots.first().at : undated;
    t.end = !shots.isEmpty() && shots.last().at ? *shots.last().at : t.start;
    t.comments = commentsText(f.notes.comments);
    t.shootingTimes = timesText(f.notes.shootingTimes, num::fileLocale());
    t.calibreMm = face.calibreMm();
    for (int i = 0; i < int(f.records.size()); ++i) {
        const QDateTime time = f.lastShot.at(i).isValid() ? f.lastShot.at(i) : t.start;
        result.series << diarySeries(f.records.at(i), i + 1, face, nullptr, f.notes, time);
    }
    return result;
}

} // namespace

QList<ImportedTraining> importedTrainings(const ShotFile& file, int shownDiscipline,
                                          const QString& shooter, const QDateTime& undated) {
    QList<ImportedTraining> trainings;
    for (const ImportedString& string : file.strings)
        if (!string.shots.isEmpty())
            trainings << trainingOf(string, shownDiscipline, shooter, undated);
    return trainings;
}

} // namespace ankerblick::diary
