// The insertion modes of the tree construction, each a function of HtmlTreeBuilder.

#include "html/parser/doctype_quirks.h"
#include "html/parser/foreign_names.h"
#include "html/parser/tree_builder.h"
#include "html/parser/tree_construction_errors.h"
#include "html/parser/tree_text.h"

#include <algorithm>

namespace {

using Type = HtmlToken::Type;
using Scope = OpenElements::Boundary;

bool isOneOf(int tag, std::initializer_list<int> tags)
{
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

bool isStartTag(const HtmlToken &token, std::initializer_list<int> tags, int tag)
{
    return token.type == Type::StartTag && isOneOf(tag, tags);
}

bool isEndTag(const HtmlToken &token, std::initializer_list<int> tags, int tag)
{
    return token.type == Type::EndTag && isOneOf(tag, tags);
}

bool isHiddenInput(const HtmlToken &token)
{
    for (const HtmlAttribute &attribute : token.attributes) {
        if (attribute.name == u"type")
            return equalsIgnoringAsciiCase(attribute.value, u"hidden");
    }
    return false;
}

bool hasAttribute(const HtmlToken &token, QStringView name)
{
    return std::any_of(token.attributes.cbegin(), token.attributes.cend(),
                       [name](const HtmlAttribute &attribute) { return attribute.name == name; });
}

qsizetype nullPrefix(QStringView text)
{
    qsizetype count = 0;
    while (count < text.size() && text[count] == QChar(0))
        ++count;
    return count;
}

// Up to the first NUL.
qsizetype withoutNull(QStringView text)
{
    const qsizetype null = text.indexOf(QChar(0));
    return null < 0 ? text.size() : null;
}

} // namespace

void HtmlTreeBuilder::unexpectedToken(const HtmlToken &token)
{
    switch (token.type) {
    case Type::StartTag: return parseError(TreeError::UnexpectedStartTag, token.name);
    case Type::EndTag: return parseError(TreeError::UnexpectedEndTag, token.name);
    case Type::Characters: return parseError(TreeError::UnexpectedText);
    case Type::Doctype: return parseError(TreeError::UnexpectedDoctype, token.name);
    case Type::EndOfFile: return reportOpenElements(m_open.size() - 1, token.span);
    case Type::Comment: return;
    }
}

void HtmlTreeBuilder::insertWhitespaceInBody(qsizetype count)
{
    reconstructFormatting();
    insertTextFromToken(count);
}

void HtmlTreeBuilder::initial(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace()) {
            skipText(blanks);
            return;
        }
        break;
    case Type::Comment:
        appendComment(token, m_document.root());
        return;
    case Type::Doctype: {
        if (!isConformingDoctype(token))
            parseError(TreeError::NonConformingDoctype, token.name);
        HtmlNode *doctype = m_document.createNode(HtmlNode::Kind::DocumentType);
        doctype->name = token.name;
        doctype->publicId = token.publicId;
        doctype->systemId = token.systemId;
        doctype->hasPublicId = token.hasPublicId;
        doctype->hasSystemId = token.hasSystemId;
        doctype->startTag = token.span;
        appendChild(m_document.root(), doctype);
        m_document.quirksMode = quirksModeOf(token);
        m_mode = Mode::BeforeHtml;
        return;
    }
    default:
        break;
    }
    parseError(TreeError::MissingDoctype);
    m_document.quirksMode = HtmlDocument::QuirksMode::Quirks;
    m_mode = Mode::BeforeHtml;
    reprocess(token);
}

void HtmlTreeBuilder::beforeHtml(HtmlToken &token)
{
    switch (token.type) {
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::Comment:
        return appendComment(token, m_document.root());
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace()) {
            skipText(blanks);
            return;
        }
        break;
    case Type::StartTag:
        if (m_tokenTag == Tag::Html) {
            ParserElement *html = elementFor(token);
            appendChild(m_document.root(), html->node);
            m_open.push(html);
            m_mode = Mode::BeforeHead;
            return;
        }
        break;
    case Type::EndTag:
        if (!isOneOf(m_tokenTag, {Tag::Head, Tag::Body, Tag::Html, Tag::Br}))
            return unexpectedToken(token);
        break;
    case Type::EndOfFile:
        break;
    }
    ParserElement *html = newElement(HtmlNamespace::Html, QStringLiteral("html"), Tag::Html, {}, {});
    appendChild(m_document.root(), html->node);
    m_open.push(html);
    m_mode = Mode::BeforeHead;
    reprocess(token);
}

void HtmlTreeBuilder::beforeHead(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace()) {
            skipText(blanks);
            return;
        }
        break;
    case Type::Comment:
        return insertComment(token);
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::StartTag:
        if (m_tokenTag == Tag::Html)
            return inBody(token);
        if (m_tokenTag == Tag::Head) {
            m_head = insertHtmlElement(token);
            m_mode = Mode::InHead;
            return;
        }
        break;
    case Type::EndTag:
        if (!isOneOf(m_tokenTag, {Tag::Head, Tag::Body, Tag::Html, Tag::Br}))
            return unexpectedToken(token);
        break;
    case Type::EndOfFile:
        break;
    }
    m_head = insertImpliedElement(Tag::Head, QStringLiteral("head"));
    m_mode = Mode::InHead;
    reprocess(token);
}

void HtmlTreeBuilder::inHead(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace()) {
            insertTextFromToken(blanks);
            return;
        }
        break;
    case Type::Comment:
        return insertComment(token);
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::StartTag:
        switch (m_tokenTag) {
        case Tag::Html:
            return inBody(token);
        case Tag::Base:
        case Tag::Basefont:
        case Tag::Bgsound:
        case Tag::Link:
        case Tag::Meta:
            insertHtmlElement(token);
            popCurrent();
            acknowledgeSelfClosing();
            return;
        case Tag::Title:
            return parseRawText(token, HtmlTokenizer::State::Rcdata);
        case Tag::Noframes:
        case Tag::Style:
            return parseRawText(token, HtmlTokenizer::State::Rawtext);
        case Tag::Noscript:
            insertHtmlElement(token);
            m_mode = Mode::InHeadNoscript;
            return;
        case Tag::Script:
            return parseRawText(token, HtmlTokenizer::State::ScriptData);
        case Tag::Template:
            insertHtmlElement(token);
            m_formatting.pushMarker();
            m_framesetOk = false;
            m_mode = Mode::InTemplate;
            m_templateModes.push_back(Mode::InTemplate);
            return;
        case Tag::Head:
            return parseError(TreeError::RepeatedStartTag, token.name);
        default:
            break;
        }
        break;
    case Type::EndTag:
        switch (m_tokenTag) {
        case Tag::Head:
            currentElement()->node->endTag = token.span;
            popCurrent();
            m_mode = Mode::AfterHead;
            return;
        case Tag::Body:
        case Tag::Html:
        case Tag::Br:
            break;
        case Tag::Template:
            if (!m_open.contains(Tag::Template))
                return parseError(TreeError::EndTagWithoutOpenElement, token.name);
            generateImpliedEndTagsThoroughly();
            expectCurrent(Tag::Template);
            popUntil(Tag::Template, token.span);
            m_formatting.clearToLastMarker();
            m_templateModes.pop_back();
            resetInsertionMode();
            return;
        default:
            return unexpectedToken(token);
        }
        break;
    case Type::EndOfFile:
        break;
    }
    popCurrent(); // the head
    m_mode = Mode::AfterHead;
    reprocess(token);
}

