#pragma once

#include "ui/ErrorBoundary.h"

#include <QTest>

// QTEST_MAIN for the window tests: they run on the program's own application object, so the error
// boundary is installed exactly as in the program.
#define SKYLATHE_WINDOW_TEST_MAIN(TestObject)                                                                \
    int main(int argc, char** argv) {                                                                        \
        SkylatheApplication app(argc, argv);                                                                 \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                             \
        TestObject tc;                                                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
