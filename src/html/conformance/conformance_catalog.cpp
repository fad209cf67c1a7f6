#include "html/conformance/conformance_catalog.h"

#include "html/parser/html_tree.h"

#include <climits>

using namespace Qt::StringLiterals;

namespace {

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

quint32 categoryBit(QStringView name)
{
    static const struct
    {
        const char *name;
        quint32 bit;
    } bits[] = {
        {"metadata", ContentCategory::Metadata},
        {"flow", ContentCategory::Flow},
        {"sectioning", ContentCategory::Sectioning},
        {"heading", ContentCategory::Heading},
        {"phrasing", ContentCategory::Phrasing},
        {"embedded", ContentCategory::Embedded},
        {"interactive", ContentCategory::Interactive},
        {"script-supporting", ContentCategory::ScriptSupporting},
        {"labelable", ContentCategory::Labelable},
        {"listed", ContentCategory::Listed},
    };
    for (const auto &entry : bits) {
        if (name == QLatin1StringView(entry.name))
            return entry.bit;
    }
    Q_ASSERT_X(false, "categoryBit", "a category the tables do not know");
    return 0;
}

// "@flow", "a", "~" and "[tabindex]" items, alternatives joined by '/' or blanks.
ContentSet readSet(const QStringList &items, QStringList *attributes = nullptr)
{
    ContentSet set;
    for (const QString &item : items) {
        if (item.startsWith(u'@'))
            set.categories |= categoryBit(QStringView(item).mid(1));
        else if (item == u"~"_s)
            set.transparent = true;
        else if (item.startsWith(u'[') && attributes)
            attributes->append(item.mid(1, item.size() - 2));
        else
            set.names.append(item);
    }
    return set;
}

QList<ContentSlot> readSequence(const QStringList &items)
{
    QList<ContentSlot> sequence;
    for (QString item : items) {
        ContentSlot slot;
        const QChar last = item.back();
        if (last == u'?' || last == u'*' || last == u'+') {
            item.chop(1);
            slot.minimum = last == u'+' ? 1 : 0;
            slot.maximum = last == u'?' ? 1 : INT_MAX;
        }
        slot.set = readSet(item.split(u'/'));
        sequence.append(slot);
    }
    return sequence;
}

void readContent(ElementRule &rule, const QString &content)
{
    static const struct
    {
        const char *word;
        ContentKind kind;
    } kinds[] = {
        {"empty", ContentKind::Empty},      {"nothing", ContentKind::Nothing},
        {"text", ContentKind::Text},        {"any", ContentKind::Any},
        {"~", ContentKind::Transparent},    {"special", ContentKind::Special},
    };
    for (const auto &entry : kinds) {
        if (content == QLatin1StringView(entry.word)) {
            rule.content = entry.kind;
            return;
        }
    }
    QStringList items = content.split(u' ', Qt::SkipEmptyParts);
    if (items.value(0) == u"seq"_s) {
        items.removeFirst();
        rule.content = ContentKind::Sequence;
        rule.sequence = readSequence(items);
    } else {
        rule.content = ContentKind::Set;
        rule.contentSet = readSet(items);
    }
}

bool hasToken(const QString &list, QLatin1StringView token)
{
    const auto tokens = QStringView(list).split(u' ', Qt::SkipEmptyParts);
    for (QStringView candidate : tokens) {
        if (candidate.compare(token, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// rel keywords that let a <link> stand in the body.
bool isBodyOkLink(const HtmlNode &link)
{
    const HtmlAttribute *rel = link.attribute(u"rel"_s);
    if (!rel)
        return false;
    for (const char *keyword : {"dns-prefetch", "modulepreload", "pingback", "preconnect", "prefetch",
                                "preload", "prerender", "stylesheet"}) {
        if (hasToken(rel->value, QLatin1StringView(keyword)))
            return true;
    }
    return false;
}

} // namespace

bool ContentSet::allowsText() const
{
    return categories & (ContentCategory::Flow | ContentCategory::Phrasing);
}

const ConformanceCatalog &ConformanceCatalog::instance()
{
    static const ConformanceCatalog catalog;
    return catalog;
}

ConformanceCatalog::ConformanceCatalog()
{
    using namespace ConformanceTables;
    int excluderCount = 0;
    for (int i = 0; i < elementCount; ++i) {
        const ConformanceElementEntry &entry = elements[i];
        ElementRule rule;
        rule.name = QString::fromLatin1(entry.name);
        rule.categories = entry.categories;
        rule.conditionalCategories = entry.conditionalCategories;
        const QString condition = QString::fromLatin1(entry.condition);
        if (condition == u"!type=hidden"_s)
            rule.conditionTypeNotHidden = true;
        else
            rule.conditionAttribute = condition;
        readContent(rule, QString::fromLatin1(entry.content));
        rule.excluded = readSet(words(entry.excluded), &rule.excludedAttributes);
        if (rule.excluded.categories || !rule.excluded.names.isEmpty()
            || !rule.excludedAttributes.isEmpty())
            rule.excluderIndex = excluderCount++;
        for (const QString &attribute : words(entry.attributes))
            rule.attributes.insert(attribute);
        for (const QString &required : words(entry.required))
            rule.required.append(required.split(u'/'));
        rule.status = entry.status;
        if (entry.statusKey)
            rule.statusKey = QString::fromLatin1(entry.statusKey);
        m_elements.insert(rule.name, rule);
    }
    for (int i = 0; i < obsoleteAttributeCount; ++i) {
        const ObsoleteAttributeEntry &entry = obsoleteAttributes[i];
        const QString element = QString::fromLatin1(entry.element);
        const QString attribute = QString::fromLatin1(entry.attribute);
        const QString key = QString::fromLatin1(entry.key);
        if (element == u"*"_s)
            m_obsoleteEverywhere.insert(attribute, key);
        else if (auto found = m_elements.find(element); found != m_elements.end())
            found->obsoleteAttributes.insert(attribute, key);
    }
    for (int i = 0; i < inputAttributeCount; ++i)
        m_inputTypes.insert(QString::fromLatin1(inputAttributes[i].attribute), words(inputAttributes[i].types));
    for (const char *list : {globalAttributes, rdfaAttributes}) {
        for (const QString &name : words(list))
            m_global.insert(name);
    }
    for (const QString &name : words(eventHandlers))
        m_eventHandlers.insert(name);
    for (const QString &name : words(windowEventHandlers))
        m_windowHandlers.insert(name);
    // Pointers into the hash only once it is complete.
    m_excluders.resize(excluderCount);
    for (const ElementRule &rule : std::as_const(m_elements)) {
        m_lookup.insert(rule.name, &rule);
        if (rule.hasExclusions())
            m_excluders[rule.excluderIndex] = &rule;
    }
}

quint32 ConformanceCatalog::categoriesOf(const HtmlNode &element) const
{
    const bool html = element.kind == HtmlNode::Kind::Element && element.ns == HtmlNamespace::Html;
    return categoriesOf(element, html ? this->element(element.name) : nullptr);
}

quint32 ConformanceCatalog::categoriesOf(const HtmlNode &element, const ElementRule *rule) const
{
    if (element.kind != HtmlNode::Kind::Element)
        return 0;
    if (element.ns == HtmlNamespace::Svg && element.name == u"svg"_s)
        return ContentCategory::Flow | ContentCategory::Phrasing | ContentCategory::Embedded;
    if (element.ns == HtmlNamespace::MathMl && element.name == u"math"_s)
        return ContentCategory::Flow | ContentCategory::Phrasing | ContentCategory::Embedded;
    if (element.ns != HtmlNamespace::Html)
        return 0;
    if (!rule) // unknown and custom elements: judged once, by name, not again by place
        return ContentCategory::Flow | ContentCategory::Phrasing;
    quint32 categories = rule->categories;
    if (rule->conditionalCategories) {
        bool holds = false;
        if (rule->conditionTypeNotHidden) {
            const HtmlAttribute *type = element.attribute(u"type"_s);
            holds = !type || type->value.trimmed().compare(u"hidden"_s, Qt::CaseInsensitive) != 0;
        } else {
            holds = element.attribute(rule->conditionAttribute) != nullptr;
        }
        if (holds)
            categories |= rule->conditionalCategories;
    }
    // In the body, <link> and <meta> are phrasing content only when the standard lets them
    // stand there; elsewhere their own rule names what is missing.
    if ((element.name == u"link"_s && (element.attribute(u"itemprop"_s) || isBodyOkLink(element)))
        || (element.name == u"meta"_s && (element.attribute(u"itemprop"_s) || element.attribute(u"property"_s))))
        categories |= ContentCategory::Flow | ContentCategory::Phrasing;
    return categories;
}

QString ConformanceCatalog::obsoleteAttributeKey(const ElementRule &rule, const QString &attribute) const
{
    const QString key = rule.obsoleteAttributes.value(attribute);
    return key.isNull() ? m_obsoleteEverywhere.value(attribute) : key;
}

QStringList ConformanceCatalog::inputTypes()
{
    return {QStringLiteral("hidden"), QStringLiteral("text"), QStringLiteral("search"),
            QStringLiteral("tel"), QStringLiteral("url"), QStringLiteral("email"),
            QStringLiteral("password"), QStringLiteral("date"), QStringLiteral("month"),
            QStringLiteral("week"), QStringLiteral("time"), QStringLiteral("datetime-local"),
            QStringLiteral("number"), QStringLiteral("range"), QStringLiteral("color"),
            QStringLiteral("checkbox"), QStringLiteral("radio"), QStringLiteral("file"),
            QStringLiteral("submit"), QStringLiteral("image"), QStringLiteral("reset"),
            QStringLiteral("button")};
}

QStringList ConformanceCatalog::textKeys() const
{
    QStringList keys;
    for (const ElementRule &rule : m_elements) {
        if (!rule.statusKey.isEmpty())
            keys.append(rule.statusKey);
        keys.append(rule.obsoleteAttributes.values());
    }
    keys.append(m_obsoleteEverywhere.values());
    keys.removeDuplicates();
    return keys;
}

bool isCustomElementName(const QString &name)
{
    if (name.isEmpty() || name[0] < u'a' || name[0] > u'z' || !name.contains(u'-'))
        return false;
    for (QChar c : name) {
        if (c.isUpper())
            return false;
    }
    static const QSet<QString> reserved = {
        QStringLiteral("annotation-xml"), QStringLiteral("color-profile"),
        QStringLiteral("font-face"), QStringLiteral("font-face-src"),
        QStringLiteral("font-face-uri"), QStringLiteral("font-face-format"),
        QStringLiteral("font-face-name"), QStringLiteral("missing-glyph"),
    };
    return !reserved.contains(name);
}
