#include "diaryimport.h"
#include "model/numeric.h"

#include "files/seriesfile.h"
#include "sheets/diaryseries.h"
#include "sheets/importedtraining.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ankerblick::diary {

using namespace Qt::StringLiterals;

namespace {

// The files named, with the series files of the named folders by name.
QStringList filesOf(const QStringList& pathsOrFolders) {
    QStringList files;
    for (const QString& path : pathsOrFolders) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            files << path;
            continue;
        }
        // The filter of the windows' file dialogs.
        for (const QFileInfo& f : QDir(path).entryInfoList({u"*.txt"_s}, QDir::Files, QDir::Name))
            files << f.filePath();
    }
    return files;
}

std::optional<QByteArray> hashOf(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return std::nullopt;
    return hash.result();
}

// A file of the main window holds calls; the shot-entry window writes zeros.
bool holdsCalls(const QList<SeriesRecord>& series) {
    for (const SeriesRecord& r : series)
        for (int slot = 0; slot < kShotsPerSeries; ++slot)
            if (r.hasShot(slot) && r.hasCall(slot))
                return true;
    return false;
}

struct FileImport {
    Training training;
    QList<Series> series;
};

FileImport trainingOf(const QFileInfo& info, const SeriesFileContent& content, int discipline,
                      const RatingOptions& options, const QLocale& locale) {
    const bool calls = holdsCalls(content.series);
    FileImport result;
    Training& t = result.training;
    t.shooter = shooterOfFileName(info.fileName(), locale);
    t.discipline = discipline;
    t.window = calls ? u"Form1"_s : u"Schusseingabe"_s;
    // The file keeps no times of its own: its last change is the best guess.
    t.start = info.lastModified();
    t.end = t.start;
    t.comments = content.comments;
    t.shotTimes = content.shotTimes;
    t.shootingTimes = content.shootingTimes;
    TargetFace face;
    face.apply(discipline);
    t.calibreMm = face.calibreMm();
    const ShotNotes notes{commentsFromText(content.comments),
                          timesFromText(content.shotTimes, num::fileLocale()),
                          timesFromText(content.shootingTimes, num::fileLocale())};
    for (int i = 0; i < int(content.series.size()); ++i)
        result.series << diarySeries(content.series[i], i + 1, face, calls ? &options : nullptr,
                                     notes, t.start);
    return result;
}

bool holdsShots(const QList<SeriesRecord>& series) {
    return std::any_of(series.begin(), series.end(),
                       [](const SeriesRecord& r) { return r.shotCount() > 0; });
}

// One file read and made a training, or why it cannot be taken in.
struct PreparedFile {
    QString failure; // empty when it can
    QString name;    // as shown to the user
    QByteArray hash;
    Training training;
    QList<Series> series;
};

// One file read for the diary: the training it becomes, or why it cannot.
PreparedFile prepareFile(const QString& path, int discipline, const RatingOptions& options,
                         const QLocale& locale) {
    const QFileInfo info(path);
    const QString name = QDir::toNativeSeparators(info.filePath());
    PreparedFile prepared;
    const SeriesFileReadResult read = readSeriesFile(path, locale);
    if (read.error) {
        prepared.failure = *read.error;
        return prepared;
    }
    if (!holdsShots(read.content.series)) {
        prepared.failure =
            QCoreApplication::translate("DiaryImport", "Die Datei „%1“ enthält keine Schüsse.")
                .arg(name);
        return prepared;
    }
    const std::optional<QByteArray> hash = hashOf(path);
    if (!hash) {
        prepared.failure =
            QCoreApplication::translate("DiaryImport", "Die Datei „%1“ lässt sich nicht lesen.")
                .arg(name);
        return prepared;
    }
    prepared.name = name;
    prepared.hash = *hash;
    FileImport file = trainingOf(info, read.content, discipline, options, locale);
    prepared.training = std::move(file.training);
    prepared.series = std::move(file.series);
    return prepared;
}

} // namespace

