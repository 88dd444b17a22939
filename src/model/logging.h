#pragma once

// The program's logging categories, one per subsystem. A failure the user
// is not shown leaves a warning in its category; nothing is logged in normal
// use. QT_LOGGING_RULES="ankerblick.*.debug=true" shows more.

#include <QLoggingCategory>

namespace ankerblick {

Q_DECLARE_LOGGING_CATEGORY(lcClub)         // ankerblick.club: the club's server
Q_DECLARE_LOGGING_CATEGORY(lcCamera)       // ankerblick.camera: camera and photo
Q_DECLARE_LOGGING_CATEGORY(lcSerialTarget) // ankerblick.target: the electronic target
Q_DECLARE_LOGGING_CATEGORY(lcDiary)        // ankerblick.diary: the training diary
Q_DECLARE_LOGGING_CATEGORY(lcSound)        // ankerblick.sound: the range's tones
Q_DECLARE_LOGGING_CATEGORY(lcIntake)       // ankerblick.intake: hits entering a window
Q_DECLARE_LOGGING_CATEGORY(lcLive)         // ankerblick.live: the range's live view in the browser

} // namespace ankerblick
