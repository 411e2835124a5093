#include "data/Error.h"
#include "data/TextFile.h"
#include "data/Xml.h"
#include "tests/support/DataRows.h"

#include <QTemporaryDir>
#include <QtTest>

class TestXml : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        WriteFileAtomically(path, bytes);
        return path;
    }

private Q_SLOTS:
    void formatLayouts_data() {
        AddColumns<QByteArray, QByteArray>("input", "expected");

        AddRow(
            "declaration with encoding and BOM",
            QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<A><B x=\"1\">t</B></A>"),
            QByteArray("<?xml version=\"1.0\"?>\r\n<A>\r\n\t<B x=\"1\">t</B>\r\n</A>\r\n"));
        AddRow("no declaration stays none", QByteArray("<ModOps>\n  <ModOp Type=\"add\"/>\n</ModOps>"),
               QByteArray("<ModOps>\r\n\t<ModOp Type=\"add\"/>\r\n</ModOps>\r\n"));
        AddRow(
            "short empty elements and nesting",
            QByteArray(
                "<Costs><Item></Item><Item><Ingredient>838</Ingredient><Amount>25</Amount></Item></Costs>"),
            QByteArray("<Costs>\r\n\t<Item/>\r\n\t<Item>\r\n\t\t<Ingredient>838</Ingredient>\r\n"
                       "\t\t<Amount>25</Amount>\r\n\t</Item>\r\n</Costs>\r\n"));
        AddRow(
            "comments on their own lines",
            QByteArray(
                "<!--head--><Item><Ingredient>1010196</Ingredient><!--Bretter--><Amount>9</Amount></Item>"),
            QByteArray("<!--head-->\r\n<Item>\r\n\t<Ingredient>1010196</Ingredient>\r\n\t<!--Bretter-->\r\n"
                       "\t<Amount>9</Amount>\r\n</Item>\r\n"));
        AddRow("text ending in a line break",
               QByteArray("<S>\r\n\t<T>Zeile eins\r\nZeile zwei\r\n</T>\r\n</S>\r\n"),
               QByteArray("<S>\r\n\t<T>Zeile eins\r\nZeile zwei\r\n</T>\r\n</S>\r\n"));
        AddRow("line feed only texts come out as CR LF", QByteArray("<S><T>a\nb\n</T></S>"),
               QByteArray("<S>\r\n\t<T>a\r\nb\r\n</T>\r\n</S>\r\n"));
        AddRow("escapes and attribute blanks kept",
               QByteArray("<P GUID=\"0\"  Category=\"notAllowed \"><N>A &amp; B &lt;c&gt;</N></P>"),
               QByteArray(
                   "<P GUID=\"0\" Category=\"notAllowed \">\r\n\t<N>A &amp; B &lt;c&gt;</N>\r\n</P>\r\n"));
        AddRow("umlauts as UTF-8", QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><T>Münzen</T>"),
               QByteArray("<?xml version=\"1.0\"?>\r\n<T>Münzen</T>\r\n"));
    }

    void formatLayouts() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        const QString path = write(QStringLiteral("f.xml"), input);
        QVERIFY(FormatXmlFile(path));
        QCOMPARE(ReadFileBytes(path), expected);
        // The layout is a fixed point.
        FormatXmlFile(path);
        QCOMPARE(ReadFileBytes(path), expected);
    }

    void formatRefusesBrokenFilesAndLeavesThem() {
        const QByteArray broken("<A><B></A>");
        const QString path = write(QStringLiteral("broken.xml"), broken);
        QVERIFY_THROWS_EXCEPTION(SkylatheError, FormatXmlFile(path));
        QCOMPARE(ReadFileBytes(path), broken);
        QVERIFY_THROWS_EXCEPTION(SkylatheError, FormatXmlFile(m_dir.filePath(QStringLiteral("missing.xml"))));
    }

    void missingAndMalformedFilesLoadWithoutRoot() {
        XmlDocument missing = XmlDocument::load(m_dir.filePath(QStringLiteral("none.xml")));
        QVERIFY(!missing.hasRoot());
        QVERIFY(missing.errorText().contains(QStringLiteral("none.xml")));
        QVERIFY(missing.selectSingle(QStringLiteral("//A")).isNull());
        QVERIFY(missing.selectAll(QStringLiteral("//A")).isEmpty());
        QVERIFY_THROWS_EXCEPTION(SkylatheError, missing.root());

        XmlDocument bad = XmlDocument::load(write(QStringLiteral("bad.xml"), "<A>"));
        QVERIFY(!bad.hasRoot());
        QVERIFY(!bad.errorText().isEmpty());
    }

    void queriesAttributesAndText() {
        XmlDocument doc = XmlDocument::parse(
            QStringLiteral("<Productlist><Product GUID=\"1010017\" Name=\"Münzen\"/><Product "
                           "Name=\"Bretter\" GUID=\"1010196\"/>"
                           "<Product GUID=\"0000000\" Name=\"Baukosten entfernen\"/></Productlist>"));
        XmlNode root = doc.root();
        // The number form of a query compares numerically: 0 finds "0000000".
        QCOMPARE(root.selectSingle(QStringLiteral("Product[@GUID=0]")).attributeAt(1),
                 QStringLiteral("Baukosten entfernen"));
        // Attributes are taken by position, not by name.
        XmlNode second = root.selectSingle(QStringLiteral("Product[@GUID=\"1010196\"]"));
        QCOMPARE(second.attributeAt(0), QStringLiteral("Bretter"));
        second.setAttributeAt(0, QStringLiteral("Planken"));
        QCOMPARE(second.attribute(QStringLiteral("Name")), QStringLiteral("Planken"));
        QVERIFY_THROWS_EXCEPTION(SkylatheError, second.attributeAt(5));
        QVERIFY_THROWS_EXCEPTION(SkylatheError, root.require(QStringLiteral("Nothing")));
        QVERIFY_THROWS_EXCEPTION(SkylatheError, root.selectSingle(QStringLiteral("[[bad")));
    }

    void buildRemoveCloneAndSerialise() {
        XmlDocument a =
            XmlDocument::parse(QStringLiteral("<L><Asset><V>1</V></Asset><Asset><V>2</V></Asset></L>"));
        XmlDocument b = XmlDocument::parse(QStringLiteral("<L/>"));
        XmlNode first = a.root().selectSingle(QStringLiteral("Asset[V=\"1\"]"));
        b.root().appendCopy(first);
        first.remove();
        XmlNode item = a.root().appendElement(QStringLiteral("Item"));
        item.appendElement(QStringLiteral("Ingredient"), QStringLiteral("838"));
        item.appendComment(QStringLiteral("A--B"));
        item.appendChild(a.createElement(QStringLiteral("Amount"))).setText(QStringLiteral("5 & 6"));
        QCOMPARE(a.root().outerXml(),
                 QStringLiteral("<L><Asset><V>2</V></Asset><Item><Ingredient>838</Ingredient><!--A- -B-->"
                                "<Amount>5 &amp; 6</Amount></Item></L>"));
        QCOMPARE(b.root().outerXml(), QStringLiteral("<L><Asset><V>1</V></Asset></L>"));
        QCOMPARE(item.text(), QStringLiteral("8385 & 6"));
        item.setText(QString());
        QCOMPARE(item.outerXml(), QStringLiteral("<Item/>"));
    }

    void commentSafeText_data() {
        AddColumns<QString, QString>("text", "safe");
        const struct {
            const char* row;
            QString text;
            QString safe;
        } rows[] = {
            {"plain", QStringLiteral("Bretter <&>"), QStringLiteral("Bretter <&>")},
            {"double hyphen", QStringLiteral("A--B"), QStringLiteral("A- -B")},
            {"three hyphens", QStringLiteral("A---B"), QStringLiteral("A- - -B")},
            {"trailing hyphen", QStringLiteral("A-"), QStringLiteral("A- ")},
            {"forbidden control character", QStringLiteral("A\x01") + QStringLiteral("B\x1F"),
             QStringLiteral("A B ")},
            {"tab and line breaks stay", QStringLiteral("A\tB\r\nC"), QStringLiteral("A\tB\r\nC")},
        };
        for (const auto& r : rows) {
            AddRow(r.row, r.text, r.safe);
        }
    }

    // A comment holds any text and the file stays well-formed: it reads back with the same comment.
    void commentSafeText() {
        QFETCH(QString, text);
        QFETCH(QString, safe);
        QCOMPARE(CommentSafeText(text), safe);
        XmlDocument doc = XmlDocument::parse(QStringLiteral("<L/>"));
        doc.root().appendComment(text);
        const XmlDocument reread = XmlDocument::parse(doc.root().outerXml());
        QVERIFY(reread.hasRoot());
        QCOMPARE(reread.root().outerXml(), doc.root().outerXml());
    }

    // Text and attribute values escape what their place needs and nothing more.
    void escaping() {
        const QString text = QStringLiteral("a&b<c>d\"e\tf\ng\rh'i");
        QCOMPARE(XmlEscapeText(text), QStringLiteral("a&amp;b&lt;c&gt;d\"e\tf\ng\rh'i"));
        QCOMPARE(XmlEscapeAttribute(text), QStringLiteral("a&amp;b&lt;c&gt;d&quot;e&#9;f&#10;g&#13;h'i"));
        const XmlDocument doc = XmlDocument::parse(
            QStringLiteral("<L A=\"%1\">%2</L>").arg(XmlEscapeAttribute(text), XmlEscapeText(text)));
        QCOMPARE(doc.root().attribute(QStringLiteral("A")), text);
    }

    void saveIsAtomicAndCanonical() {
        const QString path = write(QStringLiteral("s.xml"), "<?xml version=\"1.0\"?><A><B>x</B></A>");
        XmlDocument doc = XmlDocument::load(path);
        doc.root().require(QStringLiteral("B")).setText(QStringLiteral("y"));
        doc.save(path);
        QCOMPARE(ReadFileBytes(path), QByteArray("<?xml version=\"1.0\"?>\r\n<A>\r\n\t<B>y</B>\r\n</A>\r\n"));
        QVERIFY_THROWS_EXCEPTION(SkylatheError,
                                 doc.save(m_dir.filePath(QStringLiteral("no/such/dir/s.xml"))));
    }

    void lineFiles() {
        const QString path = m_dir.filePath(QStringLiteral("lines.txt"));
        WriteTextLines(path, {QStringLiteral("ä"), QStringLiteral("b")}, true);
        QCOMPARE(ReadFileBytes(path), QByteArray("\xEF\xBB\xBF\xC3\xA4\r\nb\r\n"));
        QCOMPARE(ReadTextLines(path), QStringList({QStringLiteral("ä"), QStringLiteral("b")}));
    }
};

QTEST_GUILESS_MAIN(TestXml)
#include "test_xml.moc"
