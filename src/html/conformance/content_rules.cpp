#include "html/conformance/content_rules.h"

#include "html/conformance/rule_keys.h"

using namespace Qt::StringLiterals;

namespace {

bool isInterElementWhitespace(QStringView text)
{
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\f' && c != u'\r')
            return false;
    }
    return true;
}

bool isHtml(const HtmlNode &node, QStringView name)
{
    return node.isElement(name, HtmlNamespace::Html);
}

// Whether <main> may stand inside this element.
bool letsMainIn(const HtmlNode &element)
{
    if (element.kind != HtmlNode::Kind::Element)
        return true;
    if (element.ns != HtmlNamespace::Html)
        return false;
    // The validator also lets it stand in <search>.
    return element.name == u"html"_s || element.name == u"body"_s || element.name == u"div"_s
        || element.name == u"form"_s || element.name == u"search"_s || isCustomElementName(element.name);
}

// A select that shows one entry and drops its list down, not a list box.
bool isDropDown(const HtmlNode &select)
{
    const HtmlAttribute *size = select.attribute(u"size"_s);
    return !select.attribute(u"multiple"_s) && (!size || size->value.trimmed().toInt() <= 1);
}

bool isHiddenInput(const HtmlNode &element)
{
    const HtmlAttribute *type = element.attribute(u"type"_s);
    return isHtml(element, u"input"_s) && type
        && type->value.trimmed().compare(u"hidden"_s, Qt::CaseInsensitive) == 0;
}

// "<dt>" or "<h1>, <h2> oder <h3>" for a message that names what is missing.
QString namesOf(const ContentSlot &slot)
{
    QStringList names;
    for (const QString &name : slot.set.names)
        names.append(u'<' + name + u'>');
    if (names.size() == 1)
        return names.front();
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" oder ") + last;
}

// Whether any text that is not blank stands in the subtree.
bool hasText(const HtmlNode &root)
{
    std::vector<const HtmlNode *> stack{&root};
    while (!stack.empty()) {
        const HtmlNode *node = stack.back();
        stack.pop_back();
        if (node->kind == HtmlNode::Kind::Text && !isInterElementWhitespace(node->data))
            return true;
        stack.insert(stack.end(), node->children.cbegin(), node->children.cend());
    }
    return false;
}

SourceSpan endPlaceOf(const HtmlNode &node)
{
    return node.endTag.isValid() ? node.endTag : placeOf(node);
}

} // namespace

SourceSpan placeOf(const HtmlNode &node)
{
    // Bounded, so that many messages about implied elements deep in a tree stay cheap.
    const HtmlNode *current = &node;
    for (int step = 0; current && step < 64; ++step) {
        if (current->startTag.isValid())
            return current->startTag;
        if (current->endTag.isValid())
            return current->endTag;
        const std::size_t children = std::min<std::size_t>(current->children.size(), 8);
        for (std::size_t i = 0; i < children; ++i) {
            if (current->children[i]->startTag.isValid())
                return SourceSpan{current->children[i]->startTag.offset, 0};
        }
        current = current->parent;
    }
    return SourceSpan{0, 0};
}

ContentRules::ContentRules(QStringView page, QList<Finding> &findings)
    : m_page(page), m_findings(findings), m_catalog(ConformanceCatalog::instance())
{
    m_excluders.resize(m_catalog.excluders().size());
}

void ContentRules::begin(const HtmlDocument &document)
{
    m_quirks = document.quirksMode == HtmlDocument::QuirksMode::Quirks;
}

void ContentRules::enter(const HtmlNode &node, const ElementRule *rule)
{
    switch (node.kind) {
    case HtmlNode::Kind::Document:
    case HtmlNode::Kind::DocumentFragment: {
        Frame frame;
        frame.node = &node;
        m_frames.push_back(frame);
        break;
    }
    case HtmlNode::Kind::Text:
        judgeText(node);
        break;
    case HtmlNode::Kind::Element:
        if (!m_frames.empty())
            enterElement(node, rule);
        break;
    default:
        break;
    }
}

