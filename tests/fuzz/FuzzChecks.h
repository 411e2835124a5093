#pragma once

#include <QByteArray>
#include <QString>

// The checks the fuzzers run on every input and the regression test runs on every kept input. Each returns
// an empty string when the input was handled soundly, otherwise what went wrong.

// The XML layer: a refused file stays byte-identical and FormatXmlFile refuses it too; an accepted file is
// re-indented keeping its tree, the result loads again, and formatting it once more changes nothing.
QString CheckXmlInput(const QByteArray& input);

// The ZIP reader: directory, reading every member, and extraction into a scratch folder; nothing lands
// outside it, a failing archive writes nothing, a good one is extracted exactly.
QString CheckZipInput(const QByteArray& input);
