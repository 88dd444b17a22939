#pragma once

// The analysis window: loads series files (also several one after another,
// or dropped from the file manager), lists their series and shots, scores
// the shots of a series and paints one series or all series on the target.

#include "sheets/analysissheet.h"

#include <QWidget>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QScrollBar;

namespace ankerblick {

class AnalysisPanel;
class Settings;
class GraphWindow;
class SeriesPrintJob;
class TargetPanels;
class TargetView;
class UserDialogs;
class ValueTimeAnalysis;
struct Services;

class AnalyseAnzeige final : public QWidget {
    Q_OBJECT
public:
    // The services and what they refer to outlive the window. The graph
    // window is shared with the main window's analysis when given.
    explicit AnalyseAnzeige(Services& services, std::shared_ptr<GraphWindow> graph = nullptr);
    ~AnalyseAnzeige() override;

    // Takes over the shooter's name from the window that opened this one.
    void setShooterName(const QString& schuetze);
    // Closes the window for good, without showing the other window again.
    void unload();
    // Shows series kept elsewhere (a training of the diary) in their
    // discipline, series `shown` first.
    void showSeries(const SeriesFileContent& content, int discipline, int shown = 1);

Q_SIGNALS:
    // "Trainingstagebuch" was chosen: the owner of the diary window shows it.
    void diaryRequested();
    // The shooter left the window ("Abkommens- eingabe öffnen", or closed it
    // without unload()): the owner shows the main window again.
    void left();
    // "Beenden": the owner ends the program through the main window.
    void quitRequested();
    // "Datei → Schüsse importieren …": the owner takes a shot file in.
    void shotImportRequested();

public:
    QString shooterName() const;
    // The series, lists, texts and face, for the analyses and printing.
    const AnalysisSheet& sheet() const { return m_sheet; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void buildSizeBars();
    void buildButtons();
    void buildPrintingAndTimeAnalysis(QAction* print, QAction* timeAnalysis);
    void refresh();
    void showAnalysis();
    void chooseCalibre();
    void paintShots(QPainter& painter, const QRect& repainted);
    void reportFailure(const std::optional<QString>& error);

    void loadKeptOptions();
    void showShooterName();
    void chooseDiscipline(int index);
    void openSeries();
    void appendFile();
    void Form_OLEDragDrop(const QStringList& paths);
    void startAgain();
    void selectSeries(int number);
    void highlightShot(int row);
    void showAllSeries();
    void toggleComments();
    void leaveForShotEntry();
    void resizeAllShots(int value);
    void resizeSeriesShots(int value);

    AnalysisSheet m_sheet;
    std::shared_ptr<GraphWindow> m_graph;
    std::unique_ptr<ValueTimeAnalysis> m_timeAnalysis;
    std::unique_ptr<SeriesPrintJob> m_printJob;
    // The services outlive the window; the dialogs and settings are two of them.
    Services& m_services;
    UserDialogs& m_dialogs;
    Settings& m_settings;
    bool m_unloading = false;

    TargetView* m_view = nullptr;
    TargetPanels* m_panels = nullptr;
    AnalysisPanel* m_analysisPanel = nullptr;
    QLineEdit* m_name = nullptr;
    QScrollBar* m_sizeAll = nullptr;
    QScrollBar* m_sizeSeries = nullptr;
    QLabel* m_capSizeAll = nullptr;
    QLabel* m_capSizeSeries = nullptr;
};

} // namespace ankerblick
