#include "data/Xml.h"

#include "data/Error.h"
#include "data/Folders.h"
#include "data/TextFile.h"
#include "data/Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <pugixml.hpp>
#include <vector>

namespace xmldetail {
struct DocumentData {
    pugi::xml_document doc;
    QString path;
    QString error;
    bool loaded = false;
};
} // namespace xmldetail

using xmldetail::DocumentData;

namespace {

// pcdata keeps its line breaks (no end-of-line normalisation); comments, processing instructions, the
// declaration, a DOCTYPE and whitespace-only text are kept. The fragment mode lets text and further
// elements after the root show up as nodes, so that they can be refused instead of silently dropped.
constexpr unsigned kParseOptions = (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_comments |
                                   pugi::parse_declaration | pugi::parse_pi | pugi::parse_doctype |
                                   pugi::parse_ws_pcdata | pugi::parse_fragment;

// QString::fromUtf8 drops a byte order mark at the start of its input; a text node that begins with
// U+FEFF must keep it.
QString fromUtf8(const char* s) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(s));
}

QByteArray toUtf8(const QString& s) {
    return s.toUtf8();
}

constexpr int kMaxXmlDepth = 1000;

QString fileLabel(const QString& path) {
    return path.isEmpty() ? QStringLiteral("XML-Dokument") : QDir::toNativeSeparators(path);
}

// Line breaks inside texts come out as CR LF, whatever form they had in memory.
void appendWithLineBreaks(QByteArray& out, const QString& escaped) {
    const QByteArray utf8 = escaped.toUtf8();
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r') {
            out.append("\r\n");
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            out.append("\r\n");
        } else {
            out.append(c);
        }
    }
}

void appendAttributes(QByteArray& out, const pugi::xml_node& node) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        out.append(' ');
        out.append(a.name());
        out.append("=\"");
        out.append(XmlEscapeAttribute(fromUtf8(a.value())).toUtf8());
        out.append('"');
    }
}

bool hasTextChildren(const pugi::xml_node& node) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
            return true;
        }
    }
    return false;
}

void appendText(QByteArray& out, const pugi::xml_node& c) {
    if (c.type() == pugi::node_cdata) {
        out.append("<![CDATA[");
        appendWithLineBreaks(out, fromUtf8(c.value()));
        out.append("]]>");
    } else {
        appendWithLineBreaks(out, XmlEscapeText(fromUtf8(c.value())));
    }
}

// indent < 0: everything on one line (outerXml); otherwise canonical layout at that depth.
void writeNode(QByteArray& out, const pugi::xml_node& node, int depth, bool pretty) {
    const QByteArray indent = pretty ? QByteArray(depth, '\t') : QByteArray();
    const char* eol = pretty ? "\r\n" : "";
    switch (node.type()) {
    case pugi::node_declaration:
        out.append("<?xml version=\"1.0\"?>");
        out.append(eol);
        break;
    case pugi::node_comment:
        out.append(indent);
        out.append("<!--");
        appendWithLineBreaks(out, fromUtf8(node.value()));
        out.append("-->");
        out.append(eol);
        break;
    case pugi::node_pi:
        out.append(indent);
        out.append("<?");
        out.append(node.name());
        if (*node.value()) {
            out.append(' ');
            out.append(node.value());
        }
        out.append("?>");
        out.append(eol);
        break;
    case pugi::node_pcdata:
    case pugi::node_cdata:
        out.append(indent);
        appendText(out, node);
        out.append(eol);
        break;
    case pugi::node_element: {
        out.append(indent);
        out.append('<');
        out.append(node.name());
        appendAttributes(out, node);
        if (!node.first_child()) {
            out.append("/>");
            out.append(eol);
            break;
        }
        out.append('>');
        if (hasTextChildren(node)) {
            // Text beside other nodes is content: no line break or indentation may be added to it.
            for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
                if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
                    appendText(out, c);
                } else {
                    writeNode(out, c, 0, false);
                }
            }
        } else {
            out.append(eol);
            for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
                writeNode(out, c, depth + 1, pretty);
            }
            out.append(indent);
        }
        out.append("</");
        out.append(node.name());
        out.append('>');
        out.append(eol);
        break;
    }
    case pugi::node_doctype:
        out.append(indent);
        out.append("<!DOCTYPE ");
        out.append(node.value());
        out.append('>');
        out.append(eol);
        break;
    default:
        break;
    }
}

