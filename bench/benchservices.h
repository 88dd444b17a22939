#pragma once

// The platform services a window needs in a benchmark: dialogs answered from
// a queue (so no modal dialog waits for a user), the real clock and printers,
// and tones that pass in silence.

#include "platform/clock.h"
#include "platform/opencvcamera.h"
#include "platform/printers.h"
#include "platform/serialport.h"
#include "platform/settings.h"
#include "platform/tonegenerator.h"
#include "platform/userdialogs.h"
#include "services/services.h"
#include "support/memorydiary.h"
#include "support/memorysettings.h"

#include <QStringList>

namespace ankerblick::bench {

class AnsweringDialogs final : public UserDialogs {
public:
    QStringList inputs;             // answers to input boxes; none left answers as Cancel
    bool yesAnswer = true;          // every yes/no question
    QString openName;               // every file to open
    int messages = 0;               // messages shown
    std::optional<FormAnswer> form; // every form

    std::optional<QString> inputBox(QWidget*, const QString&, const QString&,
                                    const QString&) override {
        if (inputs.isEmpty())
            return std::nullopt;
        return inputs.takeFirst();
    }
    std::optional<int> choice(QWidget*, const QString&, const QString&,
                              const QStringList&) override {
        return std::nullopt;
    }
    void messageBox(QWidget*, const QString&, const QString&) override { ++messages; }
    bool yesNo(QWidget*, const QString&, const QString&) override { return yesAnswer; }
    SaveChoice askToSave(QWidget*, const QString&) override { return SaveChoice::Discard; }
    QString openFileName(QWidget*, const QString&) override { return openName; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QStringList openFileNames(QWidget*, const QString&) override { return {}; }
    QString folderName(QWidget*) override { return {}; }
    std::optional<FormAnswer> askForm(QWidget*, const FormRequest&) override { return form; }
};

class SilentTones final : public ToneGenerator {
public:
    void play(const QList<tone::Tone>&) override {}
};

struct BenchServices {
    AnsweringDialogs dialogs;
    SystemClock clock;
    SilentTones tones;
    QtPrinterService printers;
    MemorySettings settings;
    MemoryDiary diary;
    OpenCvCameraService cameras{clock};
    Services services{dialogs, clock,   tones, printers,        settings,
                      diary,   cameras, {},    makeQtSerialPort};
};

} // namespace ankerblick::bench