void HtmlTreeBuilder::inHeadNoscript(HtmlToken &token)
{
    switch (token.type) {
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::Characters:
        if (leadingWhitespace() > 0)
            return inHead(token);
        break;
    case Type::Comment:
        return inHead(token);
    case Type::StartTag:
        if (m_tokenTag == Tag::Html)
            return inBody(token);
        if (isOneOf(m_tokenTag, {Tag::Basefont, Tag::Bgsound, Tag::Link, Tag::Meta, Tag::Noframes,
                                 Tag::Style}))
            return inHead(token);
        if (isOneOf(m_tokenTag, {Tag::Head, Tag::Noscript}))
            return unexpectedToken(token);
        break;
    case Type::EndTag:
        if (m_tokenTag == Tag::Noscript) {
            currentElement()->node->endTag = token.span;
            popCurrent();
            m_mode = Mode::InHead;
            return;
        }
        if (m_tokenTag != Tag::Br)
            return unexpectedToken(token);
        break;
    case Type::EndOfFile:
        break;
    }
    unexpectedToken(token);
    popCurrent(); // the noscript
    m_mode = Mode::InHead;
    reprocess(token);
}

void HtmlTreeBuilder::afterHead(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace()) {
            insertTextFromToken(blanks);
            return;
        }
        break;
    case Type::Comment:
        return insertComment(token);
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::StartTag:
        switch (m_tokenTag) {
        case Tag::Html:
            return inBody(token);
        case Tag::Body:
            insertHtmlElement(token);
            m_framesetOk = false;
            m_mode = Mode::InBody;
            return;
        case Tag::Frameset:
            insertHtmlElement(token);
            m_mode = Mode::InFrameset;
            return;
        case Tag::Base:
        case Tag::Basefont:
        case Tag::Bgsound:
        case Tag::Link:
        case Tag::Meta:
        case Tag::Noframes:
        case Tag::Script:
        case Tag::Style:
        case Tag::Template:
        case Tag::Title: {
            parseError(TreeError::HeadElementAfterHead, token.name);
            ParserElement *head = m_head;
            m_open.push(head);
            inHead(token);
            if (head->stackIndex >= 0)
                m_open.removeAt(head->stackIndex);
            return;
        }
        case Tag::Head:
            return parseError(TreeError::RepeatedStartTag, token.name);
        default:
            break;
        }
        break;
    case Type::EndTag:
        if (m_tokenTag == Tag::Template)
            return inHead(token);
        if (!isOneOf(m_tokenTag, {Tag::Body, Tag::Html, Tag::Br}))
            return unexpectedToken(token);
        break;
    case Type::EndOfFile:
        break;
    }
    insertImpliedElement(Tag::Body, QStringLiteral("body"));
    m_mode = Mode::InBody;
    reprocess(token);
}

void HtmlTreeBuilder::inBody(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters: {
        const QStringView rest = restOfText();
        if (const qsizetype nulls = nullPrefix(rest))
            return skipTextWithError(nulls, TreeError::NullCharacterInText);
        const qsizetype count = withoutNull(rest);
        reconstructFormatting();
        if (m_framesetOk && !isAllWhitespace(rest.first(count)))
            m_framesetOk = false;
        insertTextFromToken(count);
        return;
    }
    case Type::Comment:
        return insertComment(token);
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::StartTag:
        return inBodyStartTag(token);
    case Type::EndTag:
        return inBodyEndTag(token);
    case Type::EndOfFile:
        return inBodyEndOfFile(token);
    }
}