void collectText(const pugi::xml_node& node, QByteArray& out) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
            out.append(c.value());
        } else if (c.type() == pugi::node_element) {
            collectText(c, out);
        }
    }
}

pugi::xpath_node_set evaluate(const pugi::xml_node& context, const QString& xpath, const QString& path) {
    try {
        pugi::xpath_query query(toUtf8(xpath).constData());
        return query.evaluate_node_set(context);
    } catch (const pugi::xpath_exception& e) {
        throw SkylatheError(QStringLiteral("Ungültige XML-Abfrage „%1“ für %2: %3")
                                .arg(xpath, fileLabel(path), fromUtf8(e.what())));
    }
}

QString quoted(const QString& path) {
    return QStringLiteral("„%1“").arg(fileLabel(path));
}

// A damaged file of the data folder comes back with the shipped data when the folder is deleted.
QString damagedFileAdvice(const QString& path) {
    if (path.isEmpty()) {
        return QString();
    }
    const QString folder = QFileInfo(path).absolutePath();
    const QString dataFolder = AppFolders().DataFolder;
    const bool inDataFolder =
        (!dataFolder.isEmpty() && QDir::cleanPath(QFileInfo(dataFolder).absoluteFilePath()) == folder) ||
        QFileInfo(folder).fileName() == QLatin1String("XMLD");
    if (!inDataFolder) {
        return QString();
    }
    return QStringLiteral(" Um die mitgelieferten Daten zurückzubekommen, beenden Sie Skylathe, löschen den "
                          "Ordner „%1“ und starten Skylathe neu; dabei gehen alle Ihre Änderungen an den "
                          "Luftschiffen und den Minen verloren.")
        .arg(QDir::toNativeSeparators(folder));
}

QString refused(const QString& path, const QString& what) {
    return QStringLiteral("Die Datei %1 ist keine gültige XML-Datei: %2 Es wurde nichts verändert.%3")
        .arg(quoted(path), what, damagedFileAdvice(path));
}

QString parserReason(pugi::xml_parse_status status) {
    switch (status) {
    case pugi::status_out_of_memory:
        return QStringLiteral("Der Arbeitsspeicher reicht zum Lesen nicht aus");
    case pugi::status_unrecognized_tag:
        return QStringLiteral("Ein Tag ist unvollständig oder unbekannt");
    case pugi::status_bad_pi:
        return QStringLiteral("Eine Verarbeitungsanweisung oder die XML-Deklaration ist fehlerhaft");
    case pugi::status_bad_comment:
        return QStringLiteral("Ein Kommentar ist fehlerhaft");
    case pugi::status_bad_cdata:
        return QStringLiteral("Ein CDATA-Abschnitt ist fehlerhaft");
    case pugi::status_bad_doctype:
        return QStringLiteral("Die Dokumenttyp-Deklaration (DOCTYPE) ist fehlerhaft");
    case pugi::status_bad_pcdata:
        return QStringLiteral("Ein Text ist fehlerhaft");
    case pugi::status_bad_start_element:
        return QStringLiteral("Ein Start-Tag ist fehlerhaft");
    case pugi::status_bad_attribute:
        return QStringLiteral("Ein Attribut ist fehlerhaft");
    case pugi::status_bad_end_element:
        return QStringLiteral("Ein End-Tag ist fehlerhaft oder fehlt");
    case pugi::status_end_element_mismatch:
        return QStringLiteral("Ein End-Tag passt nicht zum offenen Element");
    case pugi::status_no_document_element:
        return QStringLiteral("Es gibt kein Wurzelelement");
    default:
        return QStringLiteral("Der Inhalt ist fehlerhaft");
    }
}

QByteArray declaredEncoding(const QByteArray& bytes) {
    // Only the declaration itself, not a processing instruction whose name merely starts with "xml".
    if (!bytes.startsWith("<?xml") || bytes.size() < 6 || !QChar::isSpace(uchar(bytes[5]))) {
        return QByteArray();
    }
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0 || end > 1024) {
        return QByteArray();
    }
    static const QRegularExpression pattern(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(bytes.left(end)));
    return match.hasMatch() ? match.captured(1).toLatin1().toLower() : QByteArray();
}

