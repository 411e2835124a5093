#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <forward_list>

// A table's columns on one line: AddColumns<QString, int>("message", "lines"). The names are string
// literals: QTest keeps them as pointers.
template <typename... Types, std::size_t... Lengths> void AddColumns(const char (&... names)[Lengths]) {
    static_assert(sizeof...(Types) == sizeof...(Lengths), "one name per column type");
    (QTest::addColumn<Types>(names), ...);
}

// One row of a data-driven test, on one line: its name, then its values in the order of the columns.
template <typename... Values> void AddRow(const char* name, const Values&... values) {
    (QTest::newRow(name) << ... << values);
}

// Test vectors kept as a file of text columns:
// {"columns": ["input", "expected"], "rows": [["row name", "input", "expected"], …]}.
inline void AddTextRowsFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("test vectors %s cannot be read", qPrintable(path));
    }
    QJsonParseError error{};
    const QJsonObject table = QJsonDocument::fromJson(file.readAll(), &error).object();
    const QJsonArray columns = table.value(QStringLiteral("columns")).toArray();
    if (error.error != QJsonParseError::NoError || columns.isEmpty()) {
        qFatal("test vectors %s: %s", qPrintable(path), qPrintable(error.errorString()));
    }
    // QTest keeps the column name as a pointer, so the names live as long as the test program.
    static std::forward_list<QByteArray> names;
    for (const QJsonValue& column : columns) {
        names.push_front(column.toString().toUtf8());
        QTest::addColumn<QString>(names.front().constData());
    }
    for (const QJsonValue& value : table.value(QStringLiteral("rows")).toArray()) {
        const QJsonArray row = value.toArray();
        if (row.size() != columns.size() + 1) {
            qFatal("test vectors %s: row %s has not one value per column", qPrintable(path),
                   qPrintable(row.first().toString()));
        }
        QTestData& data = QTest::newRow(row.first().toString().toUtf8().constData());
        for (qsizetype i = 1; i < row.size(); ++i) {
            data << row.at(i).toString();
        }
    }
}
