#pragma once

// The platform services a window may use, handed to it when it is created:
// the real ones in the program, scripted stand-ins in tests.
//
// Lifetime: the bundle and everything it refers to outlive the application
// and every window and tool built from it. The application and the windows
// keep a reference to the bundle and build from it long after they were
// built themselves (the shot-entry, analysis and diary windows when first
// asked for), so whoever builds the services keeps them until the last
// window is gone: main() holds them on its stack ahead of the application,
// a test as members of its fixture or as locals that outlive its windows.

#include "bytestream.h"
#include "serialport.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace ankerblick {

class CameraService;
class Clock;
class ClubReader;
class ClubSync;
class Keyring;
class Diary;
class PrinterService;
class Settings;
class ToneGenerator;
class UserDialogs;

struct Services {
    UserDialogs& dialogs;
    const Clock& clock;
    ToneGenerator& tones;
    PrinterService& printers;
    // What the program remembers between runs.
    Settings& settings;
    // The training diary, which keeps every series as it is entered.
    Diary& diary;
    // The camera watching a paper target: its sources and their frames.
    CameraService& cameras;
    // Serial ports named on the command line, offered after the system's own.
    QStringList extraSerialPorts{};
    // Makes the port of an electronic target link, one for each window that
    // has a link.
    std::function<std::unique_ptr<SerialPort>()> serialPorts{};
    // Makes the connection of a target that sends JSON (by TCP or a serial
    // line), one for each window that has a link.
    std::function<std::unique_ptr<ByteStream>()> byteStreams{};
    // Camera sources named on the command line (video files, folders of
    // pictures, devices), offered after the system's cameras.
    QStringList extraCameras{};
    // The sync with the club's server, which sends what the diary keeps;
    // none where no window needs it.
    ClubSync* club = nullptr;
    // Reading the club's server: the coach's view of the squad and the
    // trainings of every lane; none where no window needs it.
    ClubReader* clubReader = nullptr;
    // The desktop's keyring, where the club server's password is kept.
    Keyring* keyring = nullptr;
};

} // namespace ankerblick