// The file's text as UTF-8: a byte-order mark or the declared encoding decides; without either the file is
// UTF-8. Empty error when the text could be decoded without a single replacement.
QByteArray decodeToUtf8(const QByteArray& bytes, const QString& path, QString* error) {
    auto decodeWith = [&](QStringConverter::Encoding encoding, qsizetype skip, const char* name) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
        const QString text = decoder(bytes.mid(skip));
        if (decoder.hasError()) {
            *error = QStringLiteral("Die Datei %1 ist keine gültige %2-Datei. Es wurde nichts verändert.")
                         .arg(quoted(path), QLatin1String(name));
            return QByteArray();
        }
        return text.toUtf8();
    };
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        const QByteArray body = bytes.mid(3);
        *error = InvalidUtf8Message(body, path);
        return body;
    }
    if (bytes.startsWith(QByteArray("\xFF\xFE\x00\x00", 4))) {
        return decodeWith(QStringConverter::Utf32LE, 4, "UTF-32");
    }
    if (bytes.startsWith(QByteArray("\x00\x00\xFE\xFF", 4))) {
        return decodeWith(QStringConverter::Utf32BE, 4, "UTF-32");
    }
    if (bytes.startsWith("\xFF\xFE")) {
        return decodeWith(QStringConverter::Utf16LE, 2, "UTF-16");
    }
    if (bytes.startsWith("\xFE\xFF")) {
        return decodeWith(QStringConverter::Utf16BE, 2, "UTF-16");
    }
    if (bytes.startsWith(QByteArray("<\0?\0", 4))) {
        return decodeWith(QStringConverter::Utf16LE, 0, "UTF-16");
    }
    if (bytes.startsWith(QByteArray("\0<\0?", 4))) {
        return decodeWith(QStringConverter::Utf16BE, 0, "UTF-16");
    }
    const QByteArray encoding = declaredEncoding(bytes);
    if (encoding.isEmpty() || encoding == "utf-8" || encoding == "utf8" || encoding == "us-ascii" ||
        encoding == "ascii") {
        *error = InvalidUtf8Message(bytes, path);
        return bytes;
    }
    if (encoding == "iso-8859-1" || encoding == "iso8859-1" || encoding == "iso_8859-1" ||
        encoding == "latin1" || encoding == "latin-1" || encoding == "l1") {
        return QString::fromLatin1(bytes).toUtf8();
    }
    *error = QStringLiteral("Die Datei %1 ist in der Zeichenkodierung „%2“ gespeichert, die Skylathe nicht "
                            "liest. Es wurde nichts verändert. Bitte speichern Sie die Datei als UTF-8.")
                 .arg(quoted(path), QString::fromLatin1(encoding));
    return QByteArray();
}

bool isNameByte(char c) {
    const auto u = uchar(c);
    return u >= 0x80 || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
           u == '_' || u == ':' || u == '.' || u == '-';
}

// The offset of the first reference to an entity other than the five predefined ones (the parser would keep
// it as literal text, and writing it back would change its meaning), or -1.
qsizetype findUnknownEntity(const QByteArray& b, QByteArray* name) {
    const qsizetype n = b.size();
    auto skipTo = [&](qsizetype from, const char* end) {
        const qsizetype at = b.indexOf(end, from);
        return at < 0 ? n : at + qsizetype(qstrlen(end));
    };
    qsizetype i = 0;
    while (i < n) {
        const char c = b[i];
        if (c == '<') {
            if (b.mid(i, 4) == "<!--") {
                i = skipTo(i + 4, "-->");
            } else if (b.mid(i, 9) == "<![CDATA[") {
                i = skipTo(i + 9, "]]>");
            } else if (b.mid(i, 2) == "<?") {
                i = skipTo(i + 2, "?>");
            } else if (b.mid(i, 9) == "<!DOCTYPE") {
                // The internal subset declares entities; it is kept as it stands.
                int brackets = 0;
                char quote = 0;
                qsizetype k = i + 9;
                for (; k < n; ++k) {
                    const char d = b[k];
                    if (quote) {
                        if (d == quote) {
                            quote = 0;
                        }
                    } else if (d == '"' || d == '\'') {
                        quote = d;
                    } else if (d == '[') {
                        ++brackets;
                    } else if (d == ']') {
                        --brackets;
                    } else if (d == '>' && brackets <= 0) {
                        break;
                    }
                }
                i = k + 1;
            } else {
                ++i;
            }
            continue;
        }
        if (c == '&' && i + 1 < n && b[i + 1] != '#') {
            qsizetype k = i + 1;
            while (k < n && isNameByte(b[k])) {
                ++k;
            }
            if (k < n && b[k] == ';' && k > i + 1) {
                const QByteArray entity = b.mid(i + 1, k - i - 1);
                if (entity != "amp" && entity != "lt" && entity != "gt" && entity != "quot" &&
                    entity != "apos") {
                    *name = entity;
                    return i;
                }
            }
        }
        ++i;
    }
    return -1;
}