void ContentRules::leave(const HtmlNode &node)
{
    if (m_frames.empty() || m_frames.back().node != &node)
        return;
    if (node.kind == HtmlNode::Kind::Element)
        finishElement(m_frames.back());
    m_frames.pop_back();
}

void ContentRules::enterElement(const HtmlNode &element, const ElementRule *rule)
{
    Frame &parent = m_frames.back();
    const bool html = element.ns == HtmlNamespace::Html;
    const quint32 categories = m_catalog.categoriesOf(element, rule);
    const bool placed = judgeChild(parent, element, categories);
    judgeExclusions(element, categories);
    judgeContext(element, categories, parent);
    if (!html)
        return; // SVG and MathML are judged as a whole, not inside
    m_frames.push_back(frameFor(element, rule, parent, placed));
    const Frame &frame = m_frames.back();
    if (frame.rule && frame.rule->hasExclusions()) {
        m_excluders[frame.rule->excluderIndex].push_back(&element);
        ++m_openExcluders;
    }
    if (element.name == u"map"_s)
        ++m_maps;
    else if (element.name == u"a"_s && element.attribute(u"href"_s))
        ++m_links;
    else if (element.name == u"label"_s)
        m_labels.emplace_back(&element, 0);
    else if (element.name == u"option"_s)
        m_options.push_back(m_frames.size() - 1);
}

void ContentRules::finishElement(const Frame &frame)
{
    const HtmlNode &element = *frame.node;
    const QString &name = element.name;
    if (frame.kind == ContentKind::Sequence && !frame.suppressed)
        reportMissingSlots(frame, frame.slot, int(frame.sequence->size()));
    if (!frame.suppressed) {
        switch (frame.special) {
        case Special::Head:
            if (frame.seen == 0)
                report(RuleKey::HeadWithoutTitle, placeOf(element), {});
            break;
        case Special::Dl:
            if (frame.seen == 1 && frame.seenOther == 1)
                report(RuleKey::ElementMissingChild, endPlaceOf(element), {name, QStringLiteral("<dd>")});
            break;
        case Special::DlGroup:
            if (!(frame.seen & 1) && !(frame.seen & 4))
                report(RuleKey::ElementMissingChild, endPlaceOf(element), {name, QStringLiteral("<dt>")});
            if (!(frame.seen & 2))
                report(RuleKey::ElementMissingChild, endPlaceOf(element), {name, QStringLiteral("<dd>")});
            break;
        case Special::Ruby:
            if (frame.seen == 0)
                report(RuleKey::RubyWithoutRt, endPlaceOf(element), {});
            break;
        case Special::Optgroup:
            if (!frame.seenOther && !element.attribute(u"label"_s))
                report(RuleKey::OptgroupWithoutLabel, placeOf(element), {});
            break;
        case Special::Option:
            finishOption(frame);
            break;
        default:
            break;
        }
    }
    if (frame.rule && frame.rule->hasExclusions()) {
        m_excluders[frame.rule->excluderIndex].pop_back();
        --m_openExcluders;
    }
    if (name == u"map"_s)
        --m_maps;
    else if (name == u"a"_s && element.attribute(u"href"_s))
        --m_links;
    else if (name == u"label"_s && !m_labels.empty())
        m_labels.pop_back();
    else if (name == u"option"_s && !m_options.empty())
        m_options.pop_back();
}

void ContentRules::finishOption(const Frame &frame)
{
    const HtmlNode &option = *frame.node;
    const HtmlNode *parent = option.parent;
    if (!option.attribute(u"label"_s) && !frame.hasText && !(parent && isHtml(*parent, u"datalist"_s)))
        report(RuleKey::OptionEmpty, placeOf(option), {});
    // A required drop-down list starts with a placeholder: its first option says "choose".
    if (m_frames.size() < 2 || m_frames[m_frames.size() - 2].special != Special::Select
        || m_frames[m_frames.size() - 2].seen != 1)
        return;
    const HtmlNode &select = *parent;
    if (!select.attribute(u"required"_s) || !isDropDown(select))
        return;
    const HtmlAttribute *value = option.attribute(u"value"_s);
    if (value ? !value->value.isEmpty() : frame.hasText)
        report(RuleKey::SelectFirstOptionNotPlaceholder, placeOf(option), {});
}

