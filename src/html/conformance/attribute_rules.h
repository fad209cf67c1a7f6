#pragma once

#include "html/conformance/conformance_catalog.h"
#include "html/conformance/finding.h"

#include <QList>


// Which elements and attributes there are, which an element may and must have, and what is
// obsolete; every allowed attribute's value goes to checkAttributeValue().
class AttributeRules
{
public:
    explicit AttributeRules(QList<Finding> &findings);

    // Where old presentational markup stands (the start tags of obsolete presentational
    // elements, obsolete attributes): a slip of syntax in there is part of that warning.
    const QList<SourceSpan> &presentationalSpans() const { return m_presentational; }

    // The walk's step for each HTML element, in document order, with its rule if it has one.
    void enter(const HtmlNode &element, const ElementRule *rule);

private:
    void checkAttribute(const HtmlNode &element, const ElementRule &rule, const HtmlAttribute &attribute);
    bool isAllowed(const HtmlNode &element, const ElementRule &rule, const QString &name) const;
    void checkForType(const HtmlNode &element, const HtmlAttribute &attribute);
    void checkRequired(const HtmlNode &element, const ElementRule &rule);
    void checkImage(const HtmlNode &element);
    void checkMetaAndLink(const HtmlNode &element);
    void checkSource(const HtmlNode &element);
    void checkTimeText(const HtmlNode &element);
    void checkValue(const HtmlNode &element, const HtmlAttribute &attribute);

    void report(const char *key, SourceSpan span, const QStringList &arguments,
                CheckLevel level = CheckLevel::Error);
    // A key the tables give as text already.
    void report(const QString &key, SourceSpan span, const QStringList &arguments,
                CheckLevel level = CheckLevel::Error);

    QList<Finding> &m_findings;
    const ConformanceCatalog &m_catalog;
    QList<SourceSpan> m_presentational;
};

// The whole attribute in the source, from its name to the end of its value.
SourceSpan attributeSpan(const HtmlAttribute &attribute);