bool isBlank(const char* text) {
    for (; *text; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n') {
            return false;
        }
    }
    return true;
}

// Indentation between elements is layout, not content: it goes, unless the element holds text beside its
// other children (mixed content, kept whole) or whitespace is its only content (kept as text).
void dropLayoutWhitespace(pugi::xml_node element) {
    int children = 0;
    for (pugi::xml_node c = element.first_child(); c; c = c.next_sibling()) {
        ++children;
        if (c.type() == pugi::node_cdata || (c.type() == pugi::node_pcdata && !isBlank(c.value()))) {
            return;
        }
    }
    if (children == 1 && element.first_child().type() == pugi::node_pcdata) {
        return;
    }
    for (pugi::xml_node c = element.first_child(); c;) {
        const pugi::xml_node next = c.next_sibling();
        if (c.type() == pugi::node_pcdata) {
            element.remove_child(c);
        }
        c = next;
    }
}

QString duplicateAttribute(const pugi::xml_node& element) {
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
        for (pugi::xml_attribute b = a.next_attribute(); b; b = b.next_attribute()) {
            if (qstrcmp(a.name(), b.name()) == 0) {
                return fromUtf8(a.name());
            }
        }
    }
    return QString();
}

// Checks what the parser lets through and tidies the layout whitespace, without recursion (the depth is
// what is being checked). Returns a German reason, or an empty string for a sound document.
QString checkTree(pugi::xml_document& doc) {
    pugi::xml_node root;
    for (pugi::xml_node c = doc.first_child(); c;) {
        const pugi::xml_node next = c.next_sibling();
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
            if (c.type() == pugi::node_cdata || !isBlank(c.value())) {
                return root ? QStringLiteral("Nach dem Wurzelelement „%1“ steht noch Text.")
                                  .arg(fromUtf8(root.name()))
                            : QStringLiteral("Vor dem Wurzelelement steht Text.");
            }
            doc.remove_child(c);
        } else if (c.type() == pugi::node_element) {
            if (root) {
                return QStringLiteral("Nach dem Wurzelelement „%1“ steht ein zweites Element „%2“.")
                    .arg(fromUtf8(root.name()), fromUtf8(c.name()));
            }
            root = c;
        }
        c = next;
    }
    if (!root) {
        return QStringLiteral("Es gibt kein Wurzelelement.");
    }
    pugi::xml_node node = root;
    int depth = 1;
    for (;;) {
        if (node.type() == pugi::node_element) {
            if (depth > kMaxXmlDepth) {
                return QStringLiteral("Die Elemente sind tiefer als %1 Ebenen verschachtelt.")
                    .arg(kMaxXmlDepth);
            }
            const QString duplicate = duplicateAttribute(node);
            if (!duplicate.isEmpty()) {
                return QStringLiteral("Das Element „%1“ hat das Attribut „%2“ zweimal.")
                    .arg(fromUtf8(node.name()), duplicate);
            }
            dropLayoutWhitespace(node);
            if (node.first_child()) {
                node = node.first_child();
                ++depth;
                continue;
            }
        }
        while (node != root && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        if (node == root) {
            break;
        }
        node = node.next_sibling();
    }
    return QString();
}

