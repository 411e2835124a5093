#pragma once

#include <QList>
#include <QString>
#include <memory>

// The program's one XML layer. No other code uses pugixml directly.
//
// A document is loaded from a file; a missing or malformed file gives a document without root and
// keeps the parser's message. Nodes keep their document alive, so a node taken from a document stays
// usable after the document variable is replaced, and every error message can name the file.
//
// Selection is XPath 1.0. Text is the element's text content. Attributes of the index, catalogue and
// mine files are read by position. Line breaks inside texts are kept exactly as the file holds them.

namespace pugi {
class xml_node;
}

class XmlNode;
using XmlNodeList = QList<XmlNode>;

namespace xmldetail {
struct DocumentData;
}

class XmlDocument {
public:
    XmlDocument();

    // Loads the file; never throws. A missing or malformed file gives a document without root.
    static XmlDocument load(const QString& path);
    // Parses text (for tests and for the canonical re-indent).
    static XmlDocument parse(const QString& text, const QString& nameForMessages = QString());

    bool hasRoot() const;
    // The parser's message when the load failed, otherwise empty.
    QString errorText() const;
    // The file the document was loaded from.
    QString path() const;

    // The document element. Throws SkylatheError (naming the file and the parser's message) when the
    // document has no root.
    XmlNode root() const;

    // Creates an element or a comment owned by this document, not yet placed anywhere.
    XmlNode createElement(const QString& name) const;
    XmlNode createComment(const QString& text) const;

    // Selection from the document node.
    XmlNode selectSingle(const QString& xpath) const;
    XmlNodeList selectAll(const QString& xpath) const;

    // The whole document in the canonical layout (see FormatXmlFile).
    QByteArray toCanonicalBytes() const;
    // Writes the document atomically to the path in the canonical layout. Throws SkylatheError.
    void save(const QString& path) const;

private:
    std::shared_ptr<xmldetail::DocumentData> m_data;
    friend class XmlNode;
};

class XmlNode {
public:
    XmlNode();
    ~XmlNode();
    XmlNode(const XmlNode& other);
    XmlNode& operator=(const XmlNode& other);

    bool isNull() const;
    explicit operator bool() const { return !isNull(); }

    QString name() const;
    bool isElement() const;
    bool isComment() const;

    // Text content: the texts of all descendants, concatenated. Empty for a null node.
    QString text() const;
    // Replaces all children by one text node. Throws SkylatheError on a null node.
    void setText(const QString& text);

    // XPath relative to this node. A null node selects nothing.
    XmlNode selectSingle(const QString& xpath) const;
    XmlNodeList selectAll(const QString& xpath) const;
    // Like selectSingle, but throws SkylatheError naming the file and the path when nothing is found.
    XmlNode require(const QString& xpath) const;
    // Text of the node selected by xpath; throws like require when it is missing.
    QString requireText(const QString& xpath) const;

    // Attributes by position, counted from 0.
    int attributeCount() const;
    // Throws SkylatheError when there is no attribute at that position.
    QString attributeAt(int position) const;
    void setAttributeAt(int position, const QString& value);
    QString attribute(const QString& name) const;
    void setAttribute(const QString& name, const QString& value);

    XmlNode parent() const;
    XmlNodeList childElements() const;
    XmlNode firstChildElement(const QString& name) const;

    // Appends a node created by a document (or a deep copy of a node of another document) as the
    // last child and returns the node now in the tree.
    XmlNode appendChild(const XmlNode& child);
    XmlNode appendCopy(const XmlNode& node);
    XmlNode appendElement(const QString& name, const QString& text = QString());
    // Appends a comment holding CommentSafeText(text).
    XmlNode appendComment(const QString& text);
    // Removes the node from its parent.
    void remove();

    // The element with all its descendants as XML text, without declaration, on one line.
    QString outerXml() const;

    // The file this node's document came from (for messages).
    QString documentPath() const;

private:
    friend class XmlDocument;
    XmlNode(const pugi::xml_node& node, std::shared_ptr<xmldetail::DocumentData> data);
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Re-reads the XML file at the path and writes it back in place in the program's canonical layout:
// UTF-8 without BOM, CR LF line ends, one tab per nesting level, empty elements as <Item/>, every
// element and comment on its own line, a declaration (if the file had one) as <?xml version="1.0"?>.
// Texts and attribute values are unchanged. Throws SkylatheError on a missing or malformed file,
// which then stays unchanged. Returns true.
bool FormatXmlFile(const QString& path);

// Makes text safe inside an XML comment: no "--" (it would end the comment early or make it malformed), no
// trailing "-" (it would run into "-->"), none of the control characters XML forbids (they become spaces).
// "<", ">" and "&" are harmless in a comment and stay.
QString CommentSafeText(const QString& text);

// Escapes text for use as XML character data (&, <, >).
QString XmlEscapeText(const QString& text);
// Escapes text for use inside a double-quoted attribute value.
QString XmlEscapeAttribute(const QString& text);
