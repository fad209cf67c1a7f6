#include "html/parser/tree_builder.h"

#include "html/parser/foreign_names.h"
#include "html/parser/tree_construction_errors.h"
#include "html/parser/tree_text.h"

#include <algorithm>

namespace {

constexpr QStringView svgNamespace = u"http://www.w3.org/2000/svg";
constexpr QStringView mathMlNamespace = u"http://www.w3.org/1998/Math/MathML";
constexpr QStringView xlinkNamespace = u"http://www.w3.org/1999/xlink";

bool isHtmlIntegrationPoint(HtmlNamespace ns, int tag, const QList<HtmlAttribute> &attributes)
{
    if (ns == HtmlNamespace::Svg)
        return tag == Tag::SvgForeignObject || tag == Tag::SvgDesc || tag == Tag::SvgTitle;
    if (ns != HtmlNamespace::MathMl || tag != Tag::MathAnnotationXml)
        return false;
    for (const HtmlAttribute &attribute : attributes) {
        if (attribute.name == u"encoding" && attribute.ns == AttributeNamespace::None)
            return equalsIgnoringAsciiCase(attribute.value, u"text/html")
                || equalsIgnoringAsciiCase(attribute.value, u"application/xhtml+xml");
    }
    return false;
}

} // namespace

HtmlTreeBuilder::HtmlTreeBuilder(HtmlDocument &document, QStringView source)
    : m_document(document), m_source(source), m_tokenizer(source, &document.errors)
{
}

HtmlTreeBuilder::~HtmlTreeBuilder() = default;

void HtmlTreeBuilder::parseDocument()
{
    run();
    finish();
}

void HtmlTreeBuilder::parseFragment(const QString &contextName, HtmlNamespace contextNamespace)
{
    const QString name =
        contextNamespace == HtmlNamespace::Svg ? adjustedSvgTagName(contextName) : contextName;
    const int tag = m_tags.id(contextNamespace, name);
    if (contextNamespace == HtmlNamespace::Html) {
        switch (tag) {
        case Tag::Title:
        case Tag::Textarea:
            m_tokenizer.switchTo(HtmlTokenizer::State::Rcdata);
            break;
        case Tag::Style:
        case Tag::Xmp:
        case Tag::Iframe:
        case Tag::Noembed:
        case Tag::Noframes:
            m_tokenizer.switchTo(HtmlTokenizer::State::Rawtext);
            break;
        case Tag::Script:
            m_tokenizer.switchTo(HtmlTokenizer::State::ScriptData);
            break;
        case Tag::Plaintext:
            m_tokenizer.switchTo(HtmlTokenizer::State::Plaintext);
            break;
        default: // <noscript> holds markup, as scripting is off
            break;
        }
    }
    ParserElement *html = newElement(HtmlNamespace::Html, QStringLiteral("html"), Tag::Html, {}, {});
    appendChild(m_document.root(), html->node);
    m_open.push(html);
    if (contextNamespace == HtmlNamespace::Html && tag == Tag::Template)
        m_templateModes.push_back(Mode::InTemplate);
    m_context = newElement(contextNamespace, name, tag, {}, {});
    m_context->htmlIntegrationPoint = isHtmlIntegrationPoint(contextNamespace, tag, {});
    resetInsertionMode();
    run();

    // The fragment is what the html element holds.
    HtmlNode *root = m_document.root();
    detach(html->node);
    root->kind = HtmlNode::Kind::DocumentFragment;
    root->children = std::move(html->node->children);
    html->node->children.clear();
    for (HtmlNode *child : root->children)
        child->parent = root;
    finish();
}