void ContentRules::judgeText(const HtmlNode &text)
{
    if (m_frames.empty() || isInterElementWhitespace(text.data))
        return;
    Frame &parent = m_frames.back();
    parent.hasText = true;
    if (!m_options.empty())
        m_frames[m_options.back()].hasText = true;
    if (parent.suppressed)
        return;
    bool allowed = true;
    switch (parent.kind) {
    case ContentKind::Empty:
    case ContentKind::Nothing:
        allowed = false;
        break;
    case ContentKind::Set:
        allowed = parent.set.allowsText();
        break;
    case ContentKind::Sequence:
        m_text = &text;
        judgeSequence(parent, nullptr, 0);
        m_text = nullptr;
        return;
    case ContentKind::Special:
        allowed = parent.special == Special::Ruby || parent.special == Special::Option;
        break;
    default:
        break;
    }
    if (!allowed)
        report(RuleKey::TextNotAllowedIn, textSpan(text), {parent.node->name});
}

bool ContentRules::judgeChild(Frame &parent, const HtmlNode &child, quint32 categories)
{
    const bool first = !parent.hasElementChild && !parent.hasText;
    parent.hasElementChild = true;
    if (parent.suppressed)
        return true;
    // The validator keeps the old rule that a <style> may open any block of the body.
    if (first && isHtml(child, u"style"_s) && takesFlow(parent))
        return true;
    switch (parent.kind) {
    case ContentKind::Any:
    case ContentKind::Transparent:
        return true;
    case ContentKind::Sequence:
        return judgeSequence(parent, &child, categories);
    case ContentKind::Special:
        return judgeSpecial(parent, child, categories);
    case ContentKind::Set:
        if (judgeSet(parent, child, categories))
            return true;
        break;
    default:
        break;
    }
    const QString &name = child.name;
    const bool inFlow = parent.kind == ContentKind::Set && parent.set.allowsText();
    if (inFlow && child.ns == HtmlNamespace::Html) {
        if (name == u"table"_s && m_quirks && isHtml(*parent.node, u"p"_s)) {
            report(RuleKey::TableInPQuirks, placeOf(child), {}, CheckLevel::Warning);
            return true;
        }
        const char *key = name == u"link"_s ? RuleKey::LinkInBody
                        : name == u"meta"_s ? RuleKey::MetaInBody
                        : name == u"style"_s ? RuleKey::StyleInBody
                                           : nullptr;
        if (key) {
            report(key, placeOf(child), {});
            return false;
        }
    }
    report(RuleKey::ElementNotAllowedIn, placeOf(child), {name, parent.node->name});
    return false;
}

bool ContentRules::judgeSet(const Frame &parent, const HtmlNode &child, quint32 categories)
{
    return (categories & parent.set.categories) || parent.set.names.contains(child.name);
}

bool ContentRules::slotTakes(const Frame &frame, const ContentSlot &slot, const HtmlNode *child,
                             quint32 categories) const
{
    if (!child)
        return slot.set.allowsText() || (slot.set.transparent && frame.set.allowsText());
    if ((categories & slot.set.categories) || slot.set.names.contains(child->name))
        return true;
    return slot.set.transparent
        && ((categories & frame.set.categories) || frame.set.names.contains(child->name));
}

bool ContentRules::judgeSequence(Frame &parent, const HtmlNode *child, quint32 categories)
{
    if (child && (categories & ContentCategory::ScriptSupporting))
        return true;
    const QList<ContentSlot> &sequence = *parent.sequence;
    for (int i = parent.slot; i < sequence.size(); ++i) {
        const int count = i == parent.slot ? parent.slotCount : 0;
        if (count >= sequence[i].maximum || !slotTakes(parent, sequence[i], child, categories))
            continue;
        if (i > parent.slot) {
            // What was skipped is missing, said where the child stands instead.
            const SourceSpan place = child ? placeOf(*child) : SourceSpan{};
            for (int j = parent.slot; j < i; ++j) {
                const int had = j == parent.slot ? parent.slotCount : 0;
                if (had < sequence[j].minimum)
                    report(RuleKey::ElementMissingChild, place.isValid() ? place : placeOf(*parent.node),
                           {parent.node->name, namesOf(sequence[j])});
            }
        }
        parent.slot = i;
        parent.slotCount = count + 1;
        // A figure has one caption, first or last.
        if (child && isHtml(*child, u"figcaption"_s) && ++parent.seen > 1)
            break;
        return true;
    }
    if (child)
        report(RuleKey::ElementNotAllowedIn, placeOf(*child), {child->name, parent.node->name});
    else if (m_text)
        report(RuleKey::TextNotAllowedIn, textSpan(*m_text), {parent.node->name});
    return false;
}