namespace {

void takeIn(Diary& diary, const PreparedFile& file, ImportReport& report) {
    if (!file.failure.isEmpty()) {
        report.failures << file.failure;
    } else if (diary.isImported(file.hash)) {
        ++report.skipped;
    } else if (!diary.importTraining(file.training, file.series, file.hash)) {
        report.failures << QCoreApplication::translate("DiaryImport",
                                                       "Die Datei „%1“ wurde nicht übernommen. %2")
                               .arg(file.name, diary.problem());
    } else {
        ++report.imported;
    }
}

} // namespace

ImportReport importSeriesFiles(Diary& diary, const QStringList& pathsOrFolders, int discipline,
                               const RatingOptions& options, const QLocale& locale,
                               JobProgress* progress) {
    const QStringList files = filesOf(pathsOrFolders);
    if (progress)
        progress->setTotal(int(files.size()));
    ImportReport report;
    for (const QString& path : files) {
        takeIn(diary, prepareFile(path, discipline, options, locale), report);
        if (progress)
            progress->advance();
    }
    return report;
}

namespace {

// The hash the n-th string of a file is remembered by: the file's own for
// the first, so that a file of one string is known as any file is.
QByteArray stringHash(const QByteArray& fileHash, int n) {
    return n == 0 ? fileHash
                  : QCryptographicHash::hash(QByteArray(fileHash + QByteArray::number(n)),
                                             QCryptographicHash::Sha256);
}

QString notTaken(const QString& name, const QString& why) {
    return QCoreApplication::translate("DiaryImport", "Die Datei „%1“ wurde nicht übernommen. %2")
        .arg(name, why);
}

ShotFile readShots(const QByteArray& bytes, const std::optional<CsvColumns>& columns,
                   ShotImportReport& report) {
    ShotFile file = columns ? readPlainCsv(bytes, *columns) : readShotFile(bytes);
    if (file.kind == ShotFileKind::Unknown && !columns)
        report.columnNames = csvColumnNames(bytes);
    return file;
}

} // namespace

ShotImportReport importShotFile(Diary& diary, const QString& path, int discipline,
                                const QString& shooter, const std::optional<CsvColumns>& columns) {
    ShotImportReport report;
    const QFileInfo info(path);
    const QString name = QDir::toNativeSeparators(info.filePath());
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        report.failure =
            QCoreApplication::translate("DiaryImport", "Die Datei „%1“ lässt sich nicht lesen.")
                .arg(name);
        return report;
    }
    const QByteArray bytes = f.readAll();
    const ShotFile file = readShots(bytes, columns, report);
    if (!report.columnNames.isEmpty())
        return report;
    if (file.problemLine) {
        report.failure = notTaken(name, file.problem);
        return report;
    }
    const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    const QList<ImportedTraining> trainings =
        importedTrainings(file, discipline, shooter, info.lastModified());
    // The first string last: a file is known as taken in once all its strings are.
    for (int n = int(trainings.size()) - 1; n >= 0; --n) {
        const ImportedTraining& t = trainings.at(n);
        if (diary.isImported(stringHash(hash, n))) {
            ++report.skipped;
            continue;
        }
        const std::optional<qint64> id =
            diary.importTraining(t.training, t.series, stringHash(hash, n));
        if (!id) {
            report.failure = notTaken(name, diary.problem());
            return report;
        }
        report.trainings.prepend(*id);
        for (const Series& s : t.series)
            report.shots += int(s.shots.size());
    }
    return report;
}

// proposedFileName puts the date in the locale's short form behind the name,
// a '/' of the date made '-'. The longest tail that reads as a date is taken,
// so that a name ending in a digit keeps it.
QString shooterOfFileName(const QString& fileName, const QLocale& locale) {
    if (!fileName.endsWith(u".txt"_s, Qt::CaseInsensitive))
        return {};
    const QString base = fileName.chopped(4);
    for (qsizetype n = std::min<qsizetype>(base.size(), 12); n >= 6; --n) {
        QString tail = base.right(n);
        if (locale.toDate(tail, QLocale::ShortFormat).isValid() ||
            locale.toDate(tail.replace(u'-', u'/'), QLocale::ShortFormat).isValid())
            return base.left(base.size() - n);
    }
    return {};
}

} // namespace ankerblick::diary
