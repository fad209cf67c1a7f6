#include "html/conformance/document_rules.h"

#include "html/conformance/attribute_rules.h"
#include "html/conformance/content_rules.h"
#include "html/conformance/rule_keys.h"

using namespace Qt::StringLiterals;

namespace {

bool isBlank(QStringView text)
{
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\f' && c != u'\r')
            return false;
    }
    return true;
}

qsizetype utf8Length(QStringView text)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : QChar::isHighSurrogate(c) ? 2 : 3; // a pair: 2 + 2
    }
    return bytes;
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
    if (name == u"input"_s) {
        const HtmlAttribute *type = element.attribute(u"type"_s);
        return !type || type->value.trimmed().compare(u"hidden"_s, Qt::CaseInsensitive) != 0;
    }
    return name == u"button"_s || name == u"meter"_s || name == u"output"_s || name == u"progress"_s
        || name == u"select"_s || name == u"textarea"_s;
}

bool isFormAssociated(const QString &name)
{
    return name == u"button"_s || name == u"fieldset"_s || name == u"input"_s || name == u"object"_s
        || name == u"output"_s || name == u"select"_s || name == u"textarea"_s;
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

void DocumentRules::begin(const HtmlDocument &document)
{
    if (document.root() && document.root()->kind == HtmlNode::Kind::Document) {
        checkDoctype(document);
        checkLanguage(document);
    }
}

void DocumentRules::end()
{
    checkReferences();
    finishHeadings();
    checkItemProperties();
}

void DocumentRules::checkItemProperties()
{
    // A property outside every item belongs to one that names it, or an ancestor, by itemref.
    for (const HtmlNode *element : std::as_const(m_itemProperties)) {
        bool named = false;
        const HtmlNode *node = element;
        for (int step = 0; node && step < 256 && !named; ++step, node = node->parent)
            named = m_itemRefTargets.contains(node);
        if (!named)
            report(RuleKey::ItempropWithoutItem, attributeSpan(*element->attribute(u"itemprop"_s)), {});
    }
}

void DocumentRules::checkDoctype(const HtmlDocument &document)
{
    const HtmlNode *doctype = nullptr;
    for (const HtmlNode *child : document.root()->children) {
        if (child->kind == HtmlNode::Kind::DocumentType)
            doctype = child;
    }
    if (!doctype) {
        report(RuleKey::DoctypeMissing, firstTagSpan(), {});
        return;
    }
    const bool legacyCompat = doctype->hasSystemId && doctype->systemId == u"about:legacy-compat"_s;
    if (doctype->name.compare(u"html"_s, Qt::CaseInsensitive) == 0 && !doctype->hasPublicId
        && (!doctype->hasSystemId || legacyCompat))
        return;
    if (doctype->hasPublicId && isOldDoctype(doctype->publicId)) {
        const bool quirks = document.quirksMode == HtmlDocument::QuirksMode::Quirks;
        report(quirks ? RuleKey::DoctypeOldQuirks : RuleKey::DoctypeOld, doctype->startTag, {doctype->publicId},
               CheckLevel::Warning);
        return;
    }
    report(RuleKey::DoctypeWrong, doctype->startTag, {});
}

void DocumentRules::checkLanguage(const HtmlDocument &document)
{
    for (const HtmlNode *child : document.root()->children) {
        if (child->isElement(u"html"_s)) {
            if (!child->attribute(u"lang"_s))
                report(RuleKey::HtmlWithoutLang, child->startTag.isValid() ? child->startTag : firstTagSpan(),
                       {}, CheckLevel::Warning);
            return;
        }
    }
}

void DocumentRules::enter(const HtmlNode &node)
{
    if (node.kind == HtmlNode::Kind::Text && !isBlank(node.data)) {
        noteContent();
        checkNormalization(node);
    } else if (node.kind == HtmlNode::Kind::Element) {
        enterElement(node);
    }
}

void DocumentRules::checkNormalization(const HtmlNode &text)
{
    // Letters written as a base letter and a combining mark (u and ¨ instead of ü), as some
    // systems paste them: only then is normalising worth its cost.
    const bool combining = std::any_of(text.data.cbegin(), text.data.cend(), [](QChar c) {
        return c.unicode() >= 0x300 && c.unicode() < 0x370;
    });
    if (combining && text.data.normalized(QString::NormalizationForm_C) != text.data)
        report(RuleKey::TextNotNormalized, text.startTag, {}, CheckLevel::Warning);
}

void DocumentRules::leave(const HtmlNode &node)
{
    if (node.kind != HtmlNode::Kind::Element || node.ns != HtmlNamespace::Html)
        return;
    const QString &name = node.name;
    if (node.attribute(u"itemscope"_s))
        --m_items;
    if (name == u"table"_s && !m_tables.empty())
        m_tables.pop_back();
    else if (headingLevel(node) && !m_headings.empty()) {
        if (!m_headings.back().hasContent)
            report(RuleKey::HeadingEmpty, placeOf(node), {name}, CheckLevel::Warning);
        m_headings.pop_back();
    } else if (name == u"section"_s && !m_sections.empty()) {
        if (!m_sections.back().second)
            report(RuleKey::SectionWithoutHeading, placeOf(node), {}, CheckLevel::Warning);
        m_sections.pop_back();
    } else if (name == u"title"_s) {
        bool hasText = false;
        for (const HtmlNode *child : node.children)
            hasText = hasText || (child->kind == HtmlNode::Kind::Text && !isBlank(child->data));
        if (!hasText)
            report(RuleKey::TitleEmpty, placeOf(node), {});
    }
}

void DocumentRules::enterElement(const HtmlNode &element)
{
    if (const HtmlAttribute *id = element.attribute(u"id"_s); id && !id->value.isEmpty()) {
        const auto first = m_ids.constFind(id->value);
        if (first == m_ids.cend()) {
            m_ids.insert(id->value, &element);
        } else {
            report(RuleKey::DuplicateId, attributeSpan(*id), {id->value});
            if (const HtmlAttribute *firstId = (*first)->attribute(u"id"_s))
                report(RuleKey::DuplicateIdFirst, attributeSpan(*firstId), {id->value}, CheckLevel::Hint);
        }
    }
    if (element.ns != HtmlNamespace::Html)
        return;
    const QString &name = element.name;
    if (const HtmlAttribute *itemprop = element.attribute(u"itemprop"_s); itemprop && m_items == 0)
        m_itemProperties.append(&element);
    if (element.attribute(u"itemscope"_s))
        ++m_items;
    if (element.attribute(u"autofocus"_s) && ++m_autofocus > 1)
        report(RuleKey::AutofocusSecond, attributeSpan(*element.attribute(u"autofocus"_s)), {});
    if (name == u"base"_s && m_linkOrScriptSeen)
        report(RuleKey::BaseAfterLink, placeOf(element), {});
    else if (name == u"link"_s || name == u"script"_s)
        m_linkOrScriptSeen = true;
    if (name == u"table"_s)
        m_tables.push_back(&element);
    else if (name == u"th"_s && !m_tables.empty())
        m_thTables.insert(&element, m_tables.back());
    else if (name == u"map"_s && element.attribute(u"name"_s))
        m_mapNames.insert(element.attribute(u"name"_s)->value, &element);
    else if (name == u"section"_s)
        m_sections.emplace_back(&element, false);
    else if (name == u"img"_s && !m_headings.empty() && element.attribute(u"alt"_s)
             && !isBlank(element.attribute(u"alt"_s)->value))
        noteContent();
    else if (name == u"meta"_s) {
        const HtmlAttribute *equiv = element.attribute(u"http-equiv"_s);
        const bool contentType = equiv && equiv->value.trimmed().compare(u"content-type"_s, Qt::CaseInsensitive) == 0;
        if (element.attribute(u"charset"_s) && ++m_charsets > 1)
            report(RuleKey::MetaCharsetSecond, placeOf(element), {});
        // A browser looks for the encoding in the first 1024 bytes only.
        if ((element.attribute(u"charset"_s) || contentType) && element.startTag.isValid()
            && utf8Length(m_page.first(std::min(element.startTag.end(), m_page.size()))) > 1024)
            report(RuleKey::MetaCharsetLate, placeOf(element), {});
        if ((element.attribute(u"charset"_s) && m_contentTypeMeta) || (contentType && m_charsets > 0))
            report(RuleKey::MetaCharsetAndContentType, placeOf(element), {});
        m_contentTypeMeta = m_contentTypeMeta || contentType;
    }
    if (const int level = headingLevel(element))
        enterHeading(element, level);
    else if (name == u"hgroup"_s && !m_sections.empty())
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
        report(RuleKey::HeadingLevelSkip, placeOf(heading), {heading.name, QStringLiteral("h%1").arg(m_lastLevel)},
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
        report(RuleKey::HeadingNoH1, placeOf(*m_firstHeading), {}, CheckLevel::Warning);
}

void DocumentRules::collectReferences(const HtmlNode &element)
{
    const QString &name = element.name;
    const HtmlNode *table = m_tables.empty() ? nullptr : m_tables.back();
    for (const HtmlAttribute &attribute : element.attributes) {
        const QString &attributeName = attribute.name;
        const bool single = (attributeName == u"for"_s && name == u"label"_s)
            || (attributeName == u"list"_s && name == u"input"_s)
            || (attributeName == u"form"_s && isFormAssociated(name))
            || attributeName == u"popovertarget"_s || attributeName == u"commandfor"_s;
        const bool list = (attributeName == u"headers"_s && (name == u"td"_s || name == u"th"_s))
            || (attributeName == u"for"_s && name == u"output"_s) || attributeName == u"itemref"_s;
        if (single && !attribute.value.isEmpty())
            m_references.append(Reference{&element, &attribute, attribute.value, table});
        else if (list) {
            for (const QString &id : tokens(attribute.value))
                m_references.append(Reference{&element, &attribute, id, table});
        } else if (attributeName == u"usemap"_s && attribute.value.startsWith(u'#')
                   && (name == u"img"_s || name == u"object"_s)) {
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
    if (attribute == u"usemap"_s) {
        if (!m_mapNames.contains(reference.id))
            report(RuleKey::UsemapWrong, span, {reference.id});
        return;
    }
    const HtmlNode *target = m_ids.value(reference.id);
    const QString &name = reference.element->name;
    if (attribute == u"for"_s && name == u"label"_s) {
        if (!target || !isLabelable(*target))
            report(RuleKey::LabelForWrong, span, {reference.id});
    } else if (attribute == u"list"_s) {
        if (!target || !target->isElement(u"datalist"_s))
            report(RuleKey::InputListWrong, span, {reference.id});
    } else if (attribute == u"form"_s) {
        if (!target || !target->isElement(u"form"_s))
            report(RuleKey::FormAttributeWrong, span, {reference.id});
    } else if (attribute == u"headers"_s) {
        if (!target || !target->isElement(u"th"_s) || m_thTables.value(target) != reference.table)
            report(RuleKey::HeadersWrong, span, {reference.id});
    } else if (!target) {
        // The validator does not look where a popover, command or output points; the standard
        // wants the id there, but the page works otherwise: a Warnung.
        const bool itemref = attribute == u"itemref"_s;
        report(RuleKey::ReferenceMissing, span, {attribute, reference.id},
               itemref ? CheckLevel::Error : CheckLevel::Warning);
    }
    if (attribute == u"itemref"_s && target)
        m_itemRefTargets.insert(target);
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
