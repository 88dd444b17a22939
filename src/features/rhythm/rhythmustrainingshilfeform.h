#pragma once

// The rhythm training aid: a small always-on-top strip with the lead time,
// the three phase times, the pause and the number of runs. Start beeps out the
// rhythm; the box whose time is running is red.
//
// Other windows open it with showRhythmWindow(tones, dialogs): the first call
// creates the one window of the program, every call shows it modeless and
// brings it to the front. unloadRhythmWindow() closes and deletes it (when the
// program ends; it also happens when the application quits).

#include "sheets/rhythmsequence.h"

#include <QWidget>

#include <array>
#include <optional>

class QLineEdit;
class QPushButton;
class QTimer;

namespace ankerblick {

class ToneGenerator;
class UserDialogs;

class RhythmusTrainingshilfeForm : public QWidget {
    Q_OBJECT
public:
    RhythmusTrainingshilfeForm(ToneGenerator& tones, UserDialogs& dialogs,
                               QWidget* parent = nullptr);
    ~RhythmusTrainingshilfeForm() override;

    const rhythm::RhythmSequence& sequence() const { return m_sequence; }

protected:
    // Closing the window ends a running rhythm; the times typed stay.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void Start_Click();
    void Stop_Click();
    void Timer1_Timer();
    void ZeitTxt_Change(int index);
    void ZeitTxt_LostFocus(int index);

    rhythm::BoxTexts boxTexts() const;
    void showStep(const rhythm::Step& step);
    void startTime(const rhythm::Step& step);
    void showRedBox(int index);
    void tellNoSoundOutput();

    ToneGenerator& m_tones;
    UserDialogs& m_dialogs;
    QLocale m_locale;
    rhythm::RhythmSequence m_sequence;

    std::array<QLineEdit*, rhythm::kBoxCount> m_boxes{};
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QTimer* m_timer = nullptr;
    // The step whose time starts when the signal now sounding has ended;
    // until then the timer waits for the signal.
    std::optional<rhythm::Step> m_afterSignal;
};

// Shows the program's rhythm window modeless, creating it on first use. The
// tone generator and dialogs of the call that created it stay in use and must
// outlive it.
RhythmusTrainingshilfeForm* showRhythmWindow(ToneGenerator& tones, UserDialogs& dialogs);

// Closes and deletes the rhythm window if there is one.
void unloadRhythmWindow();

} // namespace ankerblick