bool ContentRules::takesFlow(const Frame &frame) const
{
    if (frame.kind == ContentKind::Set)
        return frame.set.categories & ContentCategory::Flow;
    if (frame.kind != ContentKind::Sequence)
        return false;
    for (const ContentSlot &slot : *frame.sequence) {
        if ((slot.set.categories & ContentCategory::Flow)
            || (slot.set.transparent && (frame.set.categories & ContentCategory::Flow)))
            return true;
    }
    return false;
}

void ContentRules::reportMissingSlots(const Frame &frame, int from, int to)
{
    const QList<ContentSlot> &sequence = *frame.sequence;
    for (int i = from; i < to; ++i) {
        const int had = i == frame.slot ? frame.slotCount : 0;
        if (had < sequence[i].minimum)
            report(RuleKey::ElementMissingChild, endPlaceOf(*frame.node), {frame.node->name, namesOf(sequence[i])});
    }
}

bool ContentRules::judgeSpecial(Frame &parent, const HtmlNode &child, quint32 categories)
{
    const QString &name = child.name;
    const bool html = child.ns == HtmlNamespace::Html;
    const bool scriptSupporting = categories & ContentCategory::ScriptSupporting;
    bool allowed = false;
    switch (parent.special) {
    case Special::Head:
        allowed = categories & ContentCategory::Metadata;
        if (allowed && html && name == u"title"_s && ++parent.seen > 1) {
            report(RuleKey::HeadSecondTitle, placeOf(child), {});
            return false;
        }
        if (allowed && html && name == u"base"_s && ++parent.seenOther > 1) {
            report(RuleKey::HeadSecondBase, placeOf(child), {});
            return false;
        }
        break;
    case Special::NoscriptInHead:
        allowed = html && (name == u"link"_s || name == u"style"_s || name == u"meta"_s);
        break;
    case Special::Dl:
        // Either groups of <dt> and <dd>, or groups each wrapped in a <div>.
        if (scriptSupporting)
            return true;
        if (html && (name == u"dt"_s || name == u"dd"_s) && parent.seen != 2) {
            if (name == u"dd"_s && parent.seenOther == 0)
                report(RuleKey::DlDdFirst, placeOf(child), {});
            parent.seen = 1;
            parent.seenOther = name == u"dt"_s ? 1 : 2;
            return true;
        }
        if (html && name == u"div"_s && parent.seen != 1) {
            parent.seen = 2;
            return true;
        }
        break;
    case Special::DlGroup:
        if (scriptSupporting)
            return true;
        if (html && name == u"dt"_s && !(parent.seen & 2)) {
            parent.seen |= 1;
            return true;
        }
        if (html && name == u"dd"_s) {
            if (!(parent.seen & 1) && !(parent.seen & 4)) {
                report(RuleKey::ElementMissingChild, placeOf(child), {parent.node->name, QStringLiteral("<dt>")});
                parent.seen |= 4;
            }
            parent.seen |= 2;
            return true;
        }
        break;
    case Special::Ruby:
        if (html && (name == u"rt"_s || name == u"rp"_s || name == u"rtc"_s)) {
            ++parent.seen;
            return true;
        }
        allowed = (categories & ContentCategory::Phrasing) || (html && name == u"rb"_s);
        break;
    case Special::Select:
    case Special::SelectGroup:
        if (scriptSupporting)
            return true;
        if (html && name == u"button"_s && parent.special == Special::Select && parent.seenOther == 0
            && isDropDown(*parent.node)) {
            parent.seenOther = 1;
            return true;
        }
        parent.seenOther = 1;
        if (html && name == u"option"_s)
            ++parent.seen;
        allowed = html
            && (name == u"option"_s || name == u"optgroup"_s || name == u"hr"_s || name == u"div"_s
                || name == u"noscript"_s);
        break;
    case Special::Optgroup:
        if (scriptSupporting)
            return true;
        if (html && name == u"legend"_s && !parent.hasText && parent.seenOther == 0 && parent.seen == 0) {
            parent.seenOther = 1;
            return true;
        }
        ++parent.seen;
        allowed = html && (name == u"option"_s || name == u"hr"_s || name == u"div"_s || name == u"noscript"_s);
        break;
    case Special::Option:
        allowed = (categories & ContentCategory::Phrasing) || (html && name == u"div"_s);
        // The walk does not go into SVG and MathML, so their text is looked for here.
        if (!html && hasText(child))
            parent.hasText = true;
        break;
    default:
        allowed = true;
        break;
    }
    if (!allowed)
        report(RuleKey::ElementNotAllowedIn, placeOf(child), {name, parent.node->name});
    return allowed;
}

