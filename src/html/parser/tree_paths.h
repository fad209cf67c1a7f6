#pragma once

#include "html/parser/html_tree.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// An element's place in a tree: its position among the element children of each ancestor,
// from the document down, the local names along the way (the html element's first), and how
// many element children each parent on the way has, so that an element added or taken among
// them shows.
struct ElementPath
{
    QList<int> positions;
    QStringList names;
    QList<int> siblings;
    friend bool operator==(const ElementPath &, const ElementPath &) = default;
};

// A page's text parsed as a browser parses it, and the ways between places in that text and
// the tree's elements: the element a place lies in, an element's path from the document and
// back, where an element starts in the text. Only element children count on a path, so text
// that another parse splits into more nodes moves no element. What a <noscript> holds is not
// looked into: this parse reads it with scripting off, a browser with scripting on, and the
// two trees differ there.
class TreePaths
{
public:
    explicit TreePaths(QString text);
    TreePaths(const TreePaths &) = delete;
    TreePaths &operator=(const TreePaths &) = delete;

    const QString &text() const { return m_text; }
    const HtmlDocument &document() const { return m_document; }

    // How many elements the tree holds (those of a <noscript> not counted), as a browser's
    // document.getElementsByTagName("*") counts them: an element that a page's script added or
    // took away anywhere changes it.
    qsizetype elementCount() const { return m_elementCount; }

    // The innermost element whose source holds the offset: from its start tag up to the end
    // of its end tag, or, where the parser implied a tag, from or to the content it holds.
    // Null where no element holds it (before <html>, in a doctype).
    const HtmlNode *elementAround(qsizetype offset) const;
    // Whether the element is the page's <body> or inside it.
    static bool isInBody(const HtmlNode *element);

    static ElementPath pathOf(const HtmlNode *element);
    // The element at the path, if the names along the way agree, and the sibling counts where
    // the path has them; else null.
    const HtmlNode *elementAt(const ElementPath &path) const;

    // Where an element starts in the text: its start tag, or where its content starts when
    // the parser implied the tag; -1 for an implied element with nothing in it.
    qsizetype startOf(const HtmlNode *element) const;

    // The offset in the text of a character of a text among the element's children, counted
    // as a browser's tree holds them (adjacent texts as one, at `childIndex` among the child
    // nodes); only when that text is `data` and stands in the text character for character up
    // to that character, so that no reference comes before it. Else -1.
    qsizetype characterOffset(const HtmlNode *element, int childIndex, qsizetype character,
                              QStringView data) const;

private:
    struct Extent
    {
        qsizetype start = -1;
        qsizetype end = -1;
        bool holds(qsizetype offset) const { return start <= offset && offset < end; }
    };

    void measure();
    Extent extentOf(const HtmlNode *node) const;

    QString m_text;
    HtmlDocument m_document;
    QHash<const HtmlNode *, Extent> m_extents; // of each element
    qsizetype m_elementCount = 0;
};
