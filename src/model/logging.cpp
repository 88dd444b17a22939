#include "logging.h"

namespace ankerblick {

Q_LOGGING_CATEGORY(lcClub, "ankerblick.club", QtWarningMsg)
Q_LOGGING_CATEGORY(lcCamera, "ankerblick.camera", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSerialTarget, "ankerblick.target", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDiary, "ankerblick.diary", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSound, "ankerblick.sound", QtWarningMsg)
Q_LOGGING_CATEGORY(lcIntake, "ankerblick.intake", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLive, "ankerblick.live", QtWarningMsg)

} // namespace ankerblick