void HtmlTreeBuilder::inBodyStartTag(HtmlToken &token)
{
    const int tag = m_tokenTag;
    const auto closePInButtonScope = [this] {
        if (m_open.inScope(Tag::P, Scope::ButtonScope))
            closePElement();
    };
    const bool selectContext = m_context && m_context->tag == Tag::Select;
    switch (tag) {
    case Tag::Html:
        parseError(TreeError::RepeatedStartTag, token.name);
        if (!m_open.contains(Tag::Template))
            addMissingAttributes(m_open.at(0)->node, token.attributes);
        return;
    case Tag::Base:
    case Tag::Basefont:
    case Tag::Bgsound:
    case Tag::Link:
    case Tag::Meta:
    case Tag::Noframes:
    case Tag::Script:
    case Tag::Style:
    case Tag::Template:
    case Tag::Title:
        return inHead(token);
    case Tag::Body:
        parseError(TreeError::RepeatedStartTag, token.name);
        if (m_open.size() == 1 || m_open.at(1)->tag != Tag::Body || m_open.contains(Tag::Template))
            return;
        m_framesetOk = false;
        addMissingAttributes(m_open.at(1)->node, token.attributes);
        return;
    case Tag::Frameset:
        parseError(TreeError::UnexpectedStartTag, token.name);
        if (m_open.size() == 1 || m_open.at(1)->tag != Tag::Body || !m_framesetOk)
            return;
        detach(m_open.at(1)->node);
        while (m_open.size() > 1)
            popCurrent();
        insertHtmlElement(token);
        m_mode = Mode::InFrameset;
        return;
    case Tag::Address:
    case Tag::Article:
    case Tag::Aside:
    case Tag::Blockquote:
    case Tag::Center:
    case Tag::Details:
    case Tag::Dialog:
    case Tag::Dir:
    case Tag::Div:
    case Tag::Dl:
    case Tag::Fieldset:
    case Tag::Figcaption:
    case Tag::Figure:
    case Tag::Footer:
    case Tag::Header:
    case Tag::Hgroup:
    case Tag::Main:
    case Tag::Menu:
    case Tag::Nav:
    case Tag::Ol:
    case Tag::P:
    case Tag::Search:
    case Tag::Section:
    case Tag::Summary:
    case Tag::Ul:
        closePInButtonScope();
        insertHtmlElement(token);
        return;
    case Tag::H1:
    case Tag::H2:
    case Tag::H3:
    case Tag::H4:
    case Tag::H5:
    case Tag::H6:
        closePInButtonScope();
        if (currentHas(TagFlag::Heading)) {
            parseError(TreeError::NestedHeading, token.name);
            popCurrent();
        }
        insertHtmlElement(token);
        return;
    case Tag::Pre:
    case Tag::Listing:
        closePInButtonScope();
        insertHtmlElement(token);
        ignoreNextNewline();
        m_framesetOk = false;
        return;
    case Tag::Form: {
        const bool inTemplate = m_open.contains(Tag::Template);
        if (m_form && !inTemplate)
            return parseError(TreeError::NestedElement, token.name);
        closePInButtonScope();
        ParserElement *form = insertHtmlElement(token);
        if (!inTemplate)
            m_form = form;
        return;
    }
    case Tag::Li:
    case Tag::Dd:
    case Tag::Dt:
        return inBodyListItem(token);
    case Tag::Plaintext:
        closePInButtonScope();
        insertHtmlElement(token);
        m_tokenizer.switchTo(HtmlTokenizer::State::Plaintext);
        return;
    case Tag::Button:
        if (m_open.inScope(Tag::Button, Scope::DefaultScope)) {
            parseError(TreeError::NestedElement, token.name);
            generateImpliedEndTags();
            popUntil(Tag::Button);
        }
        reconstructFormatting();
        insertHtmlElement(token);
        m_framesetOk = false;
        return;
    case Tag::A: {
        const int index = m_formatting.lastIndexAfterMarker(Tag::A);
        if (index >= 0) {
            parseError(TreeError::NestedElement, token.name);
            ParserElement *a = m_formatting.at(index).element;
            if (!adoptionAgency(token, Tag::A))
                inBodyOtherEndTag(token);
            if (const int left = m_formatting.indexOf(a); left >= 0)
                m_formatting.removeAt(left);
            if (a->stackIndex >= 0)
                m_open.removeAt(a->stackIndex);
        }
        reconstructFormatting();
        m_formatting.push(insertHtmlElement(token), token.name, token.attributes);
        return;
    }
    case Tag::B:
    case Tag::Big:
    case Tag::Code:
    case Tag::Em:
    case Tag::Font:
    case Tag::I:
    case Tag::S:
    case Tag::Small:
    case Tag::Strike:
    case Tag::Strong:
    case Tag::Tt:
    case Tag::U:
        reconstructFormatting();
        m_formatting.push(insertHtmlElement(token), token.name, token.attributes);
        return;
    case Tag::Nobr:
        reconstructFormatting();
        if (m_open.inScope(Tag::Nobr, Scope::DefaultScope)) {
            parseError(TreeError::NestedElement, token.name);
            if (!adoptionAgency(token, Tag::Nobr))
                inBodyOtherEndTag(token);
            reconstructFormatting();
        }
        m_formatting.push(insertHtmlElement(token), token.name, token.attributes);
        return;
    case Tag::Applet:
    case Tag::Marquee:
    case Tag::Object:
        reconstructFormatting();
        insertHtmlElement(token);
        m_formatting.pushMarker();
        m_framesetOk = false;
        return;
    case Tag::Table:
        if (m_document.quirksMode != HtmlDocument::QuirksMode::Quirks)
            closePInButtonScope();
        insertHtmlElement(token);
        m_framesetOk = false;
        m_mode = Mode::InTable;
        return;
    case Tag::Area:
    case Tag::Br:
    case Tag::Embed:
    case Tag::Img:
    case Tag::Keygen:
    case Tag::Wbr:
        reconstructFormatting();
        insertHtmlElement(token);
        popCurrent();
        acknowledgeSelfClosing();
        m_framesetOk = false;
        return;
    case Tag::Input:
        if (selectContext)
            return parseError(TreeError::UnexpectedStartTag, token.name);
        if (m_open.inScope(Tag::Select, Scope::DefaultScope)) {
            parseError(TreeError::UnexpectedStartTag, token.name);
            closeSelect();
        }
        reconstructFormatting();
        insertHtmlElement(token);
        popCurrent();
        acknowledgeSelfClosing();
        if (!isHiddenInput(token))
            m_framesetOk = false;
        return;
    case Tag::Param:
    case Tag::Source:
    case Tag::Track:
        insertHtmlElement(token);
        popCurrent();
        acknowledgeSelfClosing();
        return;
    case Tag::Hr:
        closePInButtonScope();
        if (m_open.inScope(Tag::Select, Scope::DefaultScope)) {
            generateImpliedEndTags();
            if (m_open.inScope(Tag::Option, Scope::DefaultScope)
                || m_open.inScope(Tag::Optgroup, Scope::DefaultScope))
                parseError(TreeError::UnexpectedStartTag, token.name);
        }
        insertHtmlElement(token);
        popCurrent();
        acknowledgeSelfClosing();
        m_framesetOk = false;
        return;
    case Tag::Image:
        parseError(TreeError::ImageStartTag, token.name);
        token.name = QStringLiteral("img");
        m_tokenTag = Tag::Img;
        return reprocess(token);
    case Tag::Textarea:
        insertHtmlElement(token);
        ignoreNextNewline();
        m_tokenizer.switchTo(HtmlTokenizer::State::Rcdata);
        m_originalMode = m_mode;
        m_framesetOk = false;
        m_mode = Mode::Text;
        return;
    case Tag::Xmp:
        closePInButtonScope();
        reconstructFormatting();
        m_framesetOk = false;
        return parseRawText(token, HtmlTokenizer::State::Rawtext);
    case Tag::Iframe:
        m_framesetOk = false;
        return parseRawText(token, HtmlTokenizer::State::Rawtext);
    case Tag::Noembed:
        return parseRawText(token, HtmlTokenizer::State::Rawtext);
    case Tag::Select:
        if (selectContext)
            return parseError(TreeError::NestedElement, token.name);
        if (m_open.inScope(Tag::Select, Scope::DefaultScope)) {
            parseError(TreeError::NestedElement, token.name);
            return closeSelect();
        }
        reconstructFormatting();
        insertHtmlElement(token);
        m_framesetOk = false;
        return;
    case Tag::Option:
        if (m_open.inScope(Tag::Select, Scope::DefaultScope)) {
            generateImpliedEndTags(Tag::Optgroup);
            if (m_open.inScope(Tag::Option, Scope::DefaultScope))
                parseError(TreeError::UnexpectedStartTag, token.name);
        } else if (currentIs(Tag::Option)) {
            popCurrent();
        }
        reconstructFormatting();
        insertHtmlElement(token);
        return;
    case Tag::Optgroup:
        if (m_open.inScope(Tag::Select, Scope::DefaultScope)) {
            generateImpliedEndTags();
            if (m_open.inScope(Tag::Option, Scope::DefaultScope)
                || m_open.inScope(Tag::Optgroup, Scope::DefaultScope))
                parseError(TreeError::UnexpectedStartTag, token.name);
        } else if (currentIs(Tag::Option)) {
            popCurrent();
        }
        reconstructFormatting();
        insertHtmlElement(token);
        return;
    case Tag::Rb:
    case Tag::Rtc:
        if (m_open.inScope(Tag::Ruby, Scope::DefaultScope)) {
            generateImpliedEndTags();
            if (!currentIs(Tag::Ruby))
                parseError(TreeError::UnexpectedStartTag, token.name);
        }
        insertHtmlElement(token);
        return;
    case Tag::Rp:
    case Tag::Rt:
        if (m_open.inScope(Tag::Ruby, Scope::DefaultScope)) {
            generateImpliedEndTags(Tag::Rtc);
            if (!currentIs(Tag::Rtc) && !currentIs(Tag::Ruby))
                parseError(TreeError::UnexpectedStartTag, token.name);
        }
        insertHtmlElement(token);
        return;
    case Tag::Math:
    case Tag::Svg:
        reconstructFormatting();
        if (tag == Tag::Math)
            adjustMathMlAttributes(token.attributes);
        else
            adjustSvgAttributes(token.attributes);
        adjustForeignAttributes(token.attributes);
        insertForeignElement(token, tag == Tag::Math ? HtmlNamespace::MathMl : HtmlNamespace::Svg);
        if (token.selfClosing) {
            popCurrent();
            acknowledgeSelfClosing();
        }
        return;
    case Tag::Caption:
    case Tag::Col:
    case Tag::Colgroup:
    case Tag::Frame:
    case Tag::Head:
    case Tag::Tbody:
    case Tag::Td:
    case Tag::Tfoot:
    case Tag::Th:
    case Tag::Thead:
    case Tag::Tr:
        return parseError(TreeError::UnexpectedStartTag, token.name);
    default:
        reconstructFormatting();
        insertHtmlElement(token);
        return;
    }
}