std::shared_ptr<DocumentData> parseInto(const QByteArray& bytes, const QString& path, bool isUtf8) {
    auto data = std::make_shared<DocumentData>();
    data->path = path;
    QString error;
    const QByteArray utf8 = isUtf8 ? bytes : decodeToUtf8(bytes, path, &error);
    if (!error.isEmpty()) {
        data->error = error + damagedFileAdvice(path);
        return data;
    }
    const qsizetype nul = utf8.indexOf('\0');
    if (nul >= 0) {
        data->error = refused(path, QStringLiteral("In %1 steht ein Nullzeichen; die Datei ist beschädigt.")
                                        .arg(DescribeTextPosition(utf8, nul)));
        return data;
    }
    QByteArray entity;
    const qsizetype reference = findUnknownEntity(utf8, &entity);
    if (reference >= 0) {
        data->error =
            refused(path, QStringLiteral("In %1 steht ein Verweis auf die Entität „&%2;“, die Skylathe nicht "
                                         "auflöst. Bitte ersetzen Sie ihn durch den gemeinten Text.")
                              .arg(DescribeTextPosition(utf8, reference), QString::fromUtf8(entity)));
        return data;
    }
    const pugi::xml_parse_result result =
        data->doc.load_buffer(utf8.constData(), size_t(utf8.size()), kParseOptions, pugi::encoding_utf8);
    QString reason;
    if (!result) {
        reason = QStringLiteral("%1 (%2).")
                     .arg(parserReason(result.status), DescribeTextPosition(utf8, qsizetype(result.offset)));
    } else {
        reason = checkTree(data->doc);
    }
    if (!reason.isEmpty()) {
        data->doc.reset();
        data->error = refused(path, reason);
        return data;
    }
    data->loaded = true;
    return data;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// XmlDocument

XmlDocument::XmlDocument() : m_data(std::make_shared<DocumentData>()) {}

XmlDocument XmlDocument::load(const QString& path) {
    XmlDocument result;
    result.m_data->path = path;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        result.m_data->error = QStringLiteral("Die Datei %1 fehlt.").arg(quoted(path));
        return result;
    }
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const SkylatheError& error) {
        result.m_data->error = error.message();
        return result;
    }
    result.m_data = parseInto(bytes, path, false);
    return result;
}

XmlDocument XmlDocument::parse(const QString& text, const QString& nameForMessages) {
    XmlDocument result;
    result.m_data = parseInto(text.toUtf8(), nameForMessages, true);
    return result;
}

bool XmlDocument::hasRoot() const {
    return bool(m_data->doc.document_element());
}

QString XmlDocument::errorText() const {
    return m_data->error;
}

QString XmlDocument::path() const {
    return m_data->path;
}

XmlNode XmlDocument::root() const {
    pugi::xml_node element = m_data->doc.document_element();
    if (!element) {
        throw SkylatheError(
            m_data->error.isEmpty()
                ? QStringLiteral("%1 enthält kein Wurzelelement.").arg(fileLabel(m_data->path))
                : m_data->error);
    }
    return XmlNode(element, m_data);
}

XmlNode XmlDocument::createElement(const QString& name) const {
    // Nodes not yet placed live in a scratch area below the document node, after the root; appendChild
    // moves them into place.
    pugi::xml_node node = m_data->doc.append_child(toUtf8(name).constData());
    return XmlNode(node, m_data);
}

XmlNode XmlDocument::createComment(const QString& text) const {
    pugi::xml_node node = m_data->doc.append_child(pugi::node_comment);
    node.set_value(toUtf8(text).constData());
    return XmlNode(node, m_data);
}

XmlNode XmlDocument::selectSingle(const QString& xpath) const {
    pugi::xpath_node_set set = evaluate(m_data->doc, xpath, m_data->path);
    if (set.empty()) {
        return XmlNode();
    }
    set.sort();
    return XmlNode(set.first().node(), m_data);
}

XmlNodeList XmlDocument::selectAll(const QString& xpath) const {
    pugi::xpath_node_set set = evaluate(m_data->doc, xpath, m_data->path);
    set.sort();
    XmlNodeList list;
    for (const pugi::xpath_node& n : set) {
        list.append(XmlNode(n.node(), m_data));
    }
    return list;
}

