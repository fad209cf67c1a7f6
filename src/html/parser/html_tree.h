#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

// A stretch of the page's text the parser read: offsets in UTF-16 code units into that text.
// An invalid span (offset -1) stands for something the parser made up by itself.
struct SourceSpan
{
    qsizetype offset = -1;
    qsizetype length = 0;

    bool isValid() const { return offset >= 0; }
    qsizetype end() const { return offset + length; }
    friend bool operator==(const SourceSpan &, const SourceSpan &) = default;
};

enum class HtmlNamespace : unsigned char { Html, Svg, MathMl };

// The namespace of an attribute that foreign content (SVG, MathML) adjusts: "xlink:href" is
// the local name "href" in XLink with the prefix "xlink".
enum class AttributeNamespace : unsigned char { None, XLink, Xml, Xmlns };

struct HtmlAttribute
{
    QString name; // lower case as tokenized; in foreign content the adjusted local name
    QString value;
    AttributeNamespace ns = AttributeNamespace::None;
    SourceSpan nameSpan;
    SourceSpan valueSpan; // between the quotes; invalid when the attribute has no value at all

    // The prefix the standard gives an adjusted foreign attribute ("xlink"), else empty.
    QString prefix() const;
};

// A parse error where the standard names one: its code ("eof-in-tag") and the characters it is
// about (a tag, an attribute, a character). Codes of the tree construction are the program's own
// ("unexpected-end-tag"), as the standard names those errors only in prose.
struct HtmlParseError
{
    const char *code = "";
    SourceSpan span;
    QString name; // the element or attribute concerned, where there is one
};

struct HtmlNode
{
    enum class Kind : unsigned char { Document, DocumentFragment, DocumentType, Element, Text, Comment };

    Kind kind = Kind::Element;
    HtmlNamespace ns = HtmlNamespace::Html;
    QString name; // an element's local name, a doctype's name
    QString data; // a text's or comment's characters
    QList<HtmlAttribute> attributes;

    HtmlNode *parent = nullptr;
    std::vector<HtmlNode *> children;
    HtmlNode *templateContents = nullptr; // a <template>'s document fragment

    // Element: the whole start tag "<td class=x>" and the whole end tag, each invalid when the
    // parser implied it. Text: from its first character's source to its last's (references
    // included, so the span may be longer than the data). Comment, doctype: the whole token.
    SourceSpan startTag;
    SourceSpan endTag;

    // A doctype's identifiers.
    QString publicId;
    QString systemId;
    bool hasPublicId = false;
    bool hasSystemId = false;

    bool isElement(QStringView localName, HtmlNamespace inNamespace = HtmlNamespace::Html) const
    {
        return kind == Kind::Element && ns == inNamespace && name == localName;
    }
    const HtmlAttribute *attribute(QStringView attributeName) const;
};

// The tree a browser builds from a page, with the parse errors met on the way.
class HtmlDocument
{
public:
    enum class QuirksMode : unsigned char { NoQuirks, Quirks, LimitedQuirks };

    HtmlDocument();
    HtmlDocument(HtmlDocument &&) = default;
    HtmlDocument &operator=(HtmlDocument &&) = default;

    HtmlNode *root() { return m_root; }
    const HtmlNode *root() const { return m_root; }
    QuirksMode quirksMode = QuirksMode::NoQuirks;
    // Sorted by place; among equal places in the order they were found.
    QList<HtmlParseError> errors;

    HtmlNode *createNode(HtmlNode::Kind kind);

private:
    // Nodes live in blocks that grow with the page: stable addresses, freed together, and one
    // allocation for many nodes.
    std::vector<std::unique_ptr<HtmlNode[]>> m_blocks;
    qsizetype m_blockSize = 0;
    qsizetype m_usedInBlock = 0;
    HtmlNode *m_root = nullptr;
};

// Parses a whole page as a browser does, with scripting off (so <noscript> holds markup).
HtmlDocument parseHtml(QStringView text);

// Parses a fragment as for innerHTML on a context element; the root is a DocumentFragment
// holding the fragment's nodes.
HtmlDocument parseHtmlFragment(QStringView text, const QString &contextName,
                               HtmlNamespace contextNamespace = HtmlNamespace::Html);
