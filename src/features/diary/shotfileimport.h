#pragma once

// "Datei → Schüsse importieren …": the shooter chooses a shot file of
// another system; it is read and taken into the diary on a worker thread,
// and the training it became is handed on to be shown. For a plain CSV the
// shooter names the columns that hold x, y and what else it has, once for
// every kind of file: the columns are kept by the file's first line.

#include "features/diary/diaryimport.h"
#include "files/shotimport.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace ankerblick {

class Diary;
class Settings;
class UserDialogs;

class ShotFileImport final : public QObject {
    Q_OBJECT
public:
    ShotFileImport(Diary& diary, UserDialogs& dialogs, Settings& settings,
                   QObject* parent = nullptr);

    // Asks for a file and takes it in, on the face the file names, else on
    // `discipline`'s, for `shooter`; the dialogs stand over `window`. Does
    // nothing while a file is still being taken in.
    void start(QWidget* window, int discipline, const QString& shooter);
    bool isBusy() const { return m_busy; }

Q_SIGNALS:
    // The first training the file became, to be shown.
    void imported(qint64 training);
    // A file was taken in, or not; `isBusy()` is false again.
    void finished();

private:
    void run(const std::optional<CsvColumns>& columns);
    void done(const diary::ShotImportReport& report);
    std::optional<CsvColumns> columnsFor(const QStringList& names);
    void tell(const diary::ShotImportReport& report);

    Diary& m_diary;
    UserDialogs& m_dialogs;
    Settings& m_settings;
    QPointer<QWidget> m_window;
    QString m_path;
    int m_discipline = 0;
    QString m_shooter;
    bool m_busy = false;
};

} // namespace ankerblick