// <li>, <dd> and <dt> close the item still open before them, unless an element such as <ul>
// or <table> lies between.
void HtmlTreeBuilder::inBodyListItem(HtmlToken &token)
{
    m_framesetOk = false;
    const int boundary = m_open.boundaryAtOrBelow(m_open.size() - 1, Scope::SpecialForItems);
    int item = -1;
    if (m_tokenTag == Tag::Li) {
        if (const int li = m_open.topIndexOf(Tag::Li); li >= 0 && li >= boundary)
            item = Tag::Li;
    } else {
        const int dd = m_open.topIndexOf(Tag::Dd);
        const int dt = m_open.topIndexOf(Tag::Dt);
        const int top = std::max(dd, dt);
        if (top >= 0 && top >= boundary)
            item = top == dd ? Tag::Dd : Tag::Dt;
    }
    if (item >= 0) {
        generateImpliedEndTags(item);
        expectCurrent(item);
        popUntil(item);
    }
    if (m_open.inScope(Tag::P, Scope::ButtonScope))
        closePElement();
    insertHtmlElement(token);
}

void HtmlTreeBuilder::inBodyEndTag(HtmlToken &token)
{
    const int tag = m_tokenTag;
    switch (tag) {
    case Tag::Template:
        return inHead(token);
    case Tag::Body:
    case Tag::Html:
        if (!m_open.inScope(Tag::Body, Scope::DefaultScope))
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        reportOpenElements(0, token.span);
        if (tag == Tag::Body) {
            m_open.at(m_open.topIndexOf(Tag::Body))->node->endTag = token.span;
            m_mode = Mode::AfterBody;
            return;
        }
        m_mode = Mode::AfterBody;
        return reprocess(token);
    case Tag::Address:
    case Tag::Article:
    case Tag::Aside:
    case Tag::Blockquote:
    case Tag::Button:
    case Tag::Center:
    case Tag::Details:
    case Tag::Dialog:
    case Tag::Dir:
    case Tag::Div:
    case Tag::Dl:
    case Tag::Fieldset:
    case Tag::Figcaption:
    case Tag::Figure:
    case Tag::Footer:
    case Tag::Header:
    case Tag::Hgroup:
    case Tag::Listing:
    case Tag::Main:
    case Tag::Menu:
    case Tag::Nav:
    case Tag::Ol:
    case Tag::Pre:
    case Tag::Search:
    case Tag::Section:
    case Tag::Select:
    case Tag::Summary:
    case Tag::Ul:
    case Tag::Applet:
    case Tag::Marquee:
    case Tag::Object:
        if (!m_open.inScope(tag, Scope::DefaultScope))
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        generateImpliedEndTags();
        expectCurrent(tag);
        popUntil(tag, token.span);
        if (isOneOf(tag, {Tag::Applet, Tag::Marquee, Tag::Object}))
            m_formatting.clearToLastMarker();
        return;
    case Tag::Form:
        if (!m_open.contains(Tag::Template)) {
            ParserElement *form = m_form;
            m_form = nullptr;
            if (!form || !m_open.inScope(form, Scope::DefaultScope))
                return parseError(TreeError::EndTagWithoutOpenElement, token.name);
            generateImpliedEndTags();
            if (currentElement() != form)
                parseError(TreeError::ElementClosedImplicitly, currentElement()->node->name);
            form->node->endTag = token.span;
            m_open.removeAt(form->stackIndex);
            return;
        }
        if (!m_open.inScope(Tag::Form, Scope::DefaultScope))
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        generateImpliedEndTags();
        expectCurrent(Tag::Form);
        popUntil(Tag::Form, token.span);
        return;
    case Tag::P:
        if (!m_open.inScope(Tag::P, Scope::ButtonScope)) {
            parseError(TreeError::EndTagWithoutOpenElement, token.name);
            insertImpliedElement(Tag::P, QStringLiteral("p"));
        }
        generateImpliedEndTags(Tag::P);
        expectCurrent(Tag::P);
        popUntil(Tag::P, token.span);
        return;
    case Tag::Li:
    case Tag::Dd:
    case Tag::Dt:
        if (!m_open.inScope(tag, tag == Tag::Li ? Scope::ListItemScope : Scope::DefaultScope))
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        generateImpliedEndTags(tag);
        expectCurrent(tag);
        popUntil(tag, token.span);
        return;
    case Tag::H1:
    case Tag::H2:
    case Tag::H3:
    case Tag::H4:
    case Tag::H5:
    case Tag::H6: {
        int heading = -1;
        for (int h : {Tag::H1, Tag::H2, Tag::H3, Tag::H4, Tag::H5, Tag::H6})
            heading = std::max(heading, m_open.topIndexOf(h));
        if (heading < 0 || heading < m_open.boundaryAtOrBelow(m_open.size() - 1, Scope::DefaultScope))
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        generateImpliedEndTags();
        expectCurrent(tag);
        popUntilHeading(token.span);
        return;
    }
    case Tag::A:
    case Tag::B:
    case Tag::Big:
    case Tag::Code:
    case Tag::Em:
    case Tag::Font:
    case Tag::I:
    case Tag::Nobr:
    case Tag::S:
    case Tag::Small:
    case Tag::Strike:
    case Tag::Strong:
    case Tag::Tt:
    case Tag::U:
        if (!adoptionAgency(token, tag))
            inBodyOtherEndTag(token);
        return;
    case Tag::Br:
        parseError(TreeError::BrEndTag, token.name);
        token.type = Type::StartTag;
        token.attributes.clear();
        token.selfClosing = false;
        return inBodyStartTag(token);
    default:
        return inBodyOtherEndTag(token);
    }
}