QByteArray XmlDocument::toCanonicalBytes() const {
    QByteArray out;
    const pugi::xml_node root = m_data->doc.document_element();
    for (pugi::xml_node c = m_data->doc.first_child(); c; c = c.next_sibling()) {
        // Elements created but never placed wait beside the root; they are not part of the file.
        if (c.type() == pugi::node_element && c != root) {
            continue;
        }
        writeNode(out, c, 0, true);
    }
    return out;
}

void XmlDocument::save(const QString& path) const {
    if (!hasRoot()) {
        throw SkylatheError(
            QStringLiteral("%1 kann nicht gespeichert werden: das Dokument ist leer.").arg(fileLabel(path)));
    }
    WriteFileAtomically(path, toCanonicalBytes());
}

// ---------------------------------------------------------------------------------------------------
// XmlNode

struct XmlNode::Impl {
    pugi::xml_node node;
    std::shared_ptr<DocumentData> data;
};

XmlNode::XmlNode() : d(std::make_unique<Impl>()) {}
XmlNode::~XmlNode() = default;
XmlNode::XmlNode(const XmlNode& other) : d(std::make_unique<Impl>(*other.d)) {}
XmlNode& XmlNode::operator=(const XmlNode& other) {
    *d = *other.d;
    return *this;
}
XmlNode::XmlNode(const pugi::xml_node& node, std::shared_ptr<DocumentData> data)
    : d(std::make_unique<Impl>(Impl{node, std::move(data)})) {}

bool XmlNode::isNull() const {
    return !d->node;
}

QString XmlNode::name() const {
    return fromUtf8(d->node.name());
}

bool XmlNode::isElement() const {
    return d->node.type() == pugi::node_element;
}

bool XmlNode::isComment() const {
    return d->node.type() == pugi::node_comment;
}

QString XmlNode::documentPath() const {
    return d->data ? d->data->path : QString();
}

QString XmlNode::text() const {
    if (!d->node) {
        return QString();
    }
    if (d->node.type() != pugi::node_element) {
        return fromUtf8(d->node.value());
    }
    QByteArray out;
    collectText(d->node, out);
    return QString::fromUtf8(out);
}

void XmlNode::setText(const QString& text) {
    if (!d->node) {
        throw SkylatheError(QStringLiteral("Interner Fehler: Text für ein fehlendes Element in %1 gesetzt.")
                                .arg(fileLabel(documentPath())));
    }
    while (d->node.first_child()) {
        d->node.remove_child(d->node.first_child());
    }
    if (!text.isEmpty()) {
        d->node.append_child(pugi::node_pcdata).set_value(toUtf8(text).constData());
    }
}

XmlNode XmlNode::selectSingle(const QString& xpath) const {
    if (!d->node) {
        return XmlNode();
    }
    pugi::xpath_node_set set = evaluate(d->node, xpath, documentPath());
    if (set.empty()) {
        return XmlNode();
    }
    set.sort();
    return XmlNode(set.first().node(), d->data);
}

XmlNodeList XmlNode::selectAll(const QString& xpath) const {
    XmlNodeList list;
    if (!d->node) {
        return list;
    }
    pugi::xpath_node_set set = evaluate(d->node, xpath, documentPath());
    set.sort();
    for (const pugi::xpath_node& n : set) {
        list.append(XmlNode(n.node(), d->data));
    }
    return list;
}

XmlNode XmlNode::require(const QString& xpath) const {
    XmlNode found = selectSingle(xpath);
    if (found.isNull()) {
        throw SkylatheError(
            QStringLiteral("In %1 fehlt das Element „%2“.").arg(fileLabel(documentPath()), xpath));
    }
    return found;
}

QString XmlNode::requireText(const QString& xpath) const {
    return require(xpath).text();
}

int XmlNode::attributeCount() const {
    int count = 0;
    for (pugi::xml_attribute a = d->node.first_attribute(); a; a = a.next_attribute()) {
        ++count;
    }
    return count;
}

static pugi::xml_attribute attributeAtPosition(const pugi::xml_node& node, int position) {
    int i = 0;
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute(), ++i) {
        if (i == position) {
            return a;
        }
    }
    return pugi::xml_attribute();
}

