#pragma once

// The club's setup from the command line, without any window: creates or
// migrates the tables and roles on the server and adds a login, whose
// password is read from standard input (without echo on a terminal, asked
// twice there). Prints what it did on standard output, why not on standard
// error; returns the exit status.

#include "sheets/commandline.h"

#include <cstdio>

namespace ankerblick {

int setUpClub(const ClubSetup& setup, std::FILE* in = stdin, std::FILE* out = stdout,
              std::FILE* err = stderr);

} // namespace ankerblick