// An end tag closes the nearest open element of its name, unless an element of the special
// kind (<div>, <table>, ...) stands between.
void HtmlTreeBuilder::inBodyOtherEndTag(HtmlToken &token)
{
    const int index = m_open.topIndexOf(m_tokenTag);
    if (index < 0)
        return parseError(TreeError::EndTagWithoutOpenElement, token.name);
    if (m_open.boundaryAtOrBelow(m_open.size() - 1, Scope::Special) > index)
        return parseError(TreeError::UnexpectedEndTag, token.name);
    ParserElement *node = m_open.at(index);
    generateImpliedEndTags(m_tokenTag);
    if (node != currentElement())
        parseError(TreeError::ElementClosedImplicitly, currentElement()->node->name);
    popUntilElement(node, token.type == Type::EndTag ? token.span : SourceSpan{});
}

void HtmlTreeBuilder::inBodyEndOfFile(HtmlToken &token)
{
    if (!m_templateModes.empty())
        return inTemplate(token);
    reportOpenElements(0, token.span);
    stopParsing();
}

void HtmlTreeBuilder::text(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters:
        return insertTextFromToken(restOfText().size());
    case Type::EndOfFile:
        reportOpenElements(m_open.size() - 1, token.span);
        popCurrent();
        m_mode = m_originalMode;
        return reprocess(token);
    case Type::EndTag:
        currentElement()->node->endTag = token.span;
        popCurrent();
        m_mode = m_originalMode;
        return;
    default:
        return;
    }
}

void HtmlTreeBuilder::inTable(HtmlToken &token)
{
    const int tag = m_tokenTag;
    const auto clearToTableContext = [this] { popWhileNot({Tag::Table, Tag::Template, Tag::Html}); };
    switch (token.type) {
    case Type::Characters:
        if (isOneOf(currentElement()->tag,
                    {Tag::Table, Tag::Tbody, Tag::Template, Tag::Tfoot, Tag::Thead, Tag::Tr})) {
            m_pendingTableText.clear();
            m_originalMode = m_mode;
            m_mode = Mode::InTableText;
            return;
        }
        break;
    case Type::Comment:
        return insertComment(token);
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::StartTag:
        switch (tag) {
        case Tag::Caption:
            clearToTableContext();
            m_formatting.pushMarker();
            insertHtmlElement(token);
            m_mode = Mode::InCaption;
            return;
        case Tag::Colgroup:
            clearToTableContext();
            insertHtmlElement(token);
            m_mode = Mode::InColumnGroup;
            return;
        case Tag::Col:
            clearToTableContext();
            insertImpliedElement(Tag::Colgroup, QStringLiteral("colgroup"));
            m_mode = Mode::InColumnGroup;
            return reprocess(token);
        case Tag::Tbody:
        case Tag::Tfoot:
        case Tag::Thead:
            clearToTableContext();
            insertHtmlElement(token);
            m_mode = Mode::InTableBody;
            return;
        case Tag::Td:
        case Tag::Th:
        case Tag::Tr:
            clearToTableContext();
            insertImpliedElement(Tag::Tbody, QStringLiteral("tbody"));
            m_mode = Mode::InTableBody;
            return reprocess(token);
        case Tag::Table:
            parseError(TreeError::NestedElement, token.name);
            if (!m_open.inScope(Tag::Table, Scope::TableScope))
                return;
            popUntil(Tag::Table);
            resetInsertionMode();
            return reprocess(token);
        case Tag::Style:
        case Tag::Script:
        case Tag::Template:
            return inHead(token);
        case Tag::Input:
            if (!isHiddenInput(token))
                break;
            parseError(TreeError::TagInTable, token.name);
            insertHtmlElement(token);
            popCurrent();
            acknowledgeSelfClosing();
            return;
        case Tag::Form:
            parseError(TreeError::TagInTable, token.name);
            if (m_open.contains(Tag::Template) || m_form)
                return;
            m_form = insertHtmlElement(token);
            popCurrent();
            return;
        default:
            break;
        }
        break;
    case Type::EndTag:
        switch (tag) {
        case Tag::Table:
            if (!m_open.inScope(Tag::Table, Scope::TableScope))
                return parseError(TreeError::EndTagWithoutOpenElement, token.name);
            popUntil(Tag::Table, token.span);
            resetInsertionMode();
            return;
        case Tag::Body:
        case Tag::Caption:
        case Tag::Col:
        case Tag::Colgroup:
        case Tag::Html:
        case Tag::Tbody:
        case Tag::Td:
        case Tag::Tfoot:
        case Tag::Th:
        case Tag::Thead:
        case Tag::Tr:
            return unexpectedToken(token);
        case Tag::Template:
            return inHead(token);
        default:
            break;
        }
        break;
    case Type::EndOfFile:
        return inBody(token);
    }
    inTableAnythingElse(token);
}