void HtmlTreeBuilder::run()
{
    while (!m_stopped) {
        const ParserElement *adjusted = adjustedCurrentNode();
        m_tokenizer.setInForeignContent(adjusted && adjusted->node->ns != HtmlNamespace::Html);
        HtmlToken token = m_tokenizer.next();
        if (!token.span.isValid() && token.type == HtmlToken::Type::EndOfFile)
            token.span = {m_source.size(), 0};
        m_token = &token;
        m_textFrom = 0;
        m_acknowledged = false;
        if (token.type == HtmlToken::Type::StartTag || token.type == HtmlToken::Type::EndTag)
            m_tokenTag = m_tags.id(HtmlNamespace::Html, token.name);
        if (m_skipNewline) {
            m_skipNewline = false;
            if (token.type == HtmlToken::Type::Characters && token.data.startsWith(u'\n'))
                m_textFrom = 1;
        }
        if (token.type == HtmlToken::Type::Characters) {
            while (m_textFrom < token.data.size() && !m_stopped)
                dispatch(token);
        } else {
            dispatch(token);
        }
        if (token.type == HtmlToken::Type::StartTag && token.selfClosing && !m_acknowledged)
            parseError(TreeError::SelfClosingNonVoid, token.name);
        m_token = nullptr;
        if (token.type == HtmlToken::Type::EndOfFile)
            break;
    }
    if (!m_stopped)
        stopParsing();
}

// The tree construction dispatcher: HTML content goes by the insertion mode, the rest of SVG
// and MathML by the rules for foreign content.
void HtmlTreeBuilder::dispatch(HtmlToken &token)
{
    if (inHtmlContent(token))
        process(m_mode, token);
    else
        inForeignContent(token);
}

bool HtmlTreeBuilder::inHtmlContent(const HtmlToken &token) const
{
    const ParserElement *node = adjustedCurrentNode();
    if (!node || node->node->ns == HtmlNamespace::Html || token.type == HtmlToken::Type::EndOfFile)
        return true;
    const bool startTag = token.type == HtmlToken::Type::StartTag;
    const bool characters = token.type == HtmlToken::Type::Characters;
    if (tagHas(node->tag, TagFlag::TextIntegrationPoint)) {
        if (characters || (startTag && token.name != u"mglyph" && token.name != u"malignmark"))
            return true;
    }
    if (node->tag == Tag::MathAnnotationXml && startTag && token.name == u"svg")
        return true;
    return node->htmlIntegrationPoint && (startTag || characters);
}

void HtmlTreeBuilder::process(Mode mode, HtmlToken &token)
{
    switch (mode) {
    case Mode::Initial: return initial(token);
    case Mode::BeforeHtml: return beforeHtml(token);
    case Mode::BeforeHead: return beforeHead(token);
    case Mode::InHead: return inHead(token);
    case Mode::InHeadNoscript: return inHeadNoscript(token);
    case Mode::AfterHead: return afterHead(token);
    case Mode::InBody: return inBody(token);
    case Mode::Text: return text(token);
    case Mode::InTable: return inTable(token);
    case Mode::InTableText: return inTableText(token);
    case Mode::InCaption: return inCaption(token);
    case Mode::InColumnGroup: return inColumnGroup(token);
    case Mode::InTableBody: return inTableBody(token);
    case Mode::InRow: return inRow(token);
    case Mode::InCell: return inCell(token);
    case Mode::InTemplate: return inTemplate(token);
    case Mode::AfterBody: return afterBody(token);
    case Mode::InFrameset: return inFrameset(token);
    case Mode::AfterFrameset: return afterFrameset(token);
    case Mode::AfterAfterBody: return afterAfterBody(token);
    case Mode::AfterAfterFrameset: return afterAfterFrameset(token);
    }
}

// Characters are taken a piece at a time: what a mode leaves of the run is dispatched again
// by the loop in run(), so only other tokens are handed on here.
void HtmlTreeBuilder::reprocess(HtmlToken &token)
{
    if (token.type != HtmlToken::Type::Characters)
        dispatch(token);
}

void HtmlTreeBuilder::stopParsing()
{
    while (!m_open.isEmpty())
        popCurrent();
    m_stopped = true;
}