void ContentRules::judgeExclusions(const HtmlNode &element, quint32 categories)
{
    if (m_openExcluders == 0)
        return;
    const QList<const ElementRule *> &rules = m_catalog.excluders();
    for (std::size_t i = 0; i < m_excluders.size(); ++i) {
        if (m_excluders[i].empty())
            continue;
        const ElementRule &rule = *rules[int(i)];
        const HtmlNode &ancestor = *m_excluders[i].back();
        if ((categories & rule.excluded.categories)
            || (element.ns == HtmlNamespace::Html && rule.excluded.names.contains(element.name))) {
            report(RuleKey::ElementNotAllowedInside, placeOf(element), {element.name, ancestor.name});
            continue;
        }
        for (const QString &attribute : rule.excludedAttributes) {
            if (element.attribute(attribute)) {
                report(RuleKey::AttributeNotAllowedInside, placeOf(element),
                       {attribute, element.name, ancestor.name});
                break;
            }
        }
    }
}

void ContentRules::judgeContext(const HtmlNode &element, quint32 categories, const Frame &parent)
{
    if (element.ns != HtmlNamespace::Html)
        return;
    const QString &name = element.name;
    if (name == u"area"_s && m_maps == 0)
        report(RuleKey::AreaWithoutMap, placeOf(element), {});
    else if (name == u"img"_s && element.attribute(u"ismap"_s) && m_links == 0)
        report(RuleKey::IsmapWithoutLink, placeOf(element), {});
    else if (name == u"main"_s) {
        if (parent.mainBlocker)
            report(RuleKey::MainInside, placeOf(element), {parent.mainBlocker->name});
        if (!element.attribute(u"hidden"_s) && ++m_visibleMains > 1)
            report(RuleKey::MainSecond, placeOf(element), {});
    }
    if ((categories & ContentCategory::Labelable) && !isHiddenInput(element) && !m_labels.empty()) {
        if (++m_labels.back().second == 2)
            report(RuleKey::LabelSecondControl, placeOf(element), {name});
        // A label that names its field by for may hold no other.
        const HtmlAttribute *forId = m_labels.back().first->attribute(u"for"_s);
        const HtmlAttribute *id = element.attribute(u"id"_s);
        if (forId && (!id || id->value != forId->value))
            report(RuleKey::LabelForOtherControl, placeOf(element), {name, forId->value});
    }
}