QString XmlNode::attributeAt(int position) const {
    pugi::xml_attribute a = attributeAtPosition(d->node, position);
    if (!a) {
        throw SkylatheError(QStringLiteral("In %1 hat ein Element „%2“ kein Attribut an Position %3.")
                                .arg(fileLabel(documentPath()), name())
                                .arg(position));
    }
    return fromUtf8(a.value());
}

void XmlNode::setAttributeAt(int position, const QString& value) {
    pugi::xml_attribute a = attributeAtPosition(d->node, position);
    if (!a) {
        throw SkylatheError(QStringLiteral("In %1 hat ein Element „%2“ kein Attribut an Position %3.")
                                .arg(fileLabel(documentPath()), name())
                                .arg(position));
    }
    a.set_value(toUtf8(value).constData());
}

QString XmlNode::attribute(const QString& attrName) const {
    return fromUtf8(d->node.attribute(toUtf8(attrName).constData()).value());
}

void XmlNode::setAttribute(const QString& attrName, const QString& value) {
    const QByteArray n = toUtf8(attrName);
    pugi::xml_attribute a = d->node.attribute(n.constData());
    if (!a) {
        a = d->node.append_attribute(n.constData());
    }
    a.set_value(toUtf8(value).constData());
}

XmlNode XmlNode::parent() const {
    if (!d->node) {
        return XmlNode();
    }
    return XmlNode(d->node.parent(), d->data);
}

XmlNodeList XmlNode::childElements() const {
    XmlNodeList list;
    for (pugi::xml_node c = d->node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element) {
            list.append(XmlNode(c, d->data));
        }
    }
    return list;
}

XmlNode XmlNode::firstChildElement(const QString& childName) const {
    if (!d->node) {
        return XmlNode();
    }
    return XmlNode(d->node.child(toUtf8(childName).constData()), d->data);
}

XmlNode XmlNode::appendChild(const XmlNode& child) {
    if (!d->node || !child.d->node) {
        throw SkylatheError(QStringLiteral("Interner Fehler: Element in %1 kann nicht angefügt werden.")
                                .arg(fileLabel(documentPath())));
    }
    if (child.d->data == d->data) {
        pugi::xml_node moved = d->node.append_move(child.d->node);
        if (moved) {
            return XmlNode(moved, d->data);
        }
    }
    return appendCopy(child);
}

XmlNode XmlNode::appendCopy(const XmlNode& node) {
    if (!d->node || !node.d->node) {
        throw SkylatheError(QStringLiteral("Interner Fehler: Element in %1 kann nicht kopiert werden.")
                                .arg(fileLabel(documentPath())));
    }
    return XmlNode(d->node.append_copy(node.d->node), d->data);
}

XmlNode XmlNode::appendElement(const QString& elementName, const QString& text) {
    if (!d->node) {
        throw SkylatheError(QStringLiteral("Interner Fehler: Element „%1“ in %2 ohne Elternelement.")
                                .arg(elementName, fileLabel(documentPath())));
    }
    XmlNode child(d->node.append_child(toUtf8(elementName).constData()), d->data);
    if (!text.isEmpty()) {
        child.setText(text);
    }
    return child;
}

XmlNode XmlNode::appendComment(const QString& text) {
    if (!d->node) {
        throw SkylatheError(QStringLiteral("Interner Fehler: Kommentar in %1 ohne Elternelement.")
                                .arg(fileLabel(documentPath())));
    }
    pugi::xml_node c = d->node.append_child(pugi::node_comment);
    c.set_value(toUtf8(CommentSafeText(text)).constData());
    return XmlNode(c, d->data);
}

QString CommentSafeText(const QString& text) {
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        const bool forbidden =
            c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r');
        safe += forbidden ? QChar(QLatin1Char(' ')) : c;
    }
    while (safe.contains(QLatin1String("--"))) {
        safe.replace(QLatin1String("--"), QLatin1String("- -"));
    }
    if (safe.endsWith(QLatin1Char('-'))) {
        safe += QLatin1Char(' ');
    }
    return safe;
}