void HtmlTreeBuilder::finish()
{
    QList<HtmlParseError> &errors = m_document.errors;
    std::stable_sort(errors.begin(), errors.end(), [](const HtmlParseError &a, const HtmlParseError &b) {
        return a.span.offset < b.span.offset;
    });
}

QStringView HtmlTreeBuilder::restOfText() const
{
    return QStringView(m_token->data).sliced(m_textFrom);
}

qsizetype HtmlTreeBuilder::leadingWhitespace() const
{
    return whitespacePrefix(restOfText());
}

SourceSpan HtmlTreeBuilder::textSpan(qsizetype from, qsizetype to)
{
    const qsizetype start = m_token->sourceOffset(from);
    return {start, m_token->sourceOffset(to) - start};
}

void HtmlTreeBuilder::insertTextFromToken(qsizetype count)
{
    const SourceSpan span = textSpan(m_textFrom, m_textFrom + count);
    if (count == m_token->data.size()) // the whole run: the node shares the token's text
        insertText(m_token->data, span, &m_token->data);
    else
        insertText(restOfText().first(count), span);
    m_textFrom += count;
}

void HtmlTreeBuilder::skipText(qsizetype count)
{
    m_textFrom += count;
}

void HtmlTreeBuilder::skipTextWithError(qsizetype count, const char *code)
{
    parseErrorAt(code, textSpan(m_textFrom, m_textFrom + count));
    m_textFrom += count;
}

void HtmlTreeBuilder::parseError(const char *code, const QString &name)
{
    SourceSpan span = m_token ? m_token->span : SourceSpan{m_source.size(), 0};
    if (m_token && m_token->type == HtmlToken::Type::Characters)
        span = textSpan(m_textFrom, std::min(m_textFrom + 1, m_token->data.size()));
    parseErrorAt(code, span, name);
}

// The same error for the same tag once: the adoption agency may meet it on each of its rounds.
void HtmlTreeBuilder::parseErrorAt(const char *code, SourceSpan span, const QString &name)
{
    QList<HtmlParseError> &errors = m_document.errors;
    if (!errors.isEmpty() && errors.constLast().code == code && errors.constLast().span == span
        && errors.constLast().name == name)
        return;
    errors.append(HtmlParseError{code, span, name});
}

// Names each element still open that may not be so, at its start tag (or, where the parser made
// it up, at the token that found it open), once. Elements below one already named were named
// with it.
void HtmlTreeBuilder::reportOpenElements(int from, SourceSpan fallback)
{
    for (int i = m_open.size() - 1; i >= from; --i) {
        ParserElement *element = m_open.at(i);
        if (element->reportedOpen)
            break;
        element->reportedOpen = true;
        if (element->node->ns == HtmlNamespace::Html && tagHas(element->tag, TagFlag::MayStayOpen))
            continue;
        const SourceSpan span = element->node->startTag.isValid() ? element->node->startTag : fallback;
        parseErrorAt(TreeError::ElementNotClosed, span, element->node->name);
    }
}

ParserElement *HtmlTreeBuilder::newElement(HtmlNamespace ns, const QString &name, int tag,
                                           const QList<HtmlAttribute> &attributes,
                                           SourceSpan startTag)
{
    HtmlNode *node = m_document.createNode(HtmlNode::Kind::Element);
    node->ns = ns;
    node->name = name;
    node->attributes = attributes;
    node->startTag = startTag;
    if (ns == HtmlNamespace::Html && tag == Tag::Template)
        node->templateContents = m_document.createNode(HtmlNode::Kind::DocumentFragment);
    ParserElement &element = m_elements.emplace_back();
    element.node = node;
    element.tag = tag;
    return &element;
}

ParserElement *HtmlTreeBuilder::elementFor(const HtmlToken &token)
{
    return newElement(HtmlNamespace::Html, token.name, m_tokenTag, token.attributes, token.span);
}

