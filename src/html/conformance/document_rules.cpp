#include "html/conformance/document_rules.h"

#include "html/conformance/attribute_rules.h"
#include "html/conformance/content_rules.h"
#include "html/conformance/tree_walk.h"

namespace {

bool isBlank(QStringView text)
{
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\f' && c != u'\r')
            return false;
    }
    return true;
}

QStringList tokens(const QString &value)
{
    return value.simplified().split(u' ', Qt::SkipEmptyParts);
}

// 1 to 6 for h1 to h6, else 0.
int headingLevel(const HtmlNode &element)
{
    const QString &name = element.name;
    if (element.ns != HtmlNamespace::Html || name.size() != 2 || name[0] != u'h')
        return 0;
    const int level = name[1].unicode() - u'0';
    return level >= 1 && level <= 6 ? level : 0;
}

bool isLabelable(const HtmlNode &element)
{
    if (element.kind != HtmlNode::Kind::Element || element.ns != HtmlNamespace::Html)
        return false;
    const QString &name = element.name;
    if (name == u"input") {
        const HtmlAttribute *type = element.attribute(u"type");
        return !type || type->value.trimmed().compare(u"hidden", Qt::CaseInsensitive) != 0;
    }
    return name == u"button" || name == u"meter" || name == u"output" || name == u"progress"
        || name == u"select" || name == u"textarea";
}

bool isFormAssociated(const QString &name)
{
    return name == u"button" || name == u"fieldset" || name == u"input" || name == u"object"
        || name == u"output" || name == u"select" || name == u"textarea";
}

