#include "rhythmustrainingshilfeform.h"

#include "services/settings.h"
#include "services/tonegenerator.h"
#include "services/userdialogs.h"
#include "widgets/widgets.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace ankerblick {

namespace {

struct BoxSetup {
    const char* label; // German, translated where shown
    const char16_t* initial;
};

constexpr std::array<BoxSetup, rhythm::kBoxCount> kBoxSetup{{
    {QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Vorlaufzeit:"), u"10"},
    {QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Bis Halteraum:"), u"8"},
    {QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Bis Schuss:"), u"3"},
    {QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Toleranz bis Absetzen:"), u"2"},
    {QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Pause:"), u"40"},
    {QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Anzahl Durchläufe:"), u"10"},
}};

// The phase each box times, as the line below the boxes names it.
constexpr std::array<const char*, rhythm::kBoxCount - 1> kPhaseNames{{
    QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Vorlaufzeit"),
    QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Bis Halteraum"),
    QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Bis Schuss"),
    QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Toleranz bis Absetzen"),
    QT_TRANSLATE_NOOP("ankerblick::RhythmusTrainingshilfeForm", "Pause"),
}};

// The running time's box: white digits on a dark red (7.4 : 1), readable
// at a glance from the firing point.
const QColor kRed(176, 0, 0);
const QColor kWhite(255, 255, 255);

void setColours(QLineEdit* box, const QColor& back) {
    QPalette p = box->palette();
    const QColor text = back == kRed ? kWhite : QColor(Qt::black);
    if (p.color(QPalette::Base) == back && p.color(QPalette::Text) == text)
        return;
    p.setColor(QPalette::Base, back);
    p.setColor(QPalette::Text, text);
    box->setPalette(p);
}

} // namespace

RhythmusTrainingshilfeForm::RhythmusTrainingshilfeForm(ToneGenerator& tones, UserDialogs& dialogs,
                                                       Settings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_tones(tones), m_dialogs(dialogs),
      m_settings(settings), m_locale(QLocale()), m_sequence(m_locale) {
    setObjectName(QStringLiteral("RhythmusTrainingshilfeForm"));
    setWindowTitle(tr("Rhythmus Trainingshilfe"));
    buildControls();
    loadKeptOptions();
}

RhythmusTrainingshilfeForm::~RhythmusTrainingshilfeForm() {
    // A box losing its focus while the window goes away must not reach the
    // window's handlers any more.
    for (QLineEdit* box : m_boxes)
        box->disconnect(this);
}

// The six times in two rows of three, the unit and the buttons below them.
void RhythmusTrainingshilfeForm::buildControls() {
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    auto* times = new QGridLayout;
    times->setHorizontalSpacing(8);
    constexpr int kPerRow = 3;
    for (int i = 0; i < rhythm::kBoxCount; ++i) {
        const QString label = QString::fromUtf8(kBoxSetup[size_t(i)].label);
        auto* caption = new QLabel(tr(kBoxSetup[size_t(i)].label), this);
        auto* box =
            named(new QLineEdit(this), QStringLiteral("ZeitTxt(") % QString::number(i) % u')');
        box->setAccessibleDescription(label);
        box->setText(QString::fromUtf16(kBoxSetup[size_t(i)].initial));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00,000")) + 12);
        box->setAlignment(Qt::AlignRight);
        caption->setBuddy(box);
        times->addWidget(caption, i / kPerRow, 2 * (i % kPerRow), Qt::AlignRight);
        times->addWidget(box, i / kPerRow, 2 * (i % kPerRow) + 1);
        m_boxes[size_t(i)] = box;
        connect(box, &QLineEdit::textChanged, this, [this, i] { timeEdited(i); });
        connect(box, &QLineEdit::editingFinished, this, [this, i] { timeLeft(i); });
    }
    column->addLayout(times);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Alle Angaben in Sekunden"), this));
    row->addStretch();
    m_start = makeButton(this, QStringLiteral("Start"), tr("Start"));
    m_stop = makeButton(this, QStringLiteral("Stop"), tr("Stop"));
    row->addWidget(m_start);
    row->addWidget(m_stop);
    column->addLayout(row);
    // The phase and the run; it never widens the window.
    m_status = named(new QLabel(this), QStringLiteral("RhythmusStatus"));
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QFont bold = m_status->font();
    bold.setBold(true);
    m_status->setFont(bold);
    column->addWidget(m_status);
    connect(m_start, &QPushButton::clicked, this, &RhythmusTrainingshilfeForm::startRhythm);
    connect(m_stop, &QPushButton::clicked, this, &RhythmusTrainingshilfeForm::stopRhythm);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    // Phases as short as a millisecond: the timer must not fire early.
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &RhythmusTrainingshilfeForm::nextStep);
}

void RhythmusTrainingshilfeForm::loadKeptOptions() {
    restoreTimes();
    showPhase(rhythm::kNoBox, 0);
}

void RhythmusTrainingshilfeForm::restoreTimes() {
    // Only times the boxes would accept; otherwise the boxes keep their
    // first values.
    const QStringList kept = m_settings.rhythmTimes();
    if (kept.size() != rhythm::kBoxCount)
        return;
    for (const QString& time : kept)
        if (rhythm::checkWhileEditing(time, m_locale) != rhythm::BoxProblem::None ||
            rhythm::checkOnLeaving(time, m_locale) != rhythm::BoxProblem::None)
            return;
    for (int i = 0; i < rhythm::kBoxCount; ++i)
        m_boxes[size_t(i)]->setText(kept[i]);
}

rhythm::BoxTexts RhythmusTrainingshilfeForm::boxTexts() const {
    rhythm::BoxTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = m_boxes[i]->text();
    return texts;
}

void RhythmusTrainingshilfeForm::showPhase(int box, int run) {
    for (int i = 0; i < rhythm::kBoxCount; ++i)
        setColours(m_boxes[size_t(i)], i == box ? kRed : kWhite);
    if (box < 0 || box >= int(kPhaseNames.size())) {
        m_status->setText(tr("Bereit"));
        return;
    }
    const int runs = rhythm::plannedRuns(m_boxes[rhythm::kCountBox]->text(), m_locale);
    m_status->setText(tr("%1 – Durchlauf %2 von %3")
                          .arg(tr(kPhaseNames[size_t(box)]), QString::number(run),
                               QString::number(std::max(runs, run))));
}

void RhythmusTrainingshilfeForm::showStep(const rhythm::Step& step) {
    m_timer->stop();
    m_timer->setInterval(0);
    m_afterSignal.reset();
    if (step.tones.isEmpty()) {
        startTime(step);
    } else {
        // The signal sounds beside the window; the phase's time starts once the
        // signal's length has passed on the timer, whether the signal sounded
        // or was left out, and until then the box of the time just ended stays
        // red.
        m_tones.play(step.tones);
        m_afterSignal = step;
        m_timer->start(tone::lengthOf(step.tones));
    }
    tellNoSoundOutput();
}

void RhythmusTrainingshilfeForm::startTime(const rhythm::Step& step) {
    showPhase(step.redBox, step.run);
    if (step.interval > 0)
        m_timer->start(step.interval);
}

void RhythmusTrainingshilfeForm::tellNoSoundOutput() {
    if (m_tones.takeNoOutputNotice()) {
        // Told after the tick, so that the rhythm goes on behind the message.
        QTimer::singleShot(0, this, [this] { m_dialogs.messageBox(this, noSoundOutputMessage()); });
    }
}

void RhythmusTrainingshilfeForm::startRhythm() {
    const rhythm::BoxTexts texts = boxTexts();
    m_settings.setRhythmTimes(QStringList(texts.begin(), texts.end()));
    // Told before the lead time runs (the output was opened with the
    // window), so that the message does not eat into the times.
    if (m_tones.takeNoOutputNotice())
        m_dialogs.messageBox(this, noSoundOutputMessage());
    showStep(m_sequence.start(boxTexts()));
}

void RhythmusTrainingshilfeForm::stopRhythm() {
    m_sequence.stop();
    m_afterSignal.reset();
    showPhase(m_sequence.redBox(), 0);
}

void RhythmusTrainingshilfeForm::showEvent(QShowEvent* event) {
    m_tones.prepare();
    QWidget::showEvent(event);
}

void RhythmusTrainingshilfeForm::closeEvent(QCloseEvent* event) {
    stopRhythm();
    m_timer->stop();
    m_timer->setInterval(0);
    QWidget::closeEvent(event);
}

void RhythmusTrainingshilfeForm::nextStep() {
    if (m_afterSignal) {
        const rhythm::Step step = *std::exchange(m_afterSignal, std::nullopt);
        startTime(step);
        // A sound output found missing while the signal should have sounded.
        tellNoSoundOutput();
        return;
    }
    showStep(m_sequence.tick(boxTexts()));
}

void RhythmusTrainingshilfeForm::timeEdited(int index) {
    QLineEdit* box = m_boxes[size_t(index)];
    const rhythm::BoxProblem problem = rhythm::checkWhileEditing(box->text(), m_locale);
    if (problem == rhythm::BoxProblem::None)
        return;
    // The text is put back before the message, so that the box holds a
    // number whenever it is read or left while the message is open.
    box->setText(rhythm::fallbackText());
    m_dialogs.messageBox(this, rhythm::problemMessage(problem));
}

void RhythmusTrainingshilfeForm::timeLeft(int index) {
    QLineEdit* box = m_boxes[size_t(index)];
    const rhythm::BoxProblem problem = rhythm::checkOnLeaving(box->text(), m_locale);
    if (problem == rhythm::BoxProblem::None)
        return;
    box->setText(rhythm::fallbackText());
    m_dialogs.messageBox(this, rhythm::problemMessage(problem));
}

RhythmWindow::RhythmWindow(ToneGenerator& tones, UserDialogs& dialogs, Settings& settings)
    : m_tones(tones), m_dialogs(dialogs), m_settings(settings) {}

RhythmWindow::~RhythmWindow() = default;

RhythmusTrainingshilfeForm* RhythmWindow::show() {
    if (!m_window)
        m_window = std::make_unique<RhythmusTrainingshilfeForm>(m_tones, m_dialogs, m_settings);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window.get();
}

void RhythmWindow::unload() {
    m_window.reset();
}

} // namespace ankerblick