// The appropriate place for inserting a node, with foster parenting: content that may not stand
// in a table goes before the table.
HtmlTreeBuilder::Place HtmlTreeBuilder::appropriatePlace(ParserElement *overrideTarget) const
{
    const ParserElement *target = overrideTarget ? overrideTarget : currentElement();
    Place place{target->node, nullptr};
    if (m_fosterParenting && target->node->ns == HtmlNamespace::Html
        && tagHas(target->tag, TagFlag::FosterTarget)) {
        const int lastTemplate = m_open.topIndexOf(Tag::Template);
        const int lastTable = m_open.topIndexOf(Tag::Table);
        if (lastTemplate >= 0 && (lastTable < 0 || lastTemplate > lastTable)) {
            place.parent = m_open.at(lastTemplate)->node;
        } else if (lastTable < 0) {
            place.parent = m_open.at(0)->node;
        } else if (HtmlNode *table = m_open.at(lastTable)->node; table->parent) {
            place = Place{table->parent, table};
        } else {
            place.parent = m_open.at(lastTable - 1)->node;
        }
    }
    if (place.parent->templateContents)
        place = Place{place.parent->templateContents, nullptr};
    return place;
}

void HtmlTreeBuilder::insertAt(Place place, HtmlNode *node)
{
    node->parent = place.parent;
    std::vector<HtmlNode *> &children = place.parent->children;
    if (children.empty())
        children.reserve(4); // spares the growth by one and two that most elements would take
    if (!place.before) {
        children.push_back(node);
        return;
    }
    const auto found = std::find(children.rbegin(), children.rend(), place.before);
    children.insert(found.base() - 1, node);
}

void HtmlTreeBuilder::appendChild(HtmlNode *parent, HtmlNode *child)
{
    detach(child);
    child->parent = parent;
    parent->children.push_back(child);
}

void HtmlTreeBuilder::detach(HtmlNode *node)
{
    if (!node->parent)
        return;
    std::vector<HtmlNode *> &siblings = node->parent->children;
    const auto found = std::find(siblings.rbegin(), siblings.rend(), node);
    if (found != siblings.rend())
        siblings.erase(found.base() - 1);
    node->parent = nullptr;
}

ParserElement *HtmlTreeBuilder::insertElement(ParserElement *element)
{
    insertAt(appropriatePlace(), element->node);
    m_open.push(element);
    return element;
}

ParserElement *HtmlTreeBuilder::insertHtmlElement(const HtmlToken &token)
{
    ParserElement *element = insertElement(elementFor(token));
    if (m_tokenTag == Tag::Option)
        noteOptionInserted(element);
    else if (m_tokenTag == Tag::Selectedcontent)
        noteSelectedContentInserted(element);
    return element;
}

ParserElement *HtmlTreeBuilder::insertImpliedElement(int tag, const QString &name)
{
    return insertElement(newElement(HtmlNamespace::Html, name, tag, {}, {}));
}

ParserElement *HtmlTreeBuilder::insertForeignElement(HtmlToken &token, HtmlNamespace ns)
{
    const int tag = m_tags.id(ns, token.name);
    ParserElement *element = newElement(ns, token.name, tag, token.attributes, token.span);
    element->htmlIntegrationPoint = isHtmlIntegrationPoint(ns, tag, token.attributes);
    const QStringView nsName = ns == HtmlNamespace::Svg ? svgNamespace : mathMlNamespace;
    for (const HtmlAttribute &attribute : std::as_const(token.attributes)) {
        if (attribute.ns != AttributeNamespace::Xmlns)
            continue;
        if ((attribute.name == u"xmlns" && attribute.value != nsName)
            || (attribute.name == u"xlink" && attribute.value != xlinkNamespace))
            parseErrorAt(TreeError::WrongXmlnsAttribute, attribute.nameSpan,
                         attribute.prefix().isEmpty() ? attribute.name
                                                      : attribute.prefix() + u':' + attribute.name);
    }
    return insertElement(element);
}