// Public identifiers of the doctypes of HTML 2 to 4 and XHTML 1: old, but browsers know them.
bool isOldDoctype(const QString &publicId)
{
    for (const char *start : {"-//W3C//DTD HTML 4", "-//W3C//DTD XHTML 1", "-//W3C//DTD HTML 3",
                              "-//W3C//DTD HTML 2", "-//IETF//DTD HTML", "-//W3C//DTD XHTML BASIC"}) {
        if (publicId.startsWith(QLatin1StringView(start), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

DocumentRules::DocumentRules(QStringView page, QList<Finding> &findings)
    : m_page(page), m_findings(findings)
{
}

void DocumentRules::check(const HtmlDocument &document)
{
    if (!document.root())
        return;
    if (document.root()->kind == HtmlNode::Kind::Document) {
        checkDoctype(document);
        checkLanguage(document);
    }
    walkTree(*document.root(), *this);
    checkReferences();
    finishHeadings();
    for (const HtmlNode *element : std::as_const(m_itemProperties))
        report("itemprop-without-item", attributeSpan(*element->attribute(u"itemprop")), {});
}

void DocumentRules::checkDoctype(const HtmlDocument &document)
{
    const HtmlNode *doctype = nullptr;
    for (const HtmlNode *child : document.root()->children) {
        if (child->kind == HtmlNode::Kind::DocumentType)
            doctype = child;
    }
    if (!doctype) {
        report("doctype-missing", firstTagSpan(), {});
        return;
    }
    const bool legacyCompat = doctype->hasSystemId && doctype->systemId == u"about:legacy-compat";
    if (doctype->name.compare(u"html", Qt::CaseInsensitive) == 0 && !doctype->hasPublicId
        && (!doctype->hasSystemId || legacyCompat))
        return;
    if (doctype->hasPublicId && isOldDoctype(doctype->publicId)) {
        const bool quirks = document.quirksMode == HtmlDocument::QuirksMode::Quirks;
        report(quirks ? "doctype-old-quirks" : "doctype-old", doctype->startTag, {doctype->publicId},
               CheckLevel::Warning);
        return;
    }
    report("doctype-wrong", doctype->startTag, {});
}

void DocumentRules::checkLanguage(const HtmlDocument &document)
{
    for (const HtmlNode *child : document.root()->children) {
        if (child->isElement(u"html")) {
            if (!child->attribute(u"lang"))
                report("html-without-lang", child->startTag.isValid() ? child->startTag : firstTagSpan(),
                       {}, CheckLevel::Warning);
            return;
        }
    }
}

bool DocumentRules::enter(const HtmlNode &node)
{
    switch (node.kind) {
    case HtmlNode::Kind::Document:
    case HtmlNode::Kind::DocumentFragment:
        return true;
    case HtmlNode::Kind::Text:
        if (!isBlank(node.data))
            noteContent();
        return false;
    case HtmlNode::Kind::Element:
        enterElement(node);
        return true;
    default:
        return false;
    }
}

void DocumentRules::leave(const HtmlNode &node)
{
    if (node.kind != HtmlNode::Kind::Element || node.ns != HtmlNamespace::Html)
        return;
    const QString &name = node.name;
    if (node.attribute(u"itemscope"))
        --m_items;
    if (name == u"table" && !m_tables.empty())
        m_tables.pop_back();
    else if (headingLevel(node) && !m_headings.empty()) {
        if (!m_headings.back().hasContent)
            report("heading-empty", placeOf(node), {name}, CheckLevel::Warning);
        m_headings.pop_back();
    } else if (name == u"section" && !m_sections.empty()) {
        if (!m_sections.back().second)
            report("section-without-heading", placeOf(node), {}, CheckLevel::Warning);
        m_sections.pop_back();
    } else if (name == u"title") {
        bool hasText = false;
        for (const HtmlNode *child : node.children)
            hasText = hasText || (child->kind == HtmlNode::Kind::Text && !isBlank(child->data));
        if (!hasText)
            report("title-empty", placeOf(node), {});
    }
}

void DocumentRules::enterElement(const HtmlNode &element)
{
    if (const HtmlAttribute *id = element.attribute(u"id"); id && !id->value.isEmpty()) {
        const auto first = m_ids.constFind(id->value);
        if (first == m_ids.cend()) {
            m_ids.insert(id->value, &element);
        } else {
            report("duplicate-id", attributeSpan(*id), {id->value});
            if (const HtmlAttribute *firstId = (*first)->attribute(u"id"))
                report("duplicate-id-first", attributeSpan(*firstId), {id->value}, CheckLevel::Hint);
        }
    }
    if (element.ns != HtmlNamespace::Html)
        return;
    const QString &name = element.name;
    if (const HtmlAttribute *itemprop = element.attribute(u"itemprop"); itemprop && m_items == 0)
        m_itemProperties.append(&element);
    if (element.attribute(u"itemscope"))
        ++m_items;
    if (element.attribute(u"autofocus") && ++m_autofocus > 1)
        report("autofocus-second", attributeSpan(*element.attribute(u"autofocus")), {});
    if (name == u"table")
        m_tables.push_back(&element);
    else if (name == u"th" && !m_tables.empty())
        m_thTables.insert(&element, m_tables.back());
    else if (name == u"map" && element.attribute(u"name"))
        m_mapNames.insert(element.attribute(u"name")->value, &element);
    else if (name == u"section")
        m_sections.emplace_back(&element, false);
    else if (name == u"img" && !m_headings.empty() && element.attribute(u"alt")
             && !isBlank(element.attribute(u"alt")->value))
        noteContent();
    else if (name == u"meta") {
        const HtmlAttribute *equiv = element.attribute(u"http-equiv");
        const bool contentType = equiv && equiv->value.trimmed().compare(u"content-type", Qt::CaseInsensitive) == 0;
        if (element.attribute(u"charset") && ++m_charsets > 1)
            report("meta-charset-second", placeOf(element), {});
        if ((element.attribute(u"charset") && m_contentTypeMeta) || (contentType && m_charsets > 0))
            report("meta-charset-and-content-type", placeOf(element), {});
        m_contentTypeMeta = m_contentTypeMeta || contentType;
    }
    if (const int level = headingLevel(element))
        enterHeading(element, level);
    else if (name == u"hgroup" && !m_sections.empty())
        m_sections.back().second = true;
    collectReferences(element);
}

void DocumentRules::enterHeading(const HtmlNode &heading, int level)
{
    if (!m_sections.empty())
        m_sections.back().second = true;
    if (!m_firstHeading)
        m_firstHeading = &heading;
    if (m_lastLevel && level > m_lastLevel + 1)
        report("heading-level-skip", placeOf(heading), {heading.name, QStringLiteral("h%1").arg(m_lastLevel)},
               CheckLevel::Warning);
    m_lastLevel = level;
    m_hasLevelOne = m_hasLevelOne || level == 1;
    m_headings.push_back(Heading{&heading});
}

void DocumentRules::noteContent()
{
    if (!m_headings.empty())
        m_headings.back().hasContent = true;
}

void DocumentRules::finishHeadings()
{
    if (m_firstHeading && !m_hasLevelOne)
        report("heading-no-h1", placeOf(*m_firstHeading), {}, CheckLevel::Warning);
}

void DocumentRules::collectReferences(const HtmlNode &element)
{
    const QString &name = element.name;
    const HtmlNode *table = m_tables.empty() ? nullptr : m_tables.back();
    for (const HtmlAttribute &attribute : element.attributes) {
        const QString &attributeName = attribute.name;
        const bool single = (attributeName == u"for" && name == u"label")
            || (attributeName == u"list" && name == u"input")
            || (attributeName == u"form" && isFormAssociated(name))
            || attributeName == u"popovertarget" || attributeName == u"commandfor";
        const bool list = (attributeName == u"headers" && (name == u"td" || name == u"th"))
            || (attributeName == u"for" && name == u"output") || attributeName == u"itemref";
        if (single && !attribute.value.isEmpty())
            m_references.append(Reference{&element, &attribute, attribute.value, table});
        else if (list) {
            for (const QString &id : tokens(attribute.value))
                m_references.append(Reference{&element, &attribute, id, table});
        } else if (attributeName == u"usemap" && attribute.value.startsWith(u'#')
                   && (name == u"img" || name == u"object")) {
            m_references.append(Reference{&element, &attribute, attribute.value.mid(1), nullptr});
        }
    }
}

void DocumentRules::checkReferences()
{
    for (const Reference &reference : std::as_const(m_references))
        checkReference(reference);
}

void DocumentRules::checkReference(const Reference &reference)
{
    const QString &attribute = reference.attribute->name;
    const SourceSpan span = attributeSpan(*reference.attribute);
    if (attribute == u"usemap") {
        if (!m_mapNames.contains(reference.id))
            report("usemap-wrong", span, {reference.id});
        return;
    }
    const HtmlNode *target = m_ids.value(reference.id);
    const QString &name = reference.element->name;
    if (attribute == u"for" && name == u"label") {
        if (!target || !isLabelable(*target))
            report("label-for-wrong", span, {reference.id});
    } else if (attribute == u"list") {
        if (!target || !target->isElement(u"datalist"))
            report("input-list-wrong", span, {reference.id});
    } else if (attribute == u"form") {
        if (!target || !target->isElement(u"form"))
            report("form-attribute-wrong", span, {reference.id});
    } else if (attribute == u"headers") {
        if (!target || !target->isElement(u"th") || m_thTables.value(target) != reference.table)
            report("headers-wrong", span, {reference.id});
    } else if (!target) {
        report("reference-missing", span, {attribute, reference.id});
    }
    // Microdata properties named by itemref belong to the item that names them.
    if (attribute == u"itemref" && target) {
        for (const HtmlNode *node = target; node; node = node->parent)
            m_itemProperties.removeOne(node);
    }
}

void DocumentRules::report(const char *key, SourceSpan span, const QStringList &arguments, CheckLevel level)
{
    m_findings.append(Finding{QString::fromLatin1(key), level, span, arguments});
}

SourceSpan DocumentRules::firstTagSpan() const
{
    for (qsizetype i = 0; i + 1 < m_page.size(); ++i) {
        if (m_page[i] == u'<' && m_page[i + 1].isLetter()) {
            const qsizetype close = m_page.indexOf(u'>', i);
            const qsizetype end = close < 0 ? std::min(m_page.size(), i + 1) : close + 1;
            return SourceSpan{i, std::min<qsizetype>(end - i, 200)};
        }
    }
    return SourceSpan{0, 0};
}