void XmlNode::remove() {
    if (d->node && d->node.parent()) {
        d->node.parent().remove_child(d->node);
        d->node = pugi::xml_node();
    }
}

QString XmlNode::outerXml() const {
    QByteArray out;
    if (d->node) {
        writeNode(out, d->node, 0, false);
    }
    return QString::fromUtf8(out);
}

// ---------------------------------------------------------------------------------------------------

bool FormatXmlFile(const QString& path) {
    XmlDocument doc = XmlDocument::load(path);
    if (!doc.hasRoot()) {
        throw SkylatheError(doc.errorText());
    }
    // Produce the canonical text, then make sure it parses again before it replaces the file.
    const QByteArray bytes = doc.toCanonicalBytes();
    XmlDocument check = XmlDocument::parse(QString::fromUtf8(bytes), path);
    if (!check.hasRoot() || check.toCanonicalBytes() != bytes) {
        throw SkylatheError(
            QStringLiteral("Die Datei %1 lässt sich nicht verlustfrei neu einrücken; sie bleibt "
                           "unverändert.")
                .arg(quoted(path)));
    }
    WriteFileAtomically(path, bytes);
    return true;
}

namespace {

QString unifiedLineEnds(const char* text) {
    QString out = fromUtf8(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

void describeNode(const pugi::xml_node& node, int depth, QString& out) {
    out += QString(depth, QLatin1Char(' '));
    switch (node.type()) {
    case pugi::node_element:
        out += QStringLiteral("E ") + fromUtf8(node.name());
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
            out += QStringLiteral(" [%1=%2]").arg(fromUtf8(a.name()), fromUtf8(a.value()));
        }
        break;
    case pugi::node_pcdata:
    case pugi::node_cdata:
        out += QStringLiteral("T ") + unifiedLineEnds(node.value());
        break;
    case pugi::node_comment:
        out += QStringLiteral("C ") + unifiedLineEnds(node.value());
        break;
    case pugi::node_pi:
        out += QStringLiteral("P %1 %2").arg(fromUtf8(node.name()), fromUtf8(node.value()));
        break;
    case pugi::node_doctype:
        out += QStringLiteral("D ") + fromUtf8(node.value());
        break;
    case pugi::node_declaration:
        out += QStringLiteral("X");
        break;
    default:
        out += QStringLiteral("?");
        break;
    }
    out += QLatin1Char('\n');
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        describeNode(c, depth + 1, out);
    }
}

// The entity for `c` in XML text, or inside a double-quoted attribute value where quotes and the
// white-space characters a parser would normalise are escaped too; empty when `c` stays as it is.
QString xmlEntity(QChar c, bool attribute) {
    switch (c.unicode()) {
    case '&':
        return QStringLiteral("&amp;");
    case '<':
        return QStringLiteral("&lt;");
    case '>':
        return QStringLiteral("&gt;");
    case '"':
        return attribute ? QStringLiteral("&quot;") : QString();
    case '\t':
        return attribute ? QStringLiteral("&#9;") : QString();
    case '\n':
        return attribute ? QStringLiteral("&#10;") : QString();
    case '\r':
        return attribute ? QStringLiteral("&#13;") : QString();
    default:
        return QString();
    }
}

QString xmlEscaped(const QString& text, bool attribute) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QString entity = xmlEntity(c, attribute);
        if (entity.isEmpty()) {
            out += c;
        } else {
            out += entity;
        }
    }
    return out;
}

} // namespace

QString XmlEscapeText(const QString& text) {
    return xmlEscaped(text, false);
}

QString XmlEscapeAttribute(const QString& text) {
    return xmlEscaped(text, true);
}

QString DescribeXmlTree(const XmlDocument& doc) {
    QString out;
    if (!doc.hasRoot()) {
        return out;
    }
    for (pugi::xml_node c = doc.m_data->doc.first_child(); c; c = c.next_sibling()) {
        describeNode(c, 0, out);
    }
    return out;
}

QString ReadXmlText(const QString& path) {
    QString error;
    const QByteArray utf8 = decodeToUtf8(ReadFileBytes(path), path, &error);
    if (!error.isEmpty()) {
        throw SkylatheError(error + damagedFileAdvice(path));
    }
    return QString::fromUtf8(utf8);
}
