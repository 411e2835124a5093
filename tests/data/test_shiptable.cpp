#include "data/ShipTable.h"

#include <QSet>
#include <QtTest>

class TestShipTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lookups() {
        QCOMPARE(GetShipGuidForBase(QStringLiteral("114166")), QStringLiteral("2000502018"));
        QCOMPARE(GetShipGuidForBase(QStringLiteral("1755")), QStringLiteral("2000502010"));
        QCOMPARE(GetShipGuidForBase(QStringLiteral("2000502018")), QString());
        QCOMPARE(GetDescriptionGuidForBase(QStringLiteral("1731")), QStringLiteral("2000502036"));
        QCOMPARE(GetDescriptionGuidForBase(QStringLiteral("99")), QString());

        QString pos = QStringLiteral("C");
        GetListPositionForBase(QStringLiteral("1732"), pos);
        QCOMPARE(pos, QStringLiteral("H"));
        pos = QStringLiteral("C");
        GetListPositionForBase(QStringLiteral("4711"), pos);
        QCOMPARE(pos, QStringLiteral("C"));

        QCOMPARE(GetMaxSpeedFactor(QStringLiteral("2000502013")), 3.0);
        QCOMPARE(GetMinSpeedFactor(QStringLiteral("2000502013")), 1.6);
        QCOMPARE(5 * GetMaxSpeedFactor(QStringLiteral("2000502013")), 15.0);
        QCOMPARE(5 * GetMinSpeedFactor(QStringLiteral("2000502013")), 8.0);
        QCOMPARE(GetMinSpeedFactor(QStringLiteral("1654")), 0.0);
        QCOMPARE(GetMaxSpeedFactor(QString()), 0.0);
    }

    void tableProperties() {
        const auto& table = ShipIdentities();
        QCOMPARE(table.size(), 16);
        for (const QString& gas : {QStringLiteral("Heliumgas"), QStringLiteral("Arcticgas")}) {
            QSet<QString> letters;
            for (const ShipIdentity& s : table) {
                if (s.liftGas == gas) {
                    letters.insert(s.pos);
                    QCOMPARE(s.armed, s.pos == QLatin1String("G") || s.pos == QLatin1String("H"));
                }
            }
            QCOMPARE(letters, QSet<QString>({"A", "B", "C", "D", "E", "F", "G", "H"}));
        }
        QStringList armed;
        for (const ShipIdentity& s : table) {
            if (IsArmedShipGuid(s.guid)) {
                armed << s.guid;
            }
        }
        QCOMPARE(armed, QStringList({"2000502016", "2000502017", "2000502024", "2000502025"}));
    }
};

QTEST_GUILESS_MAIN(TestShipTable)
#include "test_shiptable.moc"
