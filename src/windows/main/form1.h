#pragma once

// The main window: the shooter enters call and hit of every shot on the
// target and sees each shot scored and its call rated. The other windows and
// tools it opens are the application's; the window asks for them by signals.

#include "sheets/aimsheet.h"
#include "windows/shared/targetwindow.h"

#include <QPointer>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace ankerblick {

class ClubServerDialog;

class Form1 final : public TargetWindow {
    Q_OBJECT
public:
    // The services and what they refer to outlive the window.
    explicit Form1(Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    const AimSheet& sheet() const { return m_aim; }
    // Takes over the shooter's name (the prompt's answer, a restored training's).
    void setShooterName(const QString& schuetze);
    // Opens a series file as "Laden" does once the unsaved series are settled.
    void openSeriesFile(const QString& path);

Q_SIGNALS:
    // "Schusseingabe öffnen" and "Analyse und Anzeige öffnen": the owner of
    // those windows shows them in place of this one.
    void shotEntryRequested();
    void analysisRequested();
    // "Drucken" and "Schusszeit analyse": the owner of the print job and of
    // the value/time analysis of this window's series runs them.
    void printRequested();
    void timeAnalysisRequested();
    // "Ansicht → Trainer …": the owner of the coach's view shows it.
    void coachViewRequested();
    // "Datei → Schüsse importieren …": the owner takes a shot file in.
    void shotImportRequested();

protected:
    void showSheet() override;
    void paintMarks(QPainter& painter) override;
    const RatingOptions* ratingOptions() const override { return &m_aim.ratingOptions(); }
    SeriesFileStyle fileStyle() const override { return SeriesFileStyle::MainWindow; }
    void placeSource(SourcePanel& panel) override;

private:
    void buildOptions();
    void buildRatingFrame();
    void buildTargetLink();
    void buildMenus();
    void addClubCommands(WindowMenuPlan& plan);
    void connectOptions();
    void buildClubStatus();
    void showClubServer();
    void loadKeptOptions();
    void chooseKeptOptions();
    void chooseSectors(int index);
    void chooseRingAccuracy(int index);
    void showShooterName();
    void toggleComments();
    void openSeries();
    void buildCallingTraining();
    void startCallingTraining();

    AimSheet m_aim;
    QButtonGroup* m_sectors = nullptr;
    QButtonGroup* m_ringAccuracy = nullptr;
    QListWidget* m_scoreList = nullptr;
    QListWidget* m_sekMmList = nullptr;
    QLineEdit* m_scoreTotal = nullptr;
    QLineEdit* m_sekMmMean = nullptr;
    QPlainTextEdit* m_comments = nullptr;
    QPointer<ClubServerDialog> m_clubServer;
    QVBoxLayout* m_sourceColumn = nullptr; // in "Elektronische Scheibe"
    QCheckBox* m_revealAfterSeries = nullptr;
    QAction* m_callingTraining = nullptr;
    QLabel* m_callingStatus = nullptr; // while a calling training runs
};

} // namespace ankerblick
