#include "rhythmsequence.h"

#include "model/numeric.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>

namespace ankerblick::rhythm {

namespace {

constexpr double kFallbackSeconds = 10.0;
constexpr double kLowest = 0.001;
constexpr double kHighest = 65.535;
constexpr int kLongestInterval = 65535;

} // namespace

Tone phaseTone() {
    return {440, 200};
}

QList<Tone> putDownSignal() {
    return {{425, 25}, {450, 25}, {475, 25}, {440, 40}, {380, 40},
            {320, 40}, {260, 40}, {200, 40}, {100, 100}};
}

int intervalOf(const QString& text, const QLocale& locale) {
    const double seconds = num::parseNumber(text, locale).value_or(kFallbackSeconds);
    const double ms = num::roundHalfEven(seconds * 1000.0);
    return static_cast<int>(std::clamp(ms, 1.0, double(kLongestInterval)));
}

double runCountOf(const QString& text, const QLocale& locale) {
    return num::parseNumber(text, locale).value_or(kFallbackSeconds);
}

int plannedRuns(const QString& text, const QLocale& locale) {
    const double runs = std::floor(runCountOf(text, locale));
    return runs >= 1.0 ? int(std::min(runs, double(std::numeric_limits<qint16>::max()))) : 1;
}

Step RhythmSequence::start(const BoxTexts& boxes) {
    m_redBox = kLeadBox;
    m_phase = 5;
    m_interval = intervalOf(boxes[kLeadBox], m_locale);
    m_run = 1;
    return {{}, m_interval, m_redBox, m_run};
}

Step RhythmSequence::tick(const BoxTexts& boxes) {
    m_interval = 0;
    if (m_phase == 0) {
        m_redBox = kNoBox;
        return {{}, 0, m_redBox, 0};
    }
    if (m_phase > 4)
        m_phase = 1;
    m_interval = intervalOf(boxes[m_phase], m_locale);

    Step step;
    step.run = m_run; // the pause still belongs to the run it ends
    bool counterFull = false;
    if (m_phase < 4) {
        step.tones = {phaseTone()};
    } else {
        step.tones = putDownSignal();
        // The count box keeps the runs far below the counter's limit; should
        // the counter reach it all the same, the sequence ends there.
        counterFull = m_run == std::numeric_limits<qint16>::max();
        if (!counterFull)
            ++m_run;
    }
    ++m_phase;
    m_redBox = m_phase - 1;
    if (counterFull || runCountOf(boxes[kCountBox], m_locale) < m_run)
        m_phase = 0;
    step.interval = m_interval;
    step.redBox = m_redBox;
    return step;
}

void RhythmSequence::stop() {
    m_phase = 0;
    m_redBox = kNoBox;
}

BoxProblem checkWhileEditing(const QString& text, const QLocale& locale) {
    return num::parseNumber(text, locale) ? BoxProblem::None : BoxProblem::NotANumber;
}

BoxProblem checkOnLeaving(const QString& text, const QLocale& locale) {
    const auto value = num::parseNumber(text, locale);
    if (!value)
        return BoxProblem::NotANumber;
    return *value < kLowest || *value > kHighest ? BoxProblem::OutOfRange : BoxProblem::None;
}

QString problemMessage(BoxProblem problem) {
    switch (problem) {
    case BoxProblem::NotANumber:
        return QCoreApplication::translate("RhythmSequence", "Bitte eine Zahl eingeben.");
    case BoxProblem::OutOfRange:
        return QCoreApplication::translate("RhythmSequence",
                                           "Bitte mindestens 0,001s und maximal 65,5s verwenden.");
    case BoxProblem::None:
        break;
    }
    return QString();
}

QString fallbackText() {
    return QStringLiteral("10");
}

} // namespace ankerblick::rhythm
