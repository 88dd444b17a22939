#pragma once

// What every window test starts from: the platform services as scripted
// stand-ins, handed to the windows as one Services bundle. A test class
// derives from it instead of QObject.

#include "platform/bytestream.h"
#include "platform/serialport.h"
#include "platform/settings.h"
#include "services/services.h"
#include "support/fakeclock.h"
#include "support/memorydiary.h"
#include "support/memorysettings.h"
#include "support/pdfprinters.h"
#include "support/recordedtones.h"
#include "support/scriptedcamera.h"
#include "support/scripteddialogs.h"

#include <QObject>

namespace ankerblick::test {

class WindowTest : public QObject {
protected:
    ScriptedDialogs m_dialogs;
    FakeClock m_clock;
    RecordedTones m_tones;
    PdfPrinters m_printers;
    MemorySettings m_settings;
    MemoryDiary m_diary;
    ScriptedCameraService m_cameras;
    Services m_services{m_dialogs, m_clock,   m_tones, m_printers,       m_settings,
                        m_diary,   m_cameras, {},      makeQtSerialPort, makeQtByteStream};

    // No answers asked yet, the clock at 0 and nothing remembered, for the
    // next test function.
    void resetServices() {
        m_dialogs = ScriptedDialogs();
        m_clock.now = 0;
        m_settings.clear();
        m_diary = MemoryDiary();
        m_cameras = ScriptedCameraService();
    }
};

} // namespace ankerblick::test