void HtmlTreeBuilder::insertText(QStringView text, SourceSpan span, const QString *whole)
{
    const Place place = appropriatePlace();
    if (place.parent->kind == HtmlNode::Kind::Document)
        return;
    const std::vector<HtmlNode *> &children = place.parent->children;
    HtmlNode *previous = nullptr;
    if (!place.before) {
        previous = children.empty() ? nullptr : children.back();
    } else {
        const auto found = std::find(children.rbegin(), children.rend(), place.before);
        if (found != children.rend() && found + 1 != children.rend())
            previous = *(found + 1);
    }
    if (previous && previous->kind == HtmlNode::Kind::Text) {
        previous->data += text;
        SourceSpan &known = previous->startTag;
        if (!known.isValid()) {
            known = span;
        } else if (span.isValid()) {
            const qsizetype start = std::min(known.offset, span.offset);
            known = {start, std::max(known.end(), span.end()) - start};
        }
        return;
    }
    HtmlNode *node = m_document.createNode(HtmlNode::Kind::Text);
    node->data = whole ? *whole : text.toString();
    node->startTag = span;
    insertAt(place, node);
}

void HtmlTreeBuilder::insertComment(const HtmlToken &token)
{
    HtmlNode *node = m_document.createNode(HtmlNode::Kind::Comment);
    node->data = token.data;
    node->startTag = token.span;
    insertAt(appropriatePlace(), node);
}

void HtmlTreeBuilder::appendComment(const HtmlToken &token, HtmlNode *parent)
{
    HtmlNode *node = m_document.createNode(HtmlNode::Kind::Comment);
    node->data = token.data;
    node->startTag = token.span;
    insertAt(Place{parent, nullptr}, node);
}

void HtmlTreeBuilder::addMissingAttributes(HtmlNode *node, const QList<HtmlAttribute> &attributes)
{
    for (const HtmlAttribute &attribute : attributes) {
        if (!node->attribute(attribute.name))
            node->attributes.append(attribute);
    }
}

bool HtmlTreeBuilder::currentHas(unsigned flag) const
{
    return !m_open.isEmpty() && tagHas(currentElement()->tag, flag);
}

ParserElement *HtmlTreeBuilder::adjustedCurrentNode() const
{
    if (m_open.isEmpty())
        return nullptr;
    if (m_context && m_open.size() == 1)
        return m_context;
    return currentElement();
}

void HtmlTreeBuilder::popCurrent()
{
    ParserElement *element = currentElement();
    if (element->tag == Tag::Option && !m_selects.isEmpty())
        optionPopped(element);
    m_open.pop();
}

void HtmlTreeBuilder::popUntil(int tag, SourceSpan endTag)
{
    while (!m_open.isEmpty()) {
        ParserElement *element = currentElement();
        const bool found = element->tag == tag;
        if (found && endTag.isValid())
            element->node->endTag = endTag;
        popCurrent();
        if (found)
            return;
    }
}

void HtmlTreeBuilder::popUntilElement(const ParserElement *element, SourceSpan endTag)
{
    if (endTag.isValid())
        element->node->endTag = endTag;
    while (element->stackIndex >= 0)
        popCurrent();
}

void HtmlTreeBuilder::popUntilHeading(SourceSpan endTag)
{
    while (!m_open.isEmpty()) {
        ParserElement *element = currentElement();
        const bool found = tagHas(element->tag, TagFlag::Heading);
        if (found)
            element->node->endTag = endTag;
        popCurrent();
        if (found)
            return;
    }
}

void HtmlTreeBuilder::popWhileNot(std::initializer_list<int> tags)
{
    while (std::find(tags.begin(), tags.end(), currentElement()->tag) == tags.end())
        popCurrent();
}

