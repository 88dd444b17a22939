#pragma once

// The start-up window: the shooter enters call and hit of every shot on the
// target and sees each shot scored and its call rated.

#include "aimsheet.h"

#include <QWidget>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ankerblick {

class UserDialogs;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(UserDialogs& dialogs, QWidget* parent = nullptr);

    const AimSheet& sheet() const { return m_sheet; }
    QString shooterName() const;

    // The top-left corner of the drawing surface in window coordinates.
    static constexpr int kSurfaceWidth = 488;
    static constexpr int kSurfaceHeight = 460;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void Disziplin_Click(int index);
    void Sektoren_Click(int index);
    void Ringgenauigkeit_Click(int index);
    void NeuBerechnen_Click();
    void SchuetzenName_Change();
    void refresh();

    UserDialogs& m_dialogs;
    AimSheet m_sheet;

    QLineEdit* m_name = nullptr;
    QLabel* m_capShotNumber = nullptr;
    QButtonGroup* m_discipline = nullptr;
    QButtonGroup* m_sectors = nullptr;
    QButtonGroup* m_ringAccuracy = nullptr;
    QListWidget* m_seriesList = nullptr;
    QListWidget* m_shotList = nullptr;
    QListWidget* m_valueList = nullptr;
    QListWidget* m_scoreList = nullptr;
    QListWidget* m_sekMmList = nullptr;
    QLineEdit* m_scoreTotal = nullptr;
    QLineEdit* m_sekMmMean = nullptr;
    QLineEdit* m_seriesSum = nullptr;
    QLineEdit* m_seriesSumTenths = nullptr;
    QPushButton* m_nextSeries = nullptr;
    QPushButton* m_recompute = nullptr;
};

} // namespace ankerblick
