#pragma once

#include "html/conformance/finding.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringView>

#include <vector>

class HtmlDocument;

// The page as a whole: its doctype and language, unique ids and the references to them, one
// charset declaration, one autofocus, microdata properties, headings and their levels.
class DocumentRules
{
public:
    DocumentRules(QStringView page, QList<Finding> &findings);

    void begin(const HtmlDocument &document);
    // The walk's steps, in document order, SVG and MathML included.
    void enter(const HtmlNode &node);
    void leave(const HtmlNode &node);
    void end();

private:
    // An attribute that names another element by id, judged once every id is known.
    struct Reference
    {
        const HtmlNode *element;
        const HtmlAttribute *attribute;
        QString id;
        const HtmlNode *table; // for headers: the table the cell stands in
    };
    struct Heading
    {
        const HtmlNode *element;
        bool hasContent = false;
    };

    void checkDoctype(const HtmlDocument &document);
    void checkLanguage(const HtmlDocument &document);
    void enterElement(const HtmlNode &element);
    void checkNormalization(const HtmlNode &text);
    void collectReferences(const HtmlNode &element);
    void checkReferences();
    void checkReference(const Reference &reference);
    void enterHeading(const HtmlNode &heading, int level);
    void noteContent();
    void finishHeadings();
    void checkItemProperties();

    void report(const char *key, SourceSpan span, const QStringList &arguments,
                CheckLevel level = CheckLevel::Error);
    SourceSpan firstTagSpan() const;

    QStringView m_page;
    QList<Finding> &m_findings;
    QHash<QString, const HtmlNode *> m_ids;
    QHash<QString, const HtmlNode *> m_mapNames;
    QList<Reference> m_references;
    std::vector<const HtmlNode *> m_tables;     // open tables
    std::vector<Heading> m_headings;            // open headings
    std::vector<std::pair<const HtmlNode *, bool>> m_sections; // open sections, heading seen
    QList<const HtmlNode *> m_itemProperties;   // elements with itemprop outside any item
    QSet<const HtmlNode *> m_itemRefTargets;    // elements that itemref names
    QHash<const HtmlNode *, const HtmlNode *> m_thTables;
    const HtmlNode *m_firstHeading = nullptr;
    int m_lastLevel = 0;
    bool m_hasLevelOne = false;
    int m_charsets = 0;
    bool m_contentTypeMeta = false;
    bool m_linkOrScriptSeen = false;
    int m_autofocus = 0;
    int m_items = 0;
};
