#include "shotfileimport.h"

#include "model/background.h"
#include "model/logging.h"
#include "services/diary.h"
#include "services/settings.h"
#include "services/userdialogs.h"

#include <QWidget>

#include <memory>

namespace ankerblick {

namespace {

QString noColumn() {
    return ShotFileImport::tr("(keine)");
}

// The column whose name begins with one of `words`, for the first guess.
int guess(const QStringList& names, const QStringList& words) {
    for (qsizetype i = 0; i < names.size(); ++i)
        for (const QString& word : words)
            if (names.at(i).trimmed().startsWith(word, Qt::CaseInsensitive))
                return int(i);
    return -1;
}

QList<int> guessedColumns(const QStringList& names) {
    return {guess(names, {QStringLiteral("x")}), guess(names, {QStringLiteral("y")}),
            guess(names, {QStringLiteral("zeit"), QStringLiteral("time"), QStringLiteral("at")}),
            guess(names, {QStringLiteral("wert"), QStringLiteral("value"), QStringLiteral("score"),
                          QStringLiteral("ring")}),
            guess(names, {QStringLiteral("probe"), QStringLiteral("sighter")})};
}

FormRequest columnsRequest(const QStringList& names, const QList<int>& shown) {
    FormRequest request;
    request.name = QStringLiteral("SpaltenZuordnen");
    request.title = ShotFileImport::tr("Spalten der Datei");
    const QStringList optional = QStringList{noColumn()} + names;
    const QString captions[] = {ShotFileImport::tr("x in mm (nach rechts):"),
                                ShotFileImport::tr("y in mm (nach oben):"),
                                ShotFileImport::tr("Zeit des Schusses:"),
                                ShotFileImport::tr("Wert:"), ShotFileImport::tr("Probeschuss:")};
    for (int i = 0; i < 5; ++i) {
        const QStringList& choices = i < 2 ? names : optional;
        const int column = shown.value(i, -1);
        request.fields.append(
            {captions[i], column >= 0 ? names.value(column) : choices.first(), choices});
    }
    request.problem = [](const FormAnswer& a) {
        return a.texts.value(0) == a.texts.value(1)
                   ? ShotFileImport::tr("x und y stehen in verschiedenen Spalten.")
                   : QString();
    };
    return request;
}

} // namespace

ShotFileImport::ShotFileImport(Diary& diary, UserDialogs& dialogs, Settings& settings,
                               QObject* parent)
    : QObject(parent), m_diary(diary), m_dialogs(dialogs), m_settings(settings) {}

void ShotFileImport::start(QWidget* window, int discipline, const QString& shooter) {
    if (m_busy)
        return;
    const QString path =
        m_dialogs.openFileName(window, tr("Schussdateien (*.csv *.json *.txt);;Alle Dateien (*)"));
    if (path.isEmpty())
        return;
    m_window = window;
    m_path = path;
    m_discipline = discipline;
    m_shooter = shooter;
    run(std::nullopt);
}

// Read and written on a worker thread, with a writer of the diary of its own.
void ShotFileImport::run(const std::optional<CsvColumns>& columns) {
    m_busy = true;
    // Only the job holds the writer, so that it goes on the worker's thread.
    auto job = [writer = std::shared_ptr<Diary>(m_diary.writerForThread()), path = m_path,
                discipline = m_discipline, shooter = m_shooter, columns](JobProgress&) {
        return diary::importShotFile(*writer, path, discipline, shooter, columns);
    };
    background::run<diary::ShotImportReport>(
        this, std::move(job), [this](diary::ShotImportReport report) { done(report); });
}

void ShotFileImport::done(const diary::ShotImportReport& report) {
    if (!report.columnNames.isEmpty()) {
        if (const std::optional<CsvColumns> columns = columnsFor(report.columnNames)) {
            run(columns);
            return;
        }
    }
    m_busy = false;
    tell(report);
    if (!report.trainings.isEmpty())
        Q_EMIT imported(report.trainings.first());
    Q_EMIT finished();
}

// The columns kept for files of this first line, else the shooter's answer.
std::optional<CsvColumns> ShotFileImport::columnsFor(const QStringList& names) {
    QList<int> columns = m_settings.shotFileColumns(names);
    if (columns.isEmpty()) {
        const std::optional<FormAnswer> answer =
            m_dialogs.askForm(m_window, columnsRequest(names, guessedColumns(names)));
        if (!answer)
            return std::nullopt;
        for (const QString& text : answer->texts)
            columns << int(names.indexOf(text));
        m_settings.setShotFileColumns(names, columns);
    }
    return CsvColumns{columns[0], columns[1], columns[2], columns[3], columns[4]};
}

void ShotFileImport::tell(const diary::ShotImportReport& report) {
    QString text;
    if (!report.failure.isEmpty()) {
        qCWarning(lcDiary, "Shot file not taken in: %s", qPrintable(report.failure));
        text = report.failure;
    } else if (!report.columnNames.isEmpty()) {
        return; // the shooter left the question of the columns
    } else if (report.trainings.isEmpty()) {
        text = tr("Diese Datei ist schon im Tagebuch.");
    } else if (report.trainings.size() > 1) {
        text = tr("%1 Trainings mit zusammen %2 Schüssen übernommen; das erste wird gezeigt.")
                   .arg(report.trainings.size())
                   .arg(report.shots);
    }
    if (!text.isEmpty())
        m_dialogs.messageBox(m_window, text);
}

} // namespace ankerblick
