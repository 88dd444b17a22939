#pragma once

// The start-up window: the shooter enters call and hit of every shot on the
// target and sees each shot scored and its call rated.

#include "sheets/aimsheet.h"
#include "sheets/commandline.h"
#include "windows/shared/targetwindow.h"

#include <memory>

class QButtonGroup;
class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace ankerblick {

class AnalyseAnzeige;
class DiaryWindow;
class GraphWindow;
class RhythmWindow;
class SeriesPrintJob;
class TargetLinkPanel;
class ValueTimeAnalysis;
class Schusseingabe;

class Form1 final : public TargetWindow {
    Q_OBJECT
public:
    // `start`: what the command line asked for: the shooter's name, a
    // series file to open.
    explicit Form1(Services& services, const StartOptions& start = {}, QWidget* parent = nullptr);
    ~Form1() override;

    const AimSheet& sheet() const { return m_aim; }
    // The shot-entry window, once it was opened.
    Schusseingabe* shotEntryWindow() const { return m_shotEntry.get(); }
    // The analysis window, once it was opened.
    AnalyseAnzeige* analysisWindow() const { return m_analysis.get(); }
    TargetLinkPanel& targetLink() const { return *m_link; }
    // The shooter left the name prompt without a name: the program ends.
    bool nameDeclined() const { return m_nameDeclined; }
    // Shows the window the shooter works in: the shot-entry window when a
    // training of it was restored, this window otherwise.
    void showFirstWindow();

protected:
    void showSheet() override;
    void paintMarks(QPainter& painter) override;
    const RatingOptions* ratingOptions() const override { return &m_aim.ratingOptions(); }
    void closeEvent(QCloseEvent* event) override;
    SeriesFileStyle fileStyle() const override { return SeriesFileStyle::MainWindow; }

private:
    void buildOptions();
    void buildPrinting(QPushButton* print);
    void buildTimeAnalysis();
    void buildRatingFrame();
    void buildTargetLink();
    // `asked`: the name the prompt gave, nothing when it was left.
    void Form_Load(const std::optional<QString>& asked);
    std::optional<QString> askName();
    void chooseKeptOptions();
    void openSeriesFile(const QString& path);
    void Sektoren_Click(int index);
    void Ringgenauigkeit_Click(int index);
    void SchuetzenName_Change();
    void Kommentare_an_aus_Click();
    void BtnSchusseingabe_Click();
    void Laden_Click();
    void BtnAnalyseAnzeige_Click();
    // The shot-entry window, made when first needed.
    Schusseingabe& shotEntry();
    void showDiary();
    void openTrainingInAnalysis(qint64 training);
    void offerRecovery();
    void endTraining(diary::Training training);

    AimSheet m_aim;
    StartOptions m_start;
    bool m_nameDeclined = false;
    bool m_shotEntryRestored = false;
    QButtonGroup* m_sectors = nullptr;
    QButtonGroup* m_ringAccuracy = nullptr;
    QListWidget* m_scoreList = nullptr;
    QListWidget* m_sekMmList = nullptr;
    QLineEdit* m_scoreTotal = nullptr;
    QLineEdit* m_sekMmMean = nullptr;
    QPlainTextEdit* m_comments = nullptr;
    TargetLinkPanel* m_link = nullptr;
    QCheckBox* m_revealAfterSeries = nullptr;
    std::unique_ptr<Schusseingabe> m_shotEntry;
    std::unique_ptr<AnalyseAnzeige> m_analysis;
    std::unique_ptr<DiaryWindow> m_diaryWindow;
    // The one graph window, shared with the analysis window's analysis.
    std::shared_ptr<GraphWindow> m_graph;
    std::unique_ptr<ValueTimeAnalysis> m_timeAnalysis;
    std::unique_ptr<SeriesPrintJob> m_printJob;
    // The program's rhythm window, shown for this window and the shot-entry window.
    std::unique_ptr<RhythmWindow> m_rhythmWindow;
};

} // namespace ankerblick
