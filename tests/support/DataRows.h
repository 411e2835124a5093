#pragma once

#include <QTest>

// One row of a data-driven test, on one line: its name, then its values in the order of the columns.
template <typename... Values> void AddRow(const char* name, const Values&... values) {
    (QTest::newRow(name) << ... << values);
}
