#pragma once

// The rhythm training aid: a small always-on-top strip with the lead time,
// the three phase times, the pause and the number of runs. Start beeps out the
// rhythm; the box whose time is running is red.
//
// The program has one such window, held by a RhythmWindow that the main
// window owns: the first show() creates it, every show() shows it modeless
// and brings it to the front; unload() or the holder's end deletes it.

#include "sheets/rhythmsequence.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace ankerblick {

class Settings;
class ToneGenerator;
class UserDialogs;

class RhythmusTrainingshilfeForm : public QWidget {
    Q_OBJECT
public:
    // The times typed at the last start are put back into the boxes.
    RhythmusTrainingshilfeForm(ToneGenerator& tones, UserDialogs& dialogs, Settings& settings,
                               QWidget* parent = nullptr);
    ~RhythmusTrainingshilfeForm() override;

protected:
    // The sound output is opened as the window opens, so that the first
    // signal of a run does not wait for the connection.
    void showEvent(QShowEvent* event) override;
    // Closing the window ends a running rhythm; the times typed stay.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void loadKeptOptions();
    void restoreTimes();
    void startRhythm();
    void stopRhythm();
    void nextStep();
    void timeEdited(int index);
    void timeLeft(int index);

    rhythm::BoxTexts boxTexts() const;
    void showStep(const rhythm::Step& step);
    void startTime(const rhythm::Step& step);
    // The box of the running time red, and the phase and run below the boxes.
    void showPhase(int box, int run);
    void tellNoSoundOutput();

    ToneGenerator& m_tones;
    UserDialogs& m_dialogs;
    Settings& m_settings;
    QLocale m_locale;
    rhythm::RhythmSequence m_sequence;

    std::array<QLineEdit*, rhythm::kBoxCount> m_boxes{};
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_timer = nullptr;
    // The step whose time starts when the signal now sounding has ended;
    // until then the timer waits for the signal.
    std::optional<rhythm::Step> m_afterSignal;
};

// The holder of the rhythm window. The tone generator and dialogs must
// outlive it.
class RhythmWindow final {
public:
    RhythmWindow(ToneGenerator& tones, UserDialogs& dialogs, Settings& settings);
    ~RhythmWindow();
    RhythmWindow(const RhythmWindow&) = delete;
    RhythmWindow& operator=(const RhythmWindow&) = delete;

    // Shows the window modeless and in front, creating it on first use.
    RhythmusTrainingshilfeForm* show();
    // Closes and deletes the window if there is one.
    void unload();
    // The window if it was created, else null.
    RhythmusTrainingshilfeForm* window() const { return m_window.get(); }

private:
    ToneGenerator& m_tones;
    UserDialogs& m_dialogs;
    Settings& m_settings;
    std::unique_ptr<RhythmusTrainingshilfeForm> m_window;
};

} // namespace ankerblick
