#pragma once

// The program's own modules, libraries it loads at their first use instead
// of at its start: the video capture (libankerblick-capture.so) and the TCP
// connection (libankerblick-stream.so).

#include <QFunctionPointer>
#include <QLoggingCategory>

namespace ankerblick {

struct ProgramModule {
    const char* variable; // the environment variable that names its file (the tests set it)
    const char* file;     // its file name, "libankerblick-NAME.so"
    const char* function; // the function it exports
    const QLoggingCategory& (*category)(); // where a failure to load it is told
};

// The module's function, the module loaded for good. Looked for where its
// variable says, else beside the program (a build folder), else in the
// installed program's library folder; nullptr when none has it, and
// warnings say why.
QFunctionPointer loadModuleFunction(const ProgramModule& module);

} // namespace ankerblick
