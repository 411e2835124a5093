#pragma once

// "--version" and "--help": answered by both programs before any application object exists, so that
// they work without a display.

#include "Version.h"

#include <cstdio>
#include <cstring>

// The version line of both programs.
inline const char* VersionLine() {
    return "Skylathe " SKYLATHE_VERSION_STRING "\n";
}

// Prints the version line for "--version" or `help` for "--help" / "-h" when `argument` is one of them;
// returns true then, and the program ends with exit code 0.
inline bool AnswerInformationOption(const char* argument, const char* help) {
    if (std::strcmp(argument, "--version") == 0) {
        std::fputs(VersionLine(), stdout);
        return true;
    }
    if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
        std::fputs(help, stdout);
        return true;
    }
    return false;
}