// Content that may not stand in a table is put before it ("foster parented").
void HtmlTreeBuilder::inTableAnythingElse(HtmlToken &token)
{
    if (token.type == Type::Characters)
        parseError(TreeError::TextInTable);
    else
        parseError(TreeError::TagInTable, token.name);
    m_fosterParenting = true;
    inBody(token);
    m_fosterParenting = false;
}

void HtmlTreeBuilder::inTableText(HtmlToken &token)
{
    if (token.type == Type::Characters) {
        const QStringView rest = restOfText();
        if (const qsizetype nulls = nullPrefix(rest))
            return skipTextWithError(nulls, TreeError::NullCharacterInText);
        const qsizetype count = withoutNull(rest);
        const QString text = count == token.data.size() ? token.data : rest.first(count).toString();
        m_pendingTableText.push_back({text, textSpan(m_textFrom, m_textFrom + count)});
        return skipText(count);
    }
    const bool foster = std::any_of(m_pendingTableText.cbegin(), m_pendingTableText.cend(),
                                    [](const PendingText &piece) { return !isAllWhitespace(piece.text); });
    for (const PendingText &piece : m_pendingTableText) {
        if (!foster) {
            insertText(piece.text, piece.span, &piece.text);
            continue;
        }
        if (!isAllWhitespace(piece.text))
            parseErrorAt(TreeError::TextInTable, piece.span);
        m_fosterParenting = true;
        insertCharactersInBody(piece.text, piece.span);
        m_fosterParenting = false;
    }
    m_pendingTableText.clear();
    m_mode = m_originalMode;
    reprocess(token);
}

void HtmlTreeBuilder::inCaption(HtmlToken &token)
{
    const int tag = m_tokenTag;
    const bool closesCaption =
        (token.type == Type::EndTag && tag == Tag::Caption)
        || isStartTag(token, {Tag::Caption, Tag::Col, Tag::Colgroup, Tag::Tbody, Tag::Td, Tag::Tfoot,
                              Tag::Th, Tag::Thead, Tag::Tr}, tag)
        || (token.type == Type::EndTag && tag == Tag::Table);
    if (closesCaption) {
        if (!m_open.inScope(Tag::Caption, Scope::TableScope)) {
            return token.type == Type::EndTag
                ? parseError(TreeError::EndTagWithoutOpenElement, token.name)
                : parseError(TreeError::UnexpectedStartTag, token.name);
        }
        generateImpliedEndTags();
        expectCurrent(Tag::Caption);
        const bool ownEndTag = token.type == Type::EndTag && tag == Tag::Caption;
        popUntil(Tag::Caption, ownEndTag ? token.span : SourceSpan{});
        m_formatting.clearToLastMarker();
        m_mode = Mode::InTable;
        if (!ownEndTag)
            reprocess(token);
        return;
    }
    if (isEndTag(token, {Tag::Body, Tag::Col, Tag::Colgroup, Tag::Html, Tag::Tbody, Tag::Td,
                         Tag::Tfoot, Tag::Th, Tag::Thead, Tag::Tr}, tag))
        return unexpectedToken(token);
    inBody(token);
}

void HtmlTreeBuilder::inColumnGroup(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace()) {
            insertTextFromToken(blanks);
            return;
        }
        break;
    case Type::Comment:
        return insertComment(token);
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::StartTag:
        if (m_tokenTag == Tag::Html)
            return inBody(token);
        if (m_tokenTag == Tag::Col) {
            insertHtmlElement(token);
            popCurrent();
            acknowledgeSelfClosing();
            return;
        }
        if (m_tokenTag == Tag::Template)
            return inHead(token);
        break;
    case Type::EndTag:
        if (m_tokenTag == Tag::Colgroup) {
            if (!currentIs(Tag::Colgroup))
                return parseError(TreeError::EndTagWithoutOpenElement, token.name);
            currentElement()->node->endTag = token.span;
            popCurrent();
            m_mode = Mode::InTable;
            return;
        }
        if (m_tokenTag == Tag::Col)
            return unexpectedToken(token);
        if (m_tokenTag == Tag::Template)
            return inHead(token);
        break;
    case Type::EndOfFile:
        return inBody(token);
    }
    if (!currentIs(Tag::Colgroup)) {
        if (token.type == Type::Characters)
            return skipTextWithError(nonWhitespacePrefix(restOfText()), TreeError::UnexpectedText);
        return unexpectedToken(token);
    }
    popCurrent();
    m_mode = Mode::InTable;
    reprocess(token);
}

void HtmlTreeBuilder::inTableBody(HtmlToken &token)
{
    const int tag = m_tokenTag;
    const auto clearToBodyContext = [this] {
        popWhileNot({Tag::Tbody, Tag::Tfoot, Tag::Thead, Tag::Template, Tag::Html});
    };
    if (isStartTag(token, {Tag::Tr}, tag)) {
        clearToBodyContext();
        insertHtmlElement(token);
        m_mode = Mode::InRow;
        return;
    }
    if (isStartTag(token, {Tag::Th, Tag::Td}, tag)) {
        parseError(TreeError::CellOutsideRow, token.name);
        clearToBodyContext();
        insertImpliedElement(Tag::Tr, QStringLiteral("tr"));
        m_mode = Mode::InRow;
        return reprocess(token);
    }
    if (isEndTag(token, {Tag::Tbody, Tag::Tfoot, Tag::Thead}, tag)) {
        if (!m_open.inScope(tag, Scope::TableScope))
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        clearToBodyContext();
        currentElement()->node->endTag = token.span;
        popCurrent();
        m_mode = Mode::InTable;
        return;
    }
    if (isStartTag(token, {Tag::Caption, Tag::Col, Tag::Colgroup, Tag::Tbody, Tag::Tfoot, Tag::Thead}, tag)
        || isEndTag(token, {Tag::Table}, tag)) {
        if (!m_open.inScope(Tag::Tbody, Scope::TableScope) && !m_open.inScope(Tag::Thead, Scope::TableScope)
            && !m_open.inScope(Tag::Tfoot, Scope::TableScope))
            return unexpectedToken(token);
        clearToBodyContext();
        popCurrent();
        m_mode = Mode::InTable;
        return reprocess(token);
    }
    if (isEndTag(token, {Tag::Body, Tag::Caption, Tag::Col, Tag::Colgroup, Tag::Html, Tag::Td, Tag::Th,
                         Tag::Tr}, tag))
        return unexpectedToken(token);
    inTable(token);
}

