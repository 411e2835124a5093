#include "data/Xml.h"

#include "data/Error.h"
#include "data/TextFile.h"

#include <QDir>
#include <QFile>
#include <pugixml.hpp>

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

// pcdata keeps its line breaks (no end-of-line normalisation), comments and the declaration are kept.
constexpr unsigned kParseOptions =
    (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_comments | pugi::parse_declaration;

QString fromUtf8(const char* s) {
    return QString::fromUtf8(s);
}

QByteArray toUtf8(const QString& s) {
    return s.toUtf8();
}

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

bool hasOnlyTextChildren(const pugi::xml_node& node) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_pcdata && c.type() != pugi::node_cdata) {
            return false;
        }
    }
    return true;
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
        if (hasOnlyTextChildren(node)) {
            out.append('>');
            for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
                appendText(out, c);
            }
        } else {
            out.append('>');
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
    default: // document type declarations and the like are not part of the program's files
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

std::shared_ptr<DocumentData> parseInto(const QByteArray& bytes, const QString& path) {
    auto data = std::make_shared<DocumentData>();
    data->path = path;
    pugi::xml_parse_result result =
        data->doc.load_buffer(bytes.constData(), size_t(bytes.size()), kParseOptions, pugi::encoding_auto);
    if (!result) {
        data->error = QStringLiteral("%1 ist keine gültige XML-Datei: %2 (bei Zeichen %3)")
                          .arg(fileLabel(path), fromUtf8(result.description()))
                          .arg(result.offset);
        data->doc.reset();
    } else if (!data->doc.document_element()) {
        data->error = QStringLiteral("%1 enthält kein Wurzelelement.").arg(fileLabel(path));
    } else {
        data->loaded = true;
    }
    return data;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// XmlDocument

XmlDocument::XmlDocument() : m_data(std::make_shared<DocumentData>()) {}

XmlDocument XmlDocument::load(const QString& path) {
    XmlDocument result;
    QFile file(path);
    if (!file.exists()) {
        result.m_data->path = path;
        result.m_data->error = QStringLiteral("Die Datei %1 fehlt.").arg(fileLabel(path));
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.m_data->path = path;
        result.m_data->error = QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                                   .arg(fileLabel(path), file.errorString());
        return result;
    }
    result.m_data = parseInto(file.readAll(), path);
    return result;
}

XmlDocument XmlDocument::parse(const QString& text, const QString& nameForMessages) {
    XmlDocument result;
    result.m_data = parseInto(text.toUtf8(), nameForMessages);
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
    if (!check.hasRoot()) {
        throw SkylatheError(check.errorText());
    }
    WriteFileAtomically(path, bytes);
    return true;
}

namespace {

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
