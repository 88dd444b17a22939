#pragma once

// The widgets the two entry windows share: the target drawn on the window's
// own client area (drawing units are its pixels), the discipline options, the
// series and shot lists with the sums, and the series buttons. Each window
// adds its own controls into the rows this base lays out.

#include "platform/services.h"
#include "sheets/targetsheet.h"

#include <QWidget>

class QBoxLayout;
class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace ankerblick {

class UserDialogs;

class TargetWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSurfaceWidth = 488;
    static constexpr int kSurfaceHeight = 460;

    QString shooterName() const;

protected:
    TargetWindow(TargetSheet& sheet, Services& services, QWidget* parent);

    // Builds the shared controls; the disciplines' captions come from the window.
    void buildControls(bool mainWindowSpelling);
    // Where a window adds its own controls.
    QHBoxLayout* optionsRow() const { return m_optionsRow; }
    QHBoxLayout* listsRow() const { return m_listsRow; }
    QVBoxLayout* sidePanel() const { return m_side; }
    QPushButton* addButton(const QString& name, const QString& caption);
    // Brings the controls in line with the sheet after every event.
    virtual void refresh();
    virtual void paintMarks(QPainter& painter);
    // How this window writes its series files.
    virtual SeriesFileStyle fileStyle() const = 0;

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Handlers of the shared controls.
    void Disziplin_Click(int index);
    void SerienListe_Click(int row);
    void SchussListe_Click(int row);
    void SchussListe_LostFocus();
    void WeitereSerie_Click();
    void Undo_Click();
    void Neu_Click();
    void NeuBerechnen_Click();
    void WeisseSchuesse_Click();
    void Kommentar_Click();
    void StartBtn_Click();
    void StopBtn_Click();
    void Speichern_Click();
    void RhythmusTrainingshilfe_Click();

    TargetSheet& m_sheet;
    Services& m_services;
    UserDialogs& m_dialogs;

    QLineEdit* m_name = nullptr;
    QLabel* m_capShotNumber = nullptr;
    QButtonGroup* m_discipline = nullptr;
    QListWidget* m_seriesList = nullptr;
    QListWidget* m_shotList = nullptr;
    QListWidget* m_valueList = nullptr;
    QLineEdit* m_seriesSum = nullptr;
    QLineEdit* m_seriesSumTenths = nullptr;
    QPushButton* m_nextSeries = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_recompute = nullptr;
    QPushButton* m_whiteShots = nullptr;
    QPushButton* m_comment = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_rhythm = nullptr;

private:
    QVBoxLayout* m_side = nullptr;
    QHBoxLayout* m_optionsRow = nullptr;
    QHBoxLayout* m_listsRow = nullptr;
    QGridLayout* m_buttons = nullptr;
    int m_buttonCount = 0;
};

// The file dialogs' filter for series files.
QString seriesFileFilter();

// Helpers for the windows' own controls.
QListWidget* makeListBox(QWidget* parent, const QString& name, int width);
QLineEdit* makeFigureBox(QWidget* parent, const QString& name, int width);
QButtonGroup* makeOptionGroup(QGroupBox* frame, const QString& name, const QStringList& captions);

} // namespace ankerblick