void HtmlTreeBuilder::generateImpliedEndTags(int except)
{
    while (currentHas(TagFlag::ImpliedEnd) && currentElement()->tag != except)
        popCurrent();
}

void HtmlTreeBuilder::generateImpliedEndTagsThoroughly()
{
    while (currentHas(TagFlag::ThoroughImpliedEnd))
        popCurrent();
}

void HtmlTreeBuilder::expectCurrent(int tag)
{
    if (!currentIs(tag))
        parseError(TreeError::ElementClosedImplicitly, currentElement()->node->name);
}

// Reopens the formatting elements that were closed while still active, so that
// "<b>1<p>2" puts the 2 in bold too.
void HtmlTreeBuilder::reconstructFormatting()
{
    if (m_formatting.isEmpty())
        return;
    const auto isOpen = [this](int index) {
        const ActiveFormattingElements::Entry &entry = m_formatting.at(index);
        return entry.isMarker() || entry.element->stackIndex >= 0;
    };
    int index = m_formatting.size() - 1;
    if (isOpen(index))
        return;
    while (index > 0 && !isOpen(index - 1))
        --index;
    for (; index < m_formatting.size(); ++index) {
        const ActiveFormattingElements::Entry &entry = m_formatting.at(index);
        ParserElement *element =
            newElement(HtmlNamespace::Html, entry.name, entry.element->tag, entry.attributes, {});
        insertElement(element);
        m_formatting.replaceElement(index, element);
    }
}

// The adoption agency algorithm: closes a formatting element that other elements were opened
// in, splitting what it holds so that "<b>1<p>2</b>3" becomes <b>1</b><p><b>2</b>3</p>.
// Returns false where the end tag is to be handled as any other end tag.
bool HtmlTreeBuilder::adoptionAgency(const HtmlToken &token, int subject)
{
    const SourceSpan endTag =
        token.type == HtmlToken::Type::EndTag ? token.span : SourceSpan{};
    ParserElement *current = currentElement();
    if (current->tag == subject && !current->inFormattingList) {
        current->node->endTag = endTag;
        popCurrent();
        return true;
    }
    for (int outer = 0; outer < 8; ++outer) {
        const int formattingIndex = m_formatting.lastIndexAfterMarker(subject);
        if (formattingIndex < 0)
            return false;
        ParserElement *formatting = m_formatting.at(formattingIndex).element;
        if (formatting->stackIndex < 0) {
            parseError(TreeError::FormattingElementClosed, token.name);
            m_formatting.removeAt(formattingIndex);
            return true;
        }
        if (!m_open.inScope(formatting, OpenElements::DefaultScope)) {
            parseError(TreeError::FormattingElementNotInScope, token.name);
            return true;
        }
        if (formatting != currentElement())
            parseError(TreeError::MisnestedTag, token.name);

        int furthestIndex = -1;
        for (int i = formatting->stackIndex + 1; i < m_open.size(); ++i) {
            if (tagHas(m_open.at(i)->tag, TagFlag::Special)) {
                furthestIndex = i;
                break;
            }
        }
        if (furthestIndex < 0) {
            popUntilElement(formatting, endTag);
            m_formatting.removeAt(formattingIndex);
            return true;
        }
        ParserElement *furthestBlock = m_open.at(furthestIndex);
        ParserElement *commonAncestor = m_open.at(formatting->stackIndex - 1);
        int bookmark = formattingIndex;
        ParserElement *lastNode = furthestBlock;
        int nodeIndex = furthestIndex;
        for (int inner = 1;; ++inner) {
            --nodeIndex;
            ParserElement *node = m_open.at(nodeIndex);
            if (node == formatting)
                break;
            int listIndex = m_formatting.indexOf(node);
            if (inner > 3 && listIndex >= 0) {
                m_formatting.removeAt(listIndex);
                if (listIndex < bookmark)
                    --bookmark;
                listIndex = -1;
            }
            if (listIndex < 0) {
                m_open.removeAt(nodeIndex);
                continue;
            }
            const ActiveFormattingElements::Entry &entry = m_formatting.at(listIndex);
            ParserElement *replacement =
                newElement(HtmlNamespace::Html, entry.name, node->tag, entry.attributes, {});
            m_formatting.replaceElement(listIndex, replacement);
            m_open.replaceAt(nodeIndex, replacement);
            if (lastNode == furthestBlock)
                bookmark = listIndex + 1;
            appendChild(replacement->node, lastNode->node);
            lastNode = replacement;
        }
        detach(lastNode->node);
        insertAt(appropriatePlace(commonAncestor), lastNode->node);

        const int oldIndex = m_formatting.indexOf(formatting);
        ActiveFormattingElements::Entry entry = m_formatting.at(oldIndex);
        ParserElement *replacement =
            newElement(HtmlNamespace::Html, entry.name, formatting->tag, entry.attributes, {});
        HtmlNode *block = furthestBlock->node;
        replacement->node->children = std::move(block->children);
        block->children.clear();
        for (HtmlNode *child : replacement->node->children)
            child->parent = replacement->node;
        appendChild(block, replacement->node);

        m_formatting.removeAt(oldIndex);
        if (oldIndex < bookmark)
            --bookmark;
        entry.element = replacement;
        m_formatting.insertAt(bookmark, std::move(entry));
        formatting->node->endTag = endTag;
        m_open.removeAt(formatting->stackIndex);
        m_open.insertAt(furthestBlock->stackIndex + 1, replacement);
    }
    return true;
}