ContentRules::Frame ContentRules::frameFor(const HtmlNode &element, const ElementRule *rule, const Frame &parent,
                                           bool placed) const
{
    Frame frame;
    frame.node = &element;
    frame.rule = rule;
    frame.suppressed = parent.suppressed || !placed;
    frame.mainBlocker = parent.mainBlocker ? parent.mainBlocker
                                           : (letsMainIn(element) ? nullptr : &element);
    if (!frame.rule)
        return frame; // unknown and custom elements: their content is not judged
    const QString &name = element.name;
    // What a transparent model inherits; nothing when the parent's model is not judged.
    auto inherit = [&]() {
        const std::optional<ContentSet> set = childrenOf(parent);
        frame.kind = set ? ContentKind::Set : ContentKind::Any;
        if (set)
            frame.set = *set;
    };
    switch (frame.rule->content) {
    case ContentKind::Transparent:
        inherit();
        break;
    case ContentKind::Set:
        if (name == u"div"_s && parent.special == Special::Dl) {
            frame.kind = ContentKind::Special;
            frame.special = Special::DlGroup;
        } else if (name == u"div"_s
                   && (parent.special == Special::Select || parent.special == Special::SelectGroup
                       || parent.special == Special::Optgroup)) {
            frame.kind = ContentKind::Special;
            frame.special = Special::SelectGroup;
        } else {
            frame.kind = ContentKind::Set;
            frame.set = frame.rule->contentSet;
        }
        break;
    case ContentKind::Sequence: {
        const std::optional<ContentSet> set = childrenOf(parent);
        frame.kind = ContentKind::Sequence;
        frame.sequence = &frame.rule->sequence;
        frame.set = set.value_or(ContentSet{~0u, {}, false});
        // A media element with its own src takes no <source>.
        if (element.attribute(u"src"_s) && frame.sequence->value(0).set.names.contains(u"source"_s))
            frame.slot = 1;
        break;
    }
    case ContentKind::Special:
        frame.kind = ContentKind::Special;
        if (name == u"head"_s)
            frame.special = Special::Head;
        else if (name == u"dl"_s)
            frame.special = Special::Dl;
        else if (name == u"ruby"_s)
            frame.special = Special::Ruby;
        else if (name == u"select"_s)
            frame.special = Special::Select;
        else if (name == u"optgroup"_s)
            frame.special = Special::Optgroup;
        else if (name == u"option"_s)
            frame.special = Special::Option;
        else if (name == u"noscript"_s && isHtml(*parent.node, u"head"_s))
            frame.special = Special::NoscriptInHead;
        else if (name == u"noscript"_s)
            inherit();
        else if (name == u"time"_s && !element.attribute(u"datetime"_s))
            frame.kind = ContentKind::Text;
        else if (name == u"time"_s) {
            frame.kind = ContentKind::Set;
            frame.set.categories = ContentCategory::Phrasing;
        } else
            frame.kind = ContentKind::Any;
        break;
    default:
        frame.kind = frame.rule->content;
        break;
    }
    return frame;
}

std::optional<ContentSet> ContentRules::childrenOf(const Frame &frame) const
{
    switch (frame.kind) {
    case ContentKind::Set:
        return frame.set;
    case ContentKind::Sequence: {
        ContentSet set;
        for (const ContentSlot &slot : *frame.sequence) {
            set.categories |= slot.set.categories;
            set.names.append(slot.set.names);
            if (slot.set.transparent) {
                set.categories |= frame.set.categories;
                set.names.append(frame.set.names);
            }
        }
        return set;
    }
    case ContentKind::Special:
        switch (frame.special) {
        case Special::Head:
        case Special::NoscriptInHead:
            return ContentSet{ContentCategory::Metadata, {}, false};
        case Special::Ruby:
        case Special::Option:
            return ContentSet{ContentCategory::Phrasing, {}, false};
        default:
            return std::nullopt;
        }
    default:
        return std::nullopt;
    }
}

void ContentRules::report(const char *key, SourceSpan span, const QStringList &arguments, CheckLevel level)
{
    m_findings.append(Finding{QString::fromLatin1(key), level, span, arguments});
}

SourceSpan ContentRules::textSpan(const HtmlNode &text) const
{
    SourceSpan span = text.startTag;
    if (!span.isValid() || span.end() > m_page.size())
        return placeOf(text);
    qsizetype start = span.offset;
    while (start < span.end() && isInterElementWhitespace(m_page.mid(start, 1)))
        ++start;
    qsizetype end = start;
    while (end < span.end() && m_page[end] != u'\n' && m_page[end] != u'\r')
        ++end;
    return SourceSpan{start, end - start};
}