void HtmlTreeBuilder::inRow(HtmlToken &token)
{
    const int tag = m_tokenTag;
    const auto clearToRowContext = [this] { popWhileNot({Tag::Tr, Tag::Template, Tag::Html}); };
    if (isStartTag(token, {Tag::Th, Tag::Td}, tag)) {
        clearToRowContext();
        insertHtmlElement(token);
        m_mode = Mode::InCell;
        m_formatting.pushMarker();
        return;
    }
    if (isEndTag(token, {Tag::Tr}, tag)) {
        if (!m_open.inScope(Tag::Tr, Scope::TableScope))
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        clearToRowContext();
        currentElement()->node->endTag = token.span;
        popCurrent();
        m_mode = Mode::InTableBody;
        return;
    }
    const bool closesRow =
        isStartTag(token, {Tag::Caption, Tag::Col, Tag::Colgroup, Tag::Tbody, Tag::Tfoot, Tag::Thead,
                           Tag::Tr}, tag)
        || isEndTag(token, {Tag::Table}, tag);
    const bool closesSection = isEndTag(token, {Tag::Tbody, Tag::Tfoot, Tag::Thead}, tag);
    if (closesRow || closesSection) {
        if (closesSection && !m_open.inScope(tag, Scope::TableScope))
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        if (!m_open.inScope(Tag::Tr, Scope::TableScope))
            return closesSection ? void() : unexpectedToken(token);
        clearToRowContext();
        popCurrent();
        m_mode = Mode::InTableBody;
        return reprocess(token);
    }
    if (isEndTag(token, {Tag::Body, Tag::Caption, Tag::Col, Tag::Colgroup, Tag::Html, Tag::Td, Tag::Th},
                 tag))
        return unexpectedToken(token);
    inTable(token);
}

void HtmlTreeBuilder::inCell(HtmlToken &token)
{
    const int tag = m_tokenTag;
    if (isEndTag(token, {Tag::Td, Tag::Th}, tag)) {
        if (!m_open.inScope(tag, Scope::TableScope))
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        generateImpliedEndTags();
        expectCurrent(tag);
        popUntil(tag, token.span);
        m_formatting.clearToLastMarker();
        m_mode = Mode::InRow;
        return;
    }
    if (isStartTag(token, {Tag::Caption, Tag::Col, Tag::Colgroup, Tag::Tbody, Tag::Td, Tag::Tfoot,
                           Tag::Th, Tag::Thead, Tag::Tr}, tag)) {
        if (!m_open.inScope(Tag::Td, Scope::TableScope) && !m_open.inScope(Tag::Th, Scope::TableScope))
            return unexpectedToken(token);
        closeCell();
        return reprocess(token);
    }
    if (isEndTag(token, {Tag::Body, Tag::Caption, Tag::Col, Tag::Colgroup, Tag::Html}, tag))
        return unexpectedToken(token);
    if (isEndTag(token, {Tag::Table, Tag::Tbody, Tag::Tfoot, Tag::Thead, Tag::Tr}, tag)) {
        if (!m_open.inScope(tag, Scope::TableScope))
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        closeCell();
        return reprocess(token);
    }
    inBody(token);
}

void HtmlTreeBuilder::inTemplate(HtmlToken &token)
{
    const int tag = m_tokenTag;
    switch (token.type) {
    case Type::Characters:
    case Type::Comment:
    case Type::Doctype:
        return inBody(token);
    case Type::StartTag:
        switch (tag) {
        case Tag::Base:
        case Tag::Basefont:
        case Tag::Bgsound:
        case Tag::Link:
        case Tag::Meta:
        case Tag::Noframes:
        case Tag::Script:
        case Tag::Style:
        case Tag::Template:
        case Tag::Title:
            return inHead(token);
        case Tag::Caption:
        case Tag::Colgroup:
        case Tag::Tbody:
        case Tag::Tfoot:
        case Tag::Thead:
            return switchToTemplateMode(Mode::InTable, token);
        case Tag::Col:
            return switchToTemplateMode(Mode::InColumnGroup, token);
        case Tag::Tr:
            return switchToTemplateMode(Mode::InTableBody, token);
        case Tag::Td:
        case Tag::Th:
            return switchToTemplateMode(Mode::InRow, token);
        default:
            return switchToTemplateMode(Mode::InBody, token);
        }
    case Type::EndTag:
        if (tag == Tag::Template)
            return inHead(token);
        return unexpectedToken(token);
    case Type::EndOfFile:
        if (!m_open.contains(Tag::Template))
            return stopParsing();
        reportOpenElements(m_open.topIndexOf(Tag::Template), token.span);
        popUntil(Tag::Template);
        m_formatting.clearToLastMarker();
        m_templateModes.pop_back();
        resetInsertionMode();
        return reprocess(token);
    }
}

void HtmlTreeBuilder::switchToTemplateMode(Mode mode, HtmlToken &token)
{
    m_templateModes.back() = mode;
    m_mode = mode;
    reprocess(token);
}

void HtmlTreeBuilder::afterBody(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace())
            return insertWhitespaceInBody(blanks);
        break;
    case Type::Comment:
        return appendComment(token, m_open.at(0)->node);
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::StartTag:
        if (m_tokenTag == Tag::Html)
            return inBody(token);
        break;
    case Type::EndTag:
        if (m_tokenTag == Tag::Html) {
            if (isFragmentCase())
                return parseError(TreeError::UnexpectedEndTag, token.name);
            m_open.at(0)->node->endTag = token.span;
            m_mode = Mode::AfterAfterBody;
            return;
        }
        break;
    case Type::EndOfFile:
        return stopParsing();
    }
    parseError(TreeError::ContentAfterBody, token.name);
    m_mode = Mode::InBody;
    reprocess(token);
}