void HtmlTreeBuilder::resetInsertionMode()
{
    int index = m_open.size() - 1;
    for (;;) {
        const bool last = index == 0;
        const ParserElement *node = last && m_context ? m_context : m_open.at(index);
        if (node->node->ns == HtmlNamespace::Html) {
            switch (node->tag) {
            case Tag::Td:
            case Tag::Th:
                if (!last) {
                    m_mode = Mode::InCell;
                    return;
                }
                break;
            case Tag::Tr: m_mode = Mode::InRow; return;
            case Tag::Tbody:
            case Tag::Thead:
            case Tag::Tfoot: m_mode = Mode::InTableBody; return;
            case Tag::Caption: m_mode = Mode::InCaption; return;
            case Tag::Colgroup: m_mode = Mode::InColumnGroup; return;
            case Tag::Table: m_mode = Mode::InTable; return;
            case Tag::Template:
                m_mode = m_templateModes.empty() ? Mode::InBody : m_templateModes.back();
                return;
            case Tag::Head:
                if (!last) {
                    m_mode = Mode::InHead;
                    return;
                }
                break;
            case Tag::Body: m_mode = Mode::InBody; return;
            case Tag::Frameset: m_mode = Mode::InFrameset; return;
            case Tag::Html: m_mode = m_head ? Mode::AfterHead : Mode::BeforeHead; return;
            default: break;
            }
        }
        if (last) {
            m_mode = Mode::InBody;
            return;
        }
        // Elements that decide nothing are passed over at once.
        index = std::max(m_open.boundaryAtOrBelow(index - 1, OpenElements::ModeDecider), 0);
    }
}

void HtmlTreeBuilder::closePElement()
{
    generateImpliedEndTags(Tag::P);
    expectCurrent(Tag::P);
    popUntil(Tag::P);
}

void HtmlTreeBuilder::closeCell()
{
    generateImpliedEndTags();
    if (!currentIs(Tag::Td) && !currentIs(Tag::Th))
        parseError(TreeError::ElementClosedImplicitly, currentElement()->node->name);
    while (m_open.size() > 1 && !currentIs(Tag::Td) && !currentIs(Tag::Th))
        popCurrent();
    if (m_open.size() > 1)
        popCurrent();
    m_formatting.clearToLastMarker();
    m_mode = Mode::InRow;
}

