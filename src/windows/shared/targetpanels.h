#pragma once

// The layout and the controls all three target windows share: the target's
// drawing area at the left below the menu bar, beside it the shooter's
// name, the shot caption, the discipline options and the series, shot and
// value lists with the sums, and below both the grid of buttons. Each window
// adds its own controls into the rows laid out here.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QButtonGroup;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace ankerblick {

class AnalysisPanel;
class Settings;
class TargetView;
class UserDialogs;

// How one window's panels differ from the others'.
struct PanelStyle {
    int seriesListWidth = 48;
    int shotListWidth = 48;
    bool longLists = false; // lists of many thousand entries stay quick
};

// What the shared panels show. A revision, where the sheet keeps one, spares
// rebuilding a long list that did not change.
struct SeriesFigures {
    QString caption;
    QStringList series;
    int selectedSeries = 0; // 0: none
    QStringList shots;
    int highlightedRow = -1; // -1: none
    QStringList values;
    QString sumWhole;
    QString sumTenths;
    std::optional<quint64> seriesRevision;
    std::optional<quint64> shotRevision;
    int innerTens = 0; // of the displayed series
    int allInnerTens = 0;
};

template <typename Sheet> SeriesFigures seriesFigures(const Sheet& sheet) {
    return {sheet.caption(),
            sheet.seriesList(),
            sheet.selectedSeries(),
            sheet.shotList(),
            sheet.highlightedRow(),
            sheet.valueList(),
            sheet.sums().whole,
            sheet.sums().tenths,
            {},
            {},
            sheet.innerTens(),
            sheet.allInnerTens()};
}

class TargetPanels final : public QObject {
    Q_OBJECT
public:
    // Lays out the drawing area and the side panel down to the options row.
    TargetPanels(QWidget* window, TargetView* view, const PanelStyle& style);

    // Adds the lists and sums below the options row.
    void buildLists();
    // Adds the read-only comments box, which ends the side panel.
    QPlainTextEdit* addCommentBox();
    // The "Auswertung" panel of the window: the MPI crosses it draws over
    // the view follow its option, and "Klickwert …" asks for the click value
    // of the discipline `discipline` gives and then calls `changed`. `rated`:
    // the window rates calls. The window places the panel.
    AnalysisPanel* makeAnalysisPanel(bool rated, UserDialogs& dialogs, Settings& settings,
                                     std::function<int()> discipline,
                                     std::function<void()> changed);
    // Adds a button to the grid below, eight to a row.
    QPushButton* addButton(const QString& name, const QString& caption);

    QWidget* panel() const { return m_panel; }
    QVBoxLayout* sidePanel() const { return m_side; }
    QHBoxLayout* optionsRow() const { return m_optionsRow; }
    // The line under the target that tells a newcomer where to click.
    QLabel* hint() const { return m_hint; }
    // Below the options: the controls of the sources of hits.
    QHBoxLayout* sourcesRow() const { return m_sourcesRow; }
    QHBoxLayout* listsRow() const { return m_listsRow; }
    QLineEdit* name() const { return m_name; }
    QButtonGroup* discipline() const { return m_discipline; }
    QListWidget* seriesList() const { return m_seriesList; }
    QListWidget* shotList() const { return m_shotList; }

    void show(const SeriesFigures& figures);
    // The comments of the series, their lines broken at line feeds.
    void showComments(const QString& comments);
    // Checks the option of the discipline shown, without choosing it again.
    void showDiscipline(int index);

Q_SIGNALS:
    void disciplineChosen(int index);
    void seriesChosen(int number); // counted from 1
    void shotChosen(int row);

private:
    void buildHeader();
    void addZoomButtons(QHBoxLayout* row);
    QGridLayout* buildShotGrid();

    QWidget* m_window;
    TargetView* m_view;
    PanelStyle m_style;
    QWidget* m_panel = nullptr;
    QVBoxLayout* m_side = nullptr;
    QHBoxLayout* m_optionsRow = nullptr;
    QHBoxLayout* m_sourcesRow = nullptr;
    QHBoxLayout* m_listsRow = nullptr;
    QGridLayout* m_buttons = nullptr;
    int m_buttonCount = 0;

    QLineEdit* m_name = nullptr;
    QLabel* m_capShotNumber = nullptr;
    QLabel* m_hint = nullptr;
    QButtonGroup* m_discipline = nullptr;
    QListWidget* m_seriesList = nullptr;
    QListWidget* m_shotList = nullptr;
    QListWidget* m_valueList = nullptr;
    QLineEdit* m_seriesSum = nullptr;
    QLineEdit* m_seriesSumTenths = nullptr;
    QLineEdit* m_innerTens = nullptr;
    QLineEdit* m_allInnerTens = nullptr;
    QPlainTextEdit* m_comments = nullptr;
    std::optional<quint64> m_shownSeriesRevision;
    std::optional<quint64> m_shownShotRevision;
};

} // namespace ankerblick