void HtmlTreeBuilder::inFrameset(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace())
            return insertTextFromToken(blanks);
        return skipTextWithError(nonWhitespacePrefix(restOfText()), TreeError::UnexpectedText);
    case Type::Comment:
        return insertComment(token);
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::StartTag:
        switch (m_tokenTag) {
        case Tag::Html:
            return inBody(token);
        case Tag::Frameset:
            insertHtmlElement(token);
            return;
        case Tag::Frame:
            insertHtmlElement(token);
            popCurrent();
            acknowledgeSelfClosing();
            return;
        case Tag::Noframes:
            return inHead(token);
        default:
            return unexpectedToken(token);
        }
    case Type::EndTag:
        if (m_tokenTag != Tag::Frameset)
            return unexpectedToken(token);
        if (m_open.size() == 1)
            return parseError(TreeError::EndTagWithoutOpenElement, token.name);
        currentElement()->node->endTag = token.span;
        popCurrent();
        if (!isFragmentCase() && !currentIs(Tag::Frameset))
            m_mode = Mode::AfterFrameset;
        return;
    case Type::EndOfFile:
        reportOpenElements(1, token.span);
        return stopParsing();
    }
}

void HtmlTreeBuilder::afterFrameset(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace())
            return insertTextFromToken(blanks);
        return skipTextWithError(nonWhitespacePrefix(restOfText()), TreeError::UnexpectedText);
    case Type::Comment:
        return insertComment(token);
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::StartTag:
        if (m_tokenTag == Tag::Html)
            return inBody(token);
        if (m_tokenTag == Tag::Noframes)
            return inHead(token);
        return unexpectedToken(token);
    case Type::EndTag:
        if (m_tokenTag != Tag::Html)
            return unexpectedToken(token);
        m_open.at(0)->node->endTag = token.span;
        m_mode = Mode::AfterAfterFrameset;
        return;
    case Type::EndOfFile:
        return stopParsing();
    }
}

void HtmlTreeBuilder::afterAfterBody(HtmlToken &token)
{
    switch (token.type) {
    case Type::Comment:
        return appendComment(token, m_document.root());
    case Type::Doctype:
        return inBody(token);
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace())
            return insertWhitespaceInBody(blanks);
        break;
    case Type::StartTag:
        if (m_tokenTag == Tag::Html)
            return inBody(token);
        break;
    case Type::EndTag:
        break;
    case Type::EndOfFile:
        return stopParsing();
    }
    parseError(TreeError::ContentAfterBody, token.name);
    m_mode = Mode::InBody;
    reprocess(token);
}

void HtmlTreeBuilder::afterAfterFrameset(HtmlToken &token)
{
    switch (token.type) {
    case Type::Comment:
        return appendComment(token, m_document.root());
    case Type::Doctype:
        return inBody(token);
    case Type::Characters:
        if (const qsizetype blanks = leadingWhitespace())
            return insertWhitespaceInBody(blanks);
        return skipTextWithError(nonWhitespacePrefix(restOfText()), TreeError::UnexpectedText);
    case Type::StartTag:
        if (m_tokenTag == Tag::Html)
            return inBody(token);
        if (m_tokenTag == Tag::Noframes)
            return inHead(token);
        return unexpectedToken(token);
    case Type::EndTag:
        return unexpectedToken(token);
    case Type::EndOfFile:
        return stopParsing();
    }
}

void HtmlTreeBuilder::inForeignContent(HtmlToken &token)
{
    switch (token.type) {
    case Type::Characters: {
        const QStringView rest = restOfText();
        if (const qsizetype nulls = nullPrefix(rest)) {
            const SourceSpan span = textSpan(m_textFrom, m_textFrom + nulls);
            parseErrorAt(TreeError::NullCharacterInText, span);
            insertText(QString(nulls, QChar(0xFFFD)), span);
            return skipText(nulls);
        }
        const qsizetype count = withoutNull(rest);
        if (m_framesetOk && !isAllWhitespace(rest.first(count)))
            m_framesetOk = false;
        return insertTextFromToken(count);
    }
    case Type::Comment:
        return insertComment(token);
    case Type::Doctype:
        return unexpectedToken(token);
    case Type::StartTag: {
        const bool breaksOut = tagHas(m_tokenTag, TagFlag::BreaksOutOfForeign)
            || (m_tokenTag == Tag::Font
                && (hasAttribute(token, u"color") || hasAttribute(token, u"face")
                    || hasAttribute(token, u"size")));
        if (breaksOut)
            return breakOutOfForeignContent(token);
        const HtmlNamespace ns = adjustedCurrentNode()->node->ns;
        if (ns == HtmlNamespace::MathMl) {
            adjustMathMlAttributes(token.attributes);
        } else {
            token.name = adjustedSvgTagName(token.name);
            adjustSvgAttributes(token.attributes);
        }
        adjustForeignAttributes(token.attributes);
        insertForeignElement(token, ns);
        if (token.selfClosing) {
            acknowledgeSelfClosing();
            popCurrent();
        }
        return;
    }
    case Type::EndTag:
        return inForeignContentEndTag(token);
    case Type::EndOfFile:
        return; // never here: the end goes by the insertion mode
    }
}

// An HTML element that cannot stand in SVG or MathML ends them: the foreign elements are
// closed and the tag is handled as HTML.
void HtmlTreeBuilder::breakOutOfForeignContent(HtmlToken &token)
{
    parseError(TreeError::HtmlTagInForeignContent, token.name);
    while (true) {
        const ParserElement *current = currentElement();
        if (current->node->ns == HtmlNamespace::Html || current->htmlIntegrationPoint
            || tagHas(current->tag, TagFlag::TextIntegrationPoint))
            break;
        popCurrent();
    }
    process(m_mode, token);
}

void HtmlTreeBuilder::inForeignContentEndTag(HtmlToken &token)
{
    if (m_tokenTag == Tag::Br || m_tokenTag == Tag::P)
        return breakOutOfForeignContent(token);
    ParserElement *current = currentElement();
    if (current->tag == Tag::SvgScript && token.name == u"script") {
        current->node->endTag = token.span;
        popCurrent();
        return;
    }
    // The nearest foreign element of that name, unless an HTML element comes first.
    const int top = m_open.size() - 1;
    int match = -1;
    for (int i = top; i > 0;) {
        if (equalsIgnoringAsciiCase(m_open.at(i)->node->name, token.name)) {
            match = i;
            break;
        }
        if (m_open.at(--i)->node->ns == HtmlNamespace::Html)
            break;
    }
    if (match != top) {
        if (match >= 0)
            parseError(TreeError::ElementClosedImplicitly, current->node->name);
        else
            parseError(TreeError::UnexpectedEndTag, token.name);
    }
    if (match >= 0)
        popUntilElement(m_open.at(match), token.span);
    else if (top > 0)
        process(m_mode, token);
}
