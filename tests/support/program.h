#pragma once

// The program as main() starts it, on a test's services: the application
// with its main window, begun (name prompt, the diary's notice, the offer
// to restore, the command line's file) but no window shown yet. The
// services outlive the application.

#include "app/application.h"
#include "windows/main/form1.h"

#include <memory>

namespace ankerblick::test {

inline std::unique_ptr<Application> beginProgram(Services& services,
                                                 const StartOptions& start = {}) {
    auto application = std::make_unique<Application>(services, start);
    application->begin();
    return application;
}

} // namespace ankerblick::test