void HtmlTreeBuilder::closeSelect()
{
    popUntil(Tag::Select);
}

void HtmlTreeBuilder::insertCharactersInBody(QStringView text, SourceSpan span)
{
    reconstructFormatting();
    insertText(text, span);
    if (m_framesetOk && !isAllWhitespace(text))
        m_framesetOk = false;
}

void HtmlTreeBuilder::parseRawText(const HtmlToken &token, HtmlTokenizer::State state)
{
    insertHtmlElement(token);
    m_tokenizer.switchTo(state);
    m_originalMode = m_mode;
    m_mode = Mode::Text;
}

// What <selectedcontent> shows: a copy of the chosen option, made each time that option is
// closed. The chosen one is the last with `selected`, else the first that is not disabled.
void HtmlTreeBuilder::noteOptionInserted(ParserElement *option)
{
    const ParserElement *select = selectOfOption();
    if (!select)
        return;
    SelectState &state = m_selects[select->node];
    if (option->node->attribute(u"selected")
        || (!state.selectedOption && !option->node->attribute(u"disabled")))
        state.selectedOption = option;
}

void HtmlTreeBuilder::noteSelectedContentInserted(ParserElement *selectedContent)
{
    const int select = m_open.topIndexOf(Tag::Select);
    if (select < 0 || m_open.at(select)->node->attribute(u"multiple"))
        return;
    SelectState &state = m_selects[m_open.at(select)->node];
    if (!state.selectedContent)
        state.selectedContent = selectedContent->node;
}

// The select the current option belongs to: the nearest one below it, unless a datalist, an
// hr, another option, a template or a second optgroup stands between.
ParserElement *HtmlTreeBuilder::selectOfOption() const
{
    const int select = m_open.topIndexOf(Tag::Select);
    if (select < 0)
        return nullptr;
    int optgroups = 0;
    for (int i = m_open.size() - 2; i > select; --i) {
        const int tag = m_open.at(i)->tag;
        if (tag == Tag::Datalist || tag == Tag::Hr || tag == Tag::Option || tag == Tag::Template
            || (tag == Tag::Optgroup && ++optgroups > 1))
            return nullptr;
    }
    return m_open.at(select);
}

void HtmlTreeBuilder::optionPopped(ParserElement *option)
{
    const ParserElement *select = selectOfOption();
    if (!select)
        return;
    const auto found = m_selects.constFind(select->node);
    if (found == m_selects.constEnd() || !found->selectedContent || found->selectedOption != option)
        return;
    cloneChildren(option->node, found->selectedContent);
}

// Copies first and replaces after, so that a <selectedcontent> inside the option itself is
// copied as it was instead of growing while it is read.
void HtmlTreeBuilder::cloneChildren(const HtmlNode *from, HtmlNode *into)
{
    HtmlNode *copies = m_document.createNode(HtmlNode::Kind::DocumentFragment);
    std::vector<std::pair<const HtmlNode *, HtmlNode *>> work{{from, copies}};
    while (!work.empty()) {
        const auto [source, target] = work.back();
        work.pop_back();
        for (const HtmlNode *child : source->children) {
            HtmlNode *copy = m_document.createNode(child->kind);
            copy->ns = child->ns;
            copy->name = child->name;
            copy->data = child->data;
            copy->attributes = child->attributes;
            appendChild(target, copy);
            if (child->templateContents) {
                copy->templateContents = m_document.createNode(HtmlNode::Kind::DocumentFragment);
                work.emplace_back(child->templateContents, copy->templateContents);
            }
            if (!child->children.empty())
                work.emplace_back(child, copy);
        }
    }
    for (HtmlNode *child : into->children)
        child->parent = nullptr;
    into->children = std::move(copies->children);
    copies->children.clear();
    for (HtmlNode *child : into->children)
        child->parent = into;
}
