#include "html/parser/html_tokenizer.h"

#include "html/parser/character_references.h"

#include <QSet>

#include <algorithm>
#include <string_view>

namespace {

// The parse error codes, as the standard names them.
namespace Code {
constexpr char AbruptClosingOfEmptyComment[] = "abrupt-closing-of-empty-comment";
constexpr char AbruptDoctypePublicIdentifier[] = "abrupt-doctype-public-identifier";
constexpr char AbruptDoctypeSystemIdentifier[] = "abrupt-doctype-system-identifier";
constexpr char AbsenceOfDigitsInNumericCharacterReference[] =
    "absence-of-digits-in-numeric-character-reference";
constexpr char CdataInHtmlContent[] = "cdata-in-html-content";
constexpr char CharacterReferenceOutsideUnicodeRange[] = "character-reference-outside-unicode-range";
constexpr char ControlCharacterInInputStream[] = "control-character-in-input-stream";
constexpr char ControlCharacterReference[] = "control-character-reference";
constexpr char DuplicateAttribute[] = "duplicate-attribute";
constexpr char EndTagWithAttributes[] = "end-tag-with-attributes";
constexpr char EndTagWithTrailingSolidus[] = "end-tag-with-trailing-solidus";
constexpr char EofBeforeTagName[] = "eof-before-tag-name";
constexpr char EofInCdata[] = "eof-in-cdata";
constexpr char EofInComment[] = "eof-in-comment";
constexpr char EofInDoctype[] = "eof-in-doctype";
constexpr char EofInScriptHtmlCommentLikeText[] = "eof-in-script-html-comment-like-text";
constexpr char EofInTag[] = "eof-in-tag";
constexpr char IncorrectlyClosedComment[] = "incorrectly-closed-comment";
constexpr char IncorrectlyOpenedComment[] = "incorrectly-opened-comment";
constexpr char InvalidCharacterSequenceAfterDoctypeName[] = "invalid-character-sequence-after-doctype-name";
constexpr char InvalidFirstCharacterOfTagName[] = "invalid-first-character-of-tag-name";
constexpr char MissingAttributeValue[] = "missing-attribute-value";
constexpr char MissingDoctypeName[] = "missing-doctype-name";
constexpr char MissingDoctypePublicIdentifier[] = "missing-doctype-public-identifier";
constexpr char MissingDoctypeSystemIdentifier[] = "missing-doctype-system-identifier";
constexpr char MissingEndTagName[] = "missing-end-tag-name";
constexpr char MissingQuoteBeforeDoctypePublicIdentifier[] = "missing-quote-before-doctype-public-identifier";
constexpr char MissingQuoteBeforeDoctypeSystemIdentifier[] = "missing-quote-before-doctype-system-identifier";
constexpr char MissingSemicolonAfterCharacterReference[] = "missing-semicolon-after-character-reference";
constexpr char MissingWhitespaceAfterDoctypePublicKeyword[] = "missing-whitespace-after-doctype-public-keyword";
constexpr char MissingWhitespaceAfterDoctypeSystemKeyword[] = "missing-whitespace-after-doctype-system-keyword";
constexpr char MissingWhitespaceBeforeDoctypeName[] = "missing-whitespace-before-doctype-name";
constexpr char MissingWhitespaceBetweenAttributes[] = "missing-whitespace-between-attributes";
constexpr char MissingWhitespaceBetweenDoctypePublicAndSystemIdentifiers[] =
    "missing-whitespace-between-doctype-public-and-system-identifiers";
constexpr char NestedComment[] = "nested-comment";
constexpr char NoncharacterCharacterReference[] = "noncharacter-character-reference";
constexpr char NoncharacterInInputStream[] = "noncharacter-in-input-stream";
constexpr char NullCharacterReference[] = "null-character-reference";
constexpr char SurrogateCharacterReference[] = "surrogate-character-reference";
constexpr char SurrogateInInputStream[] = "surrogate-in-input-stream";
constexpr char UnexpectedCharacterAfterDoctypeSystemIdentifier[] =
    "unexpected-character-after-doctype-system-identifier";
constexpr char UnexpectedCharacterInAttributeName[] = "unexpected-character-in-attribute-name";
constexpr char UnexpectedCharacterInUnquotedAttributeValue[] = "unexpected-character-in-unquoted-attribute-value";
constexpr char UnexpectedEqualsSignBeforeAttributeName[] = "unexpected-equals-sign-before-attribute-name";
constexpr char UnexpectedNullCharacter[] = "unexpected-null-character";
constexpr char UnexpectedQuestionMarkInsteadOfTagName[] = "unexpected-question-mark-instead-of-tag-name";
constexpr char UnexpectedSolidusInTag[] = "unexpected-solidus-in-tag";
constexpr char UnknownNamedCharacterReference[] = "unknown-named-character-reference";
} // namespace Code

constexpr int Eof = -1;
constexpr char16_t ReplacementCharacter = 0xFFFD;

// A tag with this many attributes looks for a repeated name in a set instead of the list.
constexpr qsizetype ManyAttributes = 16;

// Tag and attribute names most pages use: the tokenizer hands these out as constant text instead
// of allocating each one again.
constexpr std::u16string_view commonNames[] = {
    u"a", u"abbr", u"accesskey", u"action", u"address", u"align", u"alt", u"area", u"aria-hidden",
    u"aria-label", u"article", u"aside", u"async", u"audio", u"autocomplete", u"autofocus", u"b",
    u"base", u"bdi", u"bdo", u"bgcolor", u"blockquote", u"body", u"border", u"br", u"button",
    u"canvas", u"caption", u"cellpadding", u"cellspacing", u"center", u"charset", u"checked",
    u"cite", u"class", u"code", u"col", u"colgroup", u"color", u"cols", u"colspan", u"content",
    u"contenteditable", u"crossorigin", u"data", u"datalist", u"datetime", u"dd", u"defer", u"del",
    u"details", u"dfn", u"dialog", u"dir", u"disabled", u"div", u"dl", u"download", u"draggable",
    u"dt", u"em", u"embed", u"enctype", u"face", u"fieldset", u"figcaption", u"figure", u"font",
    u"footer", u"for", u"form", u"frame", u"frameset", u"h1", u"h2", u"h3", u"h4", u"h5", u"h6",
    u"head", u"header", u"height", u"hgroup", u"hidden", u"hr", u"href", u"hreflang", u"html",
    u"http-equiv", u"i", u"id", u"iframe", u"img", u"input", u"ins", u"integrity", u"itemprop",
    u"itemscope", u"itemtype", u"kbd", u"label", u"lang", u"legend", u"li", u"link", u"loading",
    u"main", u"map", u"mark", u"marquee", u"max", u"maxlength", u"media", u"menu", u"meta",
    u"meter", u"method", u"min", u"multiple", u"name", u"nav", u"noscript", u"novalidate",
    u"object", u"ol", u"onclick", u"onload", u"optgroup", u"option", u"output", u"p", u"param",
    u"pattern", u"picture", u"placeholder", u"pre", u"progress", u"property", u"q", u"readonly",
    u"referrerpolicy", u"rel", u"required", u"role", u"rows", u"rowspan", u"rp", u"rt", u"ruby",
    u"s", u"samp", u"sandbox", u"scope", u"script", u"search", u"section", u"select", u"selected",
    u"size", u"sizes", u"slot", u"small", u"source", u"span", u"src", u"srcset", u"start", u"step",
    u"strong", u"style", u"sub", u"summary", u"sup", u"svg", u"tabindex", u"table", u"target",
    u"tbody", u"td", u"template", u"textarea", u"tfoot", u"th", u"thead", u"time", u"title", u"tr",
    u"track", u"type", u"u", u"ul", u"usemap", u"valign", u"value", u"var", u"video", u"viewbox",
    u"wbr", u"width", u"xmlns"
};

// Where each common name sits in a small open hash table, worked out by the compiler.
constexpr unsigned nameHash(std::u16string_view name)
{
    return (unsigned(name.size()) * 37u + name.front() * 5u + name[name.size() / 2] * 3u + name.back()) & 511u;
}

struct CommonNameTable
{
    unsigned char places[512] = {}; // an index into commonNames plus 1; 0 for an empty slot
    constexpr CommonNameTable()
    {
        for (size_t i = 0; i < std::size(commonNames); ++i) {
            unsigned slot = nameHash(commonNames[i]);
            while (places[slot])
                slot = (slot + 1) & 511u;
            places[slot] = static_cast<unsigned char>(i + 1);
        }
    }
};
constexpr CommonNameTable commonNameTable;
static_assert(std::size(commonNames) < 256);

// The tokenizer's states, one for each of the standard's.
enum class S : unsigned char {
    Data,
    Rcdata,
    Rawtext,
    ScriptData,
    Plaintext,
    TagOpen,
    EndTagOpen,
    TagName,
    RcdataLessThanSign,
    RcdataEndTagOpen,
    RcdataEndTagName,
    RawtextLessThanSign,
    RawtextEndTagOpen,
    RawtextEndTagName,
    ScriptDataLessThanSign,
    ScriptDataEndTagOpen,
    ScriptDataEndTagName,
    ScriptDataEscapeStart,
    ScriptDataEscapeStartDash,
    ScriptDataEscaped,
    ScriptDataEscapedDash,
    ScriptDataEscapedDashDash,
    ScriptDataEscapedLessThanSign,
    ScriptDataEscapedEndTagOpen,
    ScriptDataEscapedEndTagName,
    ScriptDataDoubleEscapeStart,
    ScriptDataDoubleEscaped,
    ScriptDataDoubleEscapedDash,
    ScriptDataDoubleEscapedDashDash,
    ScriptDataDoubleEscapedLessThanSign,
    ScriptDataDoubleEscapeEnd,
    BeforeAttributeName,
    AttributeName,
    AfterAttributeName,
    BeforeAttributeValue,
    AttributeValueDoubleQuoted,
    AttributeValueSingleQuoted,
    AttributeValueUnquoted,
    AfterAttributeValueQuoted,
    SelfClosingStartTag,
    BogusComment,
    MarkupDeclarationOpen,
    CommentStart,
    CommentStartDash,
    Comment,
    CommentLessThanSign,
    CommentLessThanSignBang,
    CommentLessThanSignBangDash,
    CommentLessThanSignBangDashDash,
    CommentEndDash,
    CommentEnd,
    CommentEndBang,
    Doctype,
    BeforeDoctypeName,
    DoctypeName,
    AfterDoctypeName,
    AfterDoctypePublicKeyword,
    BeforeDoctypePublicIdentifier,
    DoctypePublicIdentifierDoubleQuoted,
    DoctypePublicIdentifierSingleQuoted,
    AfterDoctypePublicIdentifier,
    BetweenDoctypePublicAndSystemIdentifiers,
    AfterDoctypeSystemKeyword,
    BeforeDoctypeSystemIdentifier,
    DoctypeSystemIdentifierDoubleQuoted,
    DoctypeSystemIdentifierSingleQuoted,
    AfterDoctypeSystemIdentifier,
    BogusDoctype,
    CdataSection,
    CdataSectionBracket,
    CdataSectionEnd,
    CharacterReference,
    NamedCharacterReference,
    AmbiguousAmpersand,
    NumericCharacterReference,
    HexadecimalCharacterReferenceStart,
    DecimalCharacterReferenceStart,
    HexadecimalCharacterReference,
    DecimalCharacterReference,
    NumericCharacterReferenceEnd,
};

bool isWhitespace(int c)
{
    // CR never reaches the states: the input stream reads it as LF.
    return c == u'\t' || c == u'\n' || c == u'\f' || c == u' ';
}

bool isUpperAlpha(int c)
{
    return c >= u'A' && c <= u'Z';
}

bool isAlpha(int c)
{
    return isUpperAlpha(c) || (c >= u'a' && c <= u'z');
}

bool isDigit(int c)
{
    return c >= u'0' && c <= u'9';
}

bool isAlphanumeric(int c)
{
    return isAlpha(c) || isDigit(c);
}

int hexValue(int c)
{
    if (isDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

char16_t toLower(int c)
{
    return char16_t(isUpperAlpha(c) ? c + 0x20 : c);
}

bool isNoncharacter(char32_t c)
{
    return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

// ASCII code units that the states may pass over in runs: all but NUL, CR and the controls the
// input stream reports.
constexpr bool isPlainAsciiUnit(char16_t c)
{
    return (c >= 0x20 && c < 0x7F) || c == u'\t' || c == u'\n' || c == u'\f';
}

struct PlainAsciiTable
{
    bool plain[0x80] = {};
    constexpr PlainAsciiTable()
    {
        for (char16_t c = 0; c < 0x80; ++c)
            plain[c] = isPlainAsciiUnit(c);
    }
};
constexpr PlainAsciiTable plainAscii;

bool isPlainAscii(char16_t c)
{
    return plainAscii.plain[c];
}

// What a numeric reference to 0x80-0x9F stands for: code page 1252's character there.
char32_t windows1252(char32_t code)
{
    static constexpr char16_t table[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    return code >= 0x80 && code <= 0x9F ? table[code - 0x80] : code;
}

} // namespace

class HtmlTokenizer::Private
{
public:
    Private(QStringView input, QList<HtmlParseError> *errors)
        : m_text(input.utf16()), m_size(input.size()), m_errors(errors)
    {
        m_characters.type = HtmlToken::Type::Characters;
    }

    HtmlToken next();

    S m_state = S::Data;
    QString m_lastStartTag;
    bool m_foreign = false;

private:
    void step();

    // Reading the input stream.
    int current();
    void checkInputCharacter();
    qsizetype characterLength(qsizetype at) const;
    void advance();
    template<typename Stop>
    qsizetype plainEnd(Stop stop) const;
    bool lookingAt(const char *word, bool ignoreCase) const;

    // Parse errors.
    void error(const char *code, qsizetype offset, qsizetype length, const QString &name = {});
    void characterError(const char *code);

    // Characters and tokens out.
    void emitText(QStringView text, qsizetype from, qsizetype to);
    void emitSource(qsizetype from, qsizetype to);
    void emitCurrent();
    void emitReplacement();
    template<typename Stop>
    void emitRun(Stop stop);
    void flushCharacters();
    void emitToken();
    void emitTag();
    void emitEof();

    // The token being read.
    void startToken(HtmlToken::Type type);
    void appendCurrent(QString &target);
    template<typename Stop>
    void appendRun(QString &target, Stop stop);
    template<typename Stop>
    void appendLowerRun(QString &target, Stop stop);
    void startAttribute();
    void leaveAttributeName();
    bool hasAttribute(const QString &name);
    void finishAttribute();
    bool appropriateEndTag() const;
    QString finishedName() const;

    // Character references.
    bool inAttributeValue() const;
    void beginReference(S returnState);
    void flushReference();
    void appendReferenceValue(QStringView value);

    // The states, grouped as the standard orders them.
    void dataState();
    void rcdataState();
    void rawtextState();
    void scriptDataState();
    void plaintextState();
    void tagOpenState();
    void endTagOpenState();
    void tagNameState();
    void textLessThanSignState(S textState, S endTagOpen);
    void textEndTagOpenState(S textState, S endTagName);
    void textEndTagNameState(S textState);
    void scriptDataLessThanSignState();
    void scriptDataEscapeStartState(S dashState);
    void scriptDataEscapedState();
    void scriptDataEscapedDashState();
    void scriptDataEscapedDashDashState();
    void scriptDataEscapedLessThanSignState();
    void scriptDataDoubleEscapeStartState(S matched, S otherwise);
    void scriptDataDoubleEscapedState();
    void scriptDataDoubleEscapedDashState();
    void scriptDataDoubleEscapedDashDashState();
    void scriptDataDoubleEscapedLessThanSignState();
    void beforeAttributeNameState();
    void attributeNameState();
    void afterAttributeNameState();
    void beforeAttributeValueState();
    void attributeValueQuotedState(char16_t quote);
    void attributeValueUnquotedState();
    void afterAttributeValueQuotedState();
    void selfClosingStartTagState();
    void bogusCommentState();
    void markupDeclarationOpenState();
    void commentStartState();
    void commentStartDashState();
    void commentState();
    void commentLessThanSignState();
    void commentLessThanSignBangState();
    void commentLessThanSignBangDashState();
    void commentLessThanSignBangDashDashState();
    void commentEndDashState();
    void commentEndState();
    void commentEndBangState();
    void doctypeState();
    void beforeDoctypeNameState();
    void doctypeNameState();
    void afterDoctypeNameState();
    void afterDoctypeKeywordState(bool isPublic);
    void beforeDoctypeIdentifierState(bool isPublic);
    void doctypeIdentifierState(bool isPublic, char16_t quote);
    void afterDoctypePublicIdentifierState();
    void betweenDoctypePublicAndSystemIdentifiersState();
    void afterDoctypeSystemIdentifierState();
    void bogusDoctypeState();
    void cdataSectionState();
    void cdataSectionBracketState();
    void cdataSectionEndState();
    void characterReferenceState();
    void namedCharacterReferenceState();
    void ambiguousAmpersandState();
    void numericCharacterReferenceState();
    void numericCharacterReferenceStartState(bool hexadecimal);
    void numericCharacterReferenceDigitsState(bool hexadecimal);
    void numericCharacterReferenceEndState();

    // Shared endings of the doctype states.
    void emitDoctypeAtEof();
    void openDoctypeIdentifier(bool isPublic, char16_t quote);

    const char16_t *m_text;
    qsizetype m_size;
    QList<HtmlParseError> *m_errors;

    qsizetype m_pos = 0;
    // Every character before this was checked for the input stream's errors: each is reported
    // once, when the tokenizer first reads it, however often a state reconsumes it.
    qsizetype m_checkedUpTo = 0;

    // The tag, comment or doctype being read, from its '<'.
    HtmlToken m_token;
    QString m_name; // the tag's or attribute's name being read; keeps its room from name to name
    qsizetype m_tokenStart = 0;
    HtmlAttribute m_attribute;
    bool m_inAttribute = false;
    bool m_attributeDropped = false;
    QSet<QString> m_attributeNames; // filled for tags with many attributes only

    // The temporary buffer of end tag names and script escapes.
    QString m_buffer;

    S m_returnState = S::Data;
    qsizetype m_referenceStart = 0;
    char32_t m_referenceCode = 0;

    // Characters gather into one run until another token comes; then the run, and after it that
    // token, are handed out from where they were read into.
    HtmlToken m_characters;
    qsizetype m_charactersEnd = 0;
    bool m_charactersReady = false;
    bool m_tokenReady = false;
    bool m_finished = false;
};

// --- Reading the input stream ---------------------------------------------------------------

// The current input character, or Eof: CR reads as LF, and a character read for the first time
// is checked for the input stream's errors.
int HtmlTokenizer::Private::current()
{
    if (m_pos >= m_size)
        return Eof;
    const char16_t c = m_text[m_pos];
    if (m_pos >= m_checkedUpTo && !(c < 0x80 && isPlainAscii(c)))
        checkInputCharacter();
    return c == u'\r' ? u'\n' : c;
}

void HtmlTokenizer::Private::checkInputCharacter()
{
    const char16_t c = m_text[m_pos];
    const qsizetype length = characterLength(m_pos);
    const char *code = nullptr;
    if (c < 0x20) {
        if (c != 0 && c != u'\t' && c != u'\n' && c != u'\f' && c != u'\r')
            code = Code::ControlCharacterInInputStream;
    } else if (c >= 0x7F && c <= 0x9F) {
        code = Code::ControlCharacterInInputStream;
    } else if (QChar::isSurrogate(c)) {
        if (length == 1)
            code = Code::SurrogateInInputStream;
        else if (isNoncharacter(QChar::surrogateToUcs4(c, m_text[m_pos + 1])))
            code = Code::NoncharacterInInputStream;
    } else if (isNoncharacter(c)) {
        code = Code::NoncharacterInInputStream;
    }
    if (code)
        error(code, m_pos, length);
    m_checkedUpTo = m_pos + length;
}

// Code units of the character at `at`: 2 for CR LF and a surrogate pair, 0 at the end.
qsizetype HtmlTokenizer::Private::characterLength(qsizetype at) const
{
    if (at >= m_size)
        return 0;
    const char16_t c = m_text[at];
    if (at + 1 < m_size) {
        const char16_t following = m_text[at + 1];
        if ((c == u'\r' && following == u'\n')
            || (QChar::isHighSurrogate(c) && QChar::isLowSurrogate(following)))
            return 2;
    }
    return 1;
}

// Consumes the current character: CR LF at once, else one code unit (a surrogate pair goes as
// two units, each appended where it belongs).
void HtmlTokenizer::Private::advance()
{
    if (m_pos >= m_size)
        return;
    m_pos += (m_text[m_pos] == u'\r' && m_pos + 1 < m_size && m_text[m_pos + 1] == u'\n') ? 2 : 1;
}

// The end of the run from the current place that a state may take whole: no unit that `stop`
// names, and none that needs a look of its own (NUL, CR, what the input stream reports).
template<typename Stop>
qsizetype HtmlTokenizer::Private::plainEnd(Stop stop) const
{
    qsizetype i = m_pos;
    while (i < m_size) {
        const char16_t c = m_text[i];
        if (stop(c))
            break;
        if (c < 0x80) {
            if (!isPlainAscii(c))
                break;
        } else if (c <= 0x9F) {
            break;
        } else if (c >= 0xD800) {
            if (QChar::isHighSurrogate(c) && i + 1 < m_size && QChar::isLowSurrogate(m_text[i + 1])
                && !isNoncharacter(QChar::surrogateToUcs4(c, m_text[i + 1]))) {
                i += 2;
                continue;
            }
            if (c <= 0xDFFF || isNoncharacter(c))
                break;
        }
        ++i;
    }
    return i;
}

// Whether the input goes on with `word` (ASCII) from the current place.
bool HtmlTokenizer::Private::lookingAt(const char *word, bool ignoreCase) const
{
    qsizetype i = m_pos;
    for (; *word; ++word, ++i) {
        if (i >= m_size)
            return false;
        const int c = ignoreCase ? toLower(m_text[i]) : m_text[i];
        if (c != *word)
            return false;
    }
    return true;
}

// --- Parse errors ---------------------------------------------------------------------------

void HtmlTokenizer::Private::error(const char *code, qsizetype offset, qsizetype length, const QString &name)
{
    m_errors->append(HtmlParseError{code, SourceSpan{offset, length}, name});
}

// An error about the current input character (at the end of the input: length 0 there).
void HtmlTokenizer::Private::characterError(const char *code)
{
    error(code, m_pos, characterLength(m_pos));
}

// --- Characters and tokens out --------------------------------------------------------------

// Appends to the run of characters what was read at [from, to).
void HtmlTokenizer::Private::emitText(QStringView text, qsizetype from, qsizetype to)
{
    if (m_characters.data.isEmpty()) {
        m_characters.span.offset = from;
    } else {
        const qsizetype index = m_characters.data.size();
        const HtmlSourceShift last = m_characters.shifts.isEmpty()
            ? HtmlSourceShift{0, m_characters.span.offset}
            : m_characters.shifts.constLast();
        if (last.offset + (index - last.index) != from)
            m_characters.shifts.append(HtmlSourceShift{index, from});
    }
    m_characters.data.append(text);
    m_charactersEnd = to;
}

void HtmlTokenizer::Private::emitSource(qsizetype from, qsizetype to)
{
    emitText(QStringView(m_text + from, to - from), from, to);
}

void HtmlTokenizer::Private::emitCurrent()
{
    const qsizetype from = m_pos;
    advance();
    if (m_text[from] == u'\r')
        emitText(u"\n", from, m_pos);
    else
        emitSource(from, m_pos);
}

// An unexpected NUL reads as U+FFFD.
void HtmlTokenizer::Private::emitReplacement()
{
    emitText(QStringView(&ReplacementCharacter, 1), m_pos, m_pos + 1);
    advance();
}

template<typename Stop>
void HtmlTokenizer::Private::emitRun(Stop stop)
{
    const qsizetype end = plainEnd(stop);
    if (end > m_pos) {
        emitSource(m_pos, end);
        m_pos = end;
    }
}

void HtmlTokenizer::Private::flushCharacters()
{
    if (m_characters.data.isEmpty())
        return;
    m_characters.span.length = m_charactersEnd - m_characters.span.offset;
    m_charactersReady = true;
}

// Emits the comment or doctype read so far, ending at the current place.
void HtmlTokenizer::Private::emitToken()
{
    flushCharacters();
    m_token.span = SourceSpan{m_tokenStart, m_pos - m_tokenStart};
    m_tokenReady = true;
}

void HtmlTokenizer::Private::emitTag()
{
    finishAttribute();
    if (m_token.type == HtmlToken::Type::StartTag) {
        m_lastStartTag = m_token.name;
    } else {
        if (!m_token.attributes.isEmpty())
            error(Code::EndTagWithAttributes, m_tokenStart, m_pos - m_tokenStart, m_token.name);
        if (m_token.selfClosing)
            error(Code::EndTagWithTrailingSolidus, m_tokenStart, m_pos - m_tokenStart, m_token.name);
    }
    emitToken();
}

void HtmlTokenizer::Private::emitEof()
{
    flushCharacters();
    m_finished = true;
}

HtmlToken HtmlTokenizer::Private::next()
{
    while (!m_charactersReady && !m_tokenReady) {
        if (m_finished) {
            HtmlToken end;
            end.span = SourceSpan{m_size, 0};
            return end;
        }
        step();
    }
    if (m_charactersReady) {
        m_charactersReady = false;
        HtmlToken run = std::move(m_characters);
        m_characters = HtmlToken();
        m_characters.type = HtmlToken::Type::Characters;
        return run;
    }
    m_tokenReady = false;
    return std::move(m_token);
}

// --- The token being read -------------------------------------------------------------------

void HtmlTokenizer::Private::startToken(HtmlToken::Type type)
{
    m_token = HtmlToken();
    m_token.type = type;
    m_name.truncate(0);
    m_inAttribute = false;
    m_attributeNames.clear();
}

// Appends the current input character (CR LF and CR as LF) and consumes it.
void HtmlTokenizer::Private::appendCurrent(QString &target)
{
    target.append(m_text[m_pos] == u'\r' ? QChar(u'\n') : QChar(m_text[m_pos]));
    advance();
}

template<typename Stop>
void HtmlTokenizer::Private::appendRun(QString &target, Stop stop)
{
    const qsizetype end = plainEnd(stop);
    if (end > m_pos) {
        target.append(QStringView(m_text + m_pos, end - m_pos));
        m_pos = end;
    }
}

// Appends a run of a name, ASCII upper case letters in lower case.
template<typename Stop>
void HtmlTokenizer::Private::appendLowerRun(QString &target, Stop stop)
{
    const qsizetype end = plainEnd(stop);
    if (end == m_pos)
        return;
    const qsizetype from = target.size();
    target.append(QStringView(m_text + m_pos, end - m_pos));
    QChar *appended = target.data() + from;
    for (qsizetype i = 0; i < end - m_pos; ++i) {
        if (isUpperAlpha(appended[i].unicode()))
            appended[i] = QChar(appended[i].unicode() + 0x20);
    }
    m_pos = end;
}

void HtmlTokenizer::Private::startAttribute()
{
    finishAttribute();
    m_attribute = HtmlAttribute();
    m_attribute.nameSpan.offset = m_pos;
    m_name.truncate(0);
    if (m_token.attributes.isEmpty())
        m_token.attributes.reserve(4);
    m_inAttribute = true;
    m_attributeDropped = false;
}

// Where the standard checks for a repeated name: a repeated attribute is read on, then dropped.
void HtmlTokenizer::Private::leaveAttributeName()
{
    m_attribute.nameSpan.length = m_pos - m_attribute.nameSpan.offset;
    m_attribute.name = finishedName();
    if (hasAttribute(m_attribute.name)) {
        error(Code::DuplicateAttribute, m_attribute.nameSpan.offset, m_attribute.nameSpan.length,
              m_attribute.name);
        m_attributeDropped = true;
    }
}

bool HtmlTokenizer::Private::hasAttribute(const QString &name)
{
    const QList<HtmlAttribute> &attributes = m_token.attributes;
    if (attributes.size() < ManyAttributes) {
        return std::any_of(attributes.cbegin(), attributes.cend(),
                           [&name](const HtmlAttribute &attribute) { return attribute.name == name; });
    }
    // A tag with thousands of attributes must not cost the square of their number.
    if (m_attributeNames.isEmpty()) {
        for (const HtmlAttribute &attribute : attributes)
            m_attributeNames.insert(attribute.name);
    }
    return m_attributeNames.contains(name);
}

void HtmlTokenizer::Private::finishAttribute()
{
    if (!m_inAttribute)
        return;
    m_inAttribute = false;
    if (m_attributeDropped)
        return;
    if (!m_attributeNames.isEmpty())
        m_attributeNames.insert(m_attribute.name);
    m_token.attributes.append(std::move(m_attribute));
}

bool HtmlTokenizer::Private::appropriateEndTag() const
{
    return !m_lastStartTag.isEmpty() && m_name == m_lastStartTag;
}

QString HtmlTokenizer::Private::finishedName() const
{
    const std::u16string_view name(reinterpret_cast<const char16_t *>(m_name.constData()), size_t(m_name.size()));
    if (!name.empty()) {
        for (unsigned slot = nameHash(name); commonNameTable.places[slot]; slot = (slot + 1) & 511u) {
            const std::u16string_view common = commonNames[commonNameTable.places[slot] - 1];
            if (common == name)
                return QString::fromRawData(reinterpret_cast<const QChar *>(common.data()), qsizetype(common.size()));
        }
    }
    return QString(m_name.constData(), m_name.size());
}

// --- Character references -------------------------------------------------------------------

bool HtmlTokenizer::Private::inAttributeValue() const
{
    return m_returnState == S::AttributeValueDoubleQuoted || m_returnState == S::AttributeValueSingleQuoted
        || m_returnState == S::AttributeValueUnquoted;
}

void HtmlTokenizer::Private::beginReference(S returnState)
{
    m_returnState = returnState;
    m_referenceStart = m_pos;
    advance();
    m_state = S::CharacterReference;
}

// Gives what was read of a reference, from its '&', as it stands.
void HtmlTokenizer::Private::flushReference()
{
    if (inAttributeValue())
        m_attribute.value.append(QStringView(m_text + m_referenceStart, m_pos - m_referenceStart));
    else
        emitSource(m_referenceStart, m_pos);
}

// Gives what a reference read up to the current place stands for.
void HtmlTokenizer::Private::appendReferenceValue(QStringView value)
{
    if (inAttributeValue())
        m_attribute.value.append(value);
    else
        emitText(value, m_referenceStart, m_pos);
}

// --- The states -----------------------------------------------------------------------------

void HtmlTokenizer::Private::step()
{
    switch (m_state) {
    case S::Data: return dataState();
    case S::Rcdata: return rcdataState();
    case S::Rawtext: return rawtextState();
    case S::ScriptData: return scriptDataState();
    case S::Plaintext: return plaintextState();
    case S::TagOpen: return tagOpenState();
    case S::EndTagOpen: return endTagOpenState();
    case S::TagName: return tagNameState();
    case S::RcdataLessThanSign: return textLessThanSignState(S::Rcdata, S::RcdataEndTagOpen);
    case S::RcdataEndTagOpen: return textEndTagOpenState(S::Rcdata, S::RcdataEndTagName);
    case S::RcdataEndTagName: return textEndTagNameState(S::Rcdata);
    case S::RawtextLessThanSign: return textLessThanSignState(S::Rawtext, S::RawtextEndTagOpen);
    case S::RawtextEndTagOpen: return textEndTagOpenState(S::Rawtext, S::RawtextEndTagName);
    case S::RawtextEndTagName: return textEndTagNameState(S::Rawtext);
    case S::ScriptDataLessThanSign: return scriptDataLessThanSignState();
    case S::ScriptDataEndTagOpen: return textEndTagOpenState(S::ScriptData, S::ScriptDataEndTagName);
    case S::ScriptDataEndTagName: return textEndTagNameState(S::ScriptData);
    case S::ScriptDataEscapeStart: return scriptDataEscapeStartState(S::ScriptDataEscapeStartDash);
    case S::ScriptDataEscapeStartDash: return scriptDataEscapeStartState(S::ScriptDataEscapedDashDash);
    case S::ScriptDataEscaped: return scriptDataEscapedState();
    case S::ScriptDataEscapedDash: return scriptDataEscapedDashState();
    case S::ScriptDataEscapedDashDash: return scriptDataEscapedDashDashState();
    case S::ScriptDataEscapedLessThanSign: return scriptDataEscapedLessThanSignState();
    case S::ScriptDataEscapedEndTagOpen:
        return textEndTagOpenState(S::ScriptDataEscaped, S::ScriptDataEscapedEndTagName);
    case S::ScriptDataEscapedEndTagName: return textEndTagNameState(S::ScriptDataEscaped);
    case S::ScriptDataDoubleEscapeStart:
        return scriptDataDoubleEscapeStartState(S::ScriptDataDoubleEscaped, S::ScriptDataEscaped);
    case S::ScriptDataDoubleEscaped: return scriptDataDoubleEscapedState();
    case S::ScriptDataDoubleEscapedDash: return scriptDataDoubleEscapedDashState();
    case S::ScriptDataDoubleEscapedDashDash: return scriptDataDoubleEscapedDashDashState();
    case S::ScriptDataDoubleEscapedLessThanSign: return scriptDataDoubleEscapedLessThanSignState();
    case S::ScriptDataDoubleEscapeEnd:
        return scriptDataDoubleEscapeStartState(S::ScriptDataEscaped, S::ScriptDataDoubleEscaped);
    case S::BeforeAttributeName: return beforeAttributeNameState();
    case S::AttributeName: return attributeNameState();
    case S::AfterAttributeName: return afterAttributeNameState();
    case S::BeforeAttributeValue: return beforeAttributeValueState();
    case S::AttributeValueDoubleQuoted: return attributeValueQuotedState(u'"');
    case S::AttributeValueSingleQuoted: return attributeValueQuotedState(u'\'');
    case S::AttributeValueUnquoted: return attributeValueUnquotedState();
    case S::AfterAttributeValueQuoted: return afterAttributeValueQuotedState();
    case S::SelfClosingStartTag: return selfClosingStartTagState();
    case S::BogusComment: return bogusCommentState();
    case S::MarkupDeclarationOpen: return markupDeclarationOpenState();
    case S::CommentStart: return commentStartState();
    case S::CommentStartDash: return commentStartDashState();
    case S::Comment: return commentState();
    case S::CommentLessThanSign: return commentLessThanSignState();
    case S::CommentLessThanSignBang: return commentLessThanSignBangState();
    case S::CommentLessThanSignBangDash: return commentLessThanSignBangDashState();
    case S::CommentLessThanSignBangDashDash: return commentLessThanSignBangDashDashState();
    case S::CommentEndDash: return commentEndDashState();
    case S::CommentEnd: return commentEndState();
    case S::CommentEndBang: return commentEndBangState();
    case S::Doctype: return doctypeState();
    case S::BeforeDoctypeName: return beforeDoctypeNameState();
    case S::DoctypeName: return doctypeNameState();
    case S::AfterDoctypeName: return afterDoctypeNameState();
    case S::AfterDoctypePublicKeyword: return afterDoctypeKeywordState(true);
    case S::BeforeDoctypePublicIdentifier: return beforeDoctypeIdentifierState(true);
    case S::DoctypePublicIdentifierDoubleQuoted: return doctypeIdentifierState(true, u'"');
    case S::DoctypePublicIdentifierSingleQuoted: return doctypeIdentifierState(true, u'\'');
    case S::AfterDoctypePublicIdentifier: return afterDoctypePublicIdentifierState();
    case S::BetweenDoctypePublicAndSystemIdentifiers: return betweenDoctypePublicAndSystemIdentifiersState();
    case S::AfterDoctypeSystemKeyword: return afterDoctypeKeywordState(false);
    case S::BeforeDoctypeSystemIdentifier: return beforeDoctypeIdentifierState(false);
    case S::DoctypeSystemIdentifierDoubleQuoted: return doctypeIdentifierState(false, u'"');
    case S::DoctypeSystemIdentifierSingleQuoted: return doctypeIdentifierState(false, u'\'');
    case S::AfterDoctypeSystemIdentifier: return afterDoctypeSystemIdentifierState();
    case S::BogusDoctype: return bogusDoctypeState();
    case S::CdataSection: return cdataSectionState();
    case S::CdataSectionBracket: return cdataSectionBracketState();
    case S::CdataSectionEnd: return cdataSectionEndState();
    case S::CharacterReference: return characterReferenceState();
    case S::NamedCharacterReference: return namedCharacterReferenceState();
    case S::AmbiguousAmpersand: return ambiguousAmpersandState();
    case S::NumericCharacterReference: return numericCharacterReferenceState();
    case S::HexadecimalCharacterReferenceStart: return numericCharacterReferenceStartState(true);
    case S::DecimalCharacterReferenceStart: return numericCharacterReferenceStartState(false);
    case S::HexadecimalCharacterReference: return numericCharacterReferenceDigitsState(true);
    case S::DecimalCharacterReference: return numericCharacterReferenceDigitsState(false);
    case S::NumericCharacterReferenceEnd: return numericCharacterReferenceEndState();
    }
}

void HtmlTokenizer::Private::dataState()
{
    emitRun([](char16_t c) { return c == u'&' || c == u'<'; });
    switch (current()) {
    case u'&':
        beginReference(S::Data);
        return;
    case u'<':
        m_tokenStart = m_pos;
        advance();
        m_state = S::TagOpen;
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        emitCurrent();
        return;
    case Eof:
        emitEof();
        return;
    default:
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::rcdataState()
{
    emitRun([](char16_t c) { return c == u'&' || c == u'<'; });
    switch (current()) {
    case u'&':
        beginReference(S::Rcdata);
        return;
    case u'<':
        m_tokenStart = m_pos;
        advance();
        m_state = S::RcdataLessThanSign;
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        emitReplacement();
        return;
    case Eof:
        emitEof();
        return;
    default:
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::rawtextState()
{
    emitRun([](char16_t c) { return c == u'<'; });
    switch (current()) {
    case u'<':
        m_tokenStart = m_pos;
        advance();
        m_state = S::RawtextLessThanSign;
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        emitReplacement();
        return;
    case Eof:
        emitEof();
        return;
    default:
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::scriptDataState()
{
    emitRun([](char16_t c) { return c == u'<'; });
    switch (current()) {
    case u'<':
        m_tokenStart = m_pos;
        advance();
        m_state = S::ScriptDataLessThanSign;
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        emitReplacement();
        return;
    case Eof:
        emitEof();
        return;
    default:
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::plaintextState()
{
    emitRun([](char16_t) { return false; });
    switch (current()) {
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        emitReplacement();
        return;
    case Eof:
        emitEof();
        return;
    default:
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::tagOpenState()
{
    const int c = current();
    if (c == u'!') {
        advance();
        m_state = S::MarkupDeclarationOpen;
    } else if (c == u'/') {
        advance();
        m_state = S::EndTagOpen;
    } else if (isAlpha(c)) {
        startToken(HtmlToken::Type::StartTag);
        m_state = S::TagName;
    } else if (c == u'?') {
        characterError(Code::UnexpectedQuestionMarkInsteadOfTagName);
        startToken(HtmlToken::Type::Comment);
        m_state = S::BogusComment;
    } else if (c == Eof) {
        characterError(Code::EofBeforeTagName);
        emitSource(m_tokenStart, m_tokenStart + 1);
        emitEof();
    } else {
        characterError(Code::InvalidFirstCharacterOfTagName);
        emitSource(m_tokenStart, m_tokenStart + 1);
        m_state = S::Data;
    }
}

void HtmlTokenizer::Private::endTagOpenState()
{
    const int c = current();
    if (isAlpha(c)) {
        startToken(HtmlToken::Type::EndTag);
        m_state = S::TagName;
    } else if (c == u'>') {
        characterError(Code::MissingEndTagName);
        advance();
        m_state = S::Data;
    } else if (c == Eof) {
        characterError(Code::EofBeforeTagName);
        emitSource(m_tokenStart, m_tokenStart + 2);
        emitEof();
    } else {
        characterError(Code::InvalidFirstCharacterOfTagName);
        startToken(HtmlToken::Type::Comment);
        m_state = S::BogusComment;
    }
}

void HtmlTokenizer::Private::tagNameState()
{
    appendLowerRun(m_name, [](char16_t c) { return isWhitespace(c) || c == u'/' || c == u'>'; });
    switch (current()) {
    case u'\t':
    case u'\n':
    case u'\f':
    case u' ':
        m_token.name = finishedName();
        advance();
        m_state = S::BeforeAttributeName;
        return;
    case u'/':
        m_token.name = finishedName();
        advance();
        m_state = S::SelfClosingStartTag;
        return;
    case u'>':
        m_token.name = finishedName();
        advance();
        m_state = S::Data;
        emitTag();
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        m_name.append(QChar(ReplacementCharacter));
        advance();
        return;
    case Eof:
        error(Code::EofInTag, m_pos, 0, finishedName());
        emitEof();
        return;
    default:
        appendCurrent(m_name);
        return;
    }
}

// The less-than sign state of RCDATA and RAWTEXT.
void HtmlTokenizer::Private::textLessThanSignState(S textState, S endTagOpen)
{
    if (current() == u'/') {
        m_buffer.clear();
        advance();
        m_state = endTagOpen;
    } else {
        emitSource(m_tokenStart, m_tokenStart + 1);
        m_state = textState;
    }
}

// The end tag open state of RCDATA, RAWTEXT, script data and escaped script data.
void HtmlTokenizer::Private::textEndTagOpenState(S textState, S endTagName)
{
    if (isAlpha(current())) {
        startToken(HtmlToken::Type::EndTag);
        m_state = endTagName;
    } else {
        emitSource(m_tokenStart, m_tokenStart + 2);
        m_state = textState;
    }
}

// The end tag name state of RCDATA, RAWTEXT, script data and escaped script data: only the end
// tag of the element that holds the text ends it.
void HtmlTokenizer::Private::textEndTagNameState(S textState)
{
    const int c = current();
    const bool ends = (isWhitespace(c) || c == u'/' || c == u'>') && appropriateEndTag();
    if (ends)
        m_token.name = finishedName();
    if (ends && isWhitespace(c)) {
        advance();
        m_state = S::BeforeAttributeName;
    } else if (ends && c == u'/') {
        advance();
        m_state = S::SelfClosingStartTag;
    } else if (ends) {
        advance();
        m_state = S::Data;
        emitTag();
    } else if (isAlpha(c)) {
        m_name.append(QChar(toLower(c)));
        m_buffer.append(QChar(char16_t(c)));
        advance();
    } else {
        // "</" and the buffer, as they stand in the source.
        emitSource(m_tokenStart, m_tokenStart + 2 + m_buffer.size());
        m_state = textState;
    }
}

void HtmlTokenizer::Private::scriptDataLessThanSignState()
{
    const int c = current();
    if (c == u'/') {
        m_buffer.clear();
        advance();
        m_state = S::ScriptDataEndTagOpen;
    } else if (c == u'!') {
        advance();
        m_state = S::ScriptDataEscapeStart;
        emitSource(m_tokenStart, m_pos);
    } else {
        emitSource(m_tokenStart, m_tokenStart + 1);
        m_state = S::ScriptData;
    }
}

// The escape start and escape start dash states: each goes on with a '-'.
void HtmlTokenizer::Private::scriptDataEscapeStartState(S dashState)
{
    if (current() == u'-') {
        m_state = dashState;
        emitCurrent();
    } else {
        m_state = S::ScriptData;
    }
}

void HtmlTokenizer::Private::scriptDataEscapedState()
{
    emitRun([](char16_t c) { return c == u'-' || c == u'<'; });
    switch (current()) {
    case u'-':
        m_state = S::ScriptDataEscapedDash;
        emitCurrent();
        return;
    case u'<':
        m_tokenStart = m_pos;
        advance();
        m_state = S::ScriptDataEscapedLessThanSign;
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        emitReplacement();
        return;
    case Eof:
        characterError(Code::EofInScriptHtmlCommentLikeText);
        emitEof();
        return;
    default:
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::scriptDataEscapedDashState()
{
    switch (current()) {
    case u'-':
        m_state = S::ScriptDataEscapedDashDash;
        emitCurrent();
        return;
    case u'<':
        m_tokenStart = m_pos;
        advance();
        m_state = S::ScriptDataEscapedLessThanSign;
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        m_state = S::ScriptDataEscaped;
        emitReplacement();
        return;
    case Eof:
        characterError(Code::EofInScriptHtmlCommentLikeText);
        emitEof();
        return;
    default:
        m_state = S::ScriptDataEscaped;
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::scriptDataEscapedDashDashState()
{
    switch (current()) {
    case u'-':
        emitCurrent();
        return;
    case u'<':
        m_tokenStart = m_pos;
        advance();
        m_state = S::ScriptDataEscapedLessThanSign;
        return;
    case u'>':
        m_state = S::ScriptData;
        emitCurrent();
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        m_state = S::ScriptDataEscaped;
        emitReplacement();
        return;
    case Eof:
        characterError(Code::EofInScriptHtmlCommentLikeText);
        emitEof();
        return;
    default:
        m_state = S::ScriptDataEscaped;
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::scriptDataEscapedLessThanSignState()
{
    const int c = current();
    if (c == u'/') {
        m_buffer.clear();
        advance();
        m_state = S::ScriptDataEscapedEndTagOpen;
    } else if (isAlpha(c)) {
        m_buffer.clear();
        emitSource(m_tokenStart, m_tokenStart + 1);
        m_state = S::ScriptDataDoubleEscapeStart;
    } else {
        emitSource(m_tokenStart, m_tokenStart + 1);
        m_state = S::ScriptDataEscaped;
    }
}

// The double escape start and double escape end states: "script" in the buffer switches to
// `matched`, another word to `otherwise`.
void HtmlTokenizer::Private::scriptDataDoubleEscapeStartState(S matched, S otherwise)
{
    const int c = current();
    if (isWhitespace(c) || c == u'/' || c == u'>') {
        m_state = m_buffer == u"script" ? matched : otherwise;
        emitCurrent();
    } else if (isAlpha(c)) {
        m_buffer.append(QChar(toLower(c)));
        emitCurrent();
    } else {
        m_state = otherwise;
    }
}

void HtmlTokenizer::Private::scriptDataDoubleEscapedState()
{
    emitRun([](char16_t c) { return c == u'-' || c == u'<'; });
    switch (current()) {
    case u'-':
        m_state = S::ScriptDataDoubleEscapedDash;
        emitCurrent();
        return;
    case u'<':
        m_state = S::ScriptDataDoubleEscapedLessThanSign;
        emitCurrent();
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        emitReplacement();
        return;
    case Eof:
        characterError(Code::EofInScriptHtmlCommentLikeText);
        emitEof();
        return;
    default:
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::scriptDataDoubleEscapedDashState()
{
    switch (current()) {
    case u'-':
        m_state = S::ScriptDataDoubleEscapedDashDash;
        emitCurrent();
        return;
    case u'<':
        m_state = S::ScriptDataDoubleEscapedLessThanSign;
        emitCurrent();
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        m_state = S::ScriptDataDoubleEscaped;
        emitReplacement();
        return;
    case Eof:
        characterError(Code::EofInScriptHtmlCommentLikeText);
        emitEof();
        return;
    default:
        m_state = S::ScriptDataDoubleEscaped;
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::scriptDataDoubleEscapedDashDashState()
{
    switch (current()) {
    case u'-':
        emitCurrent();
        return;
    case u'<':
        m_state = S::ScriptDataDoubleEscapedLessThanSign;
        emitCurrent();
        return;
    case u'>':
        m_state = S::ScriptData;
        emitCurrent();
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        m_state = S::ScriptDataDoubleEscaped;
        emitReplacement();
        return;
    case Eof:
        characterError(Code::EofInScriptHtmlCommentLikeText);
        emitEof();
        return;
    default:
        m_state = S::ScriptDataDoubleEscaped;
        emitCurrent();
        return;
    }
}

void HtmlTokenizer::Private::scriptDataDoubleEscapedLessThanSignState()
{
    if (current() == u'/') {
        m_buffer.clear();
        m_state = S::ScriptDataDoubleEscapeEnd;
        emitCurrent();
    } else {
        m_state = S::ScriptDataDoubleEscaped;
    }
}

void HtmlTokenizer::Private::beforeAttributeNameState()
{
    m_pos = plainEnd([](char16_t c) { return !isWhitespace(c); });
    const int c = current();
    if (isWhitespace(c)) {
        advance();
    } else if (c == u'/' || c == u'>' || c == Eof) {
        m_state = S::AfterAttributeName;
    } else if (c == u'=') {
        characterError(Code::UnexpectedEqualsSignBeforeAttributeName);
        startAttribute();
        appendCurrent(m_name);
        m_state = S::AttributeName;
    } else {
        startAttribute();
        m_state = S::AttributeName;
    }
}

void HtmlTokenizer::Private::attributeNameState()
{
    appendLowerRun(m_name, [](char16_t c) {
        return isWhitespace(c) || c == u'/' || c == u'>' || c == u'=' || c == u'"' || c == u'\'' || c == u'<';
    });
    switch (current()) {
    case u'\t':
    case u'\n':
    case u'\f':
    case u' ':
    case u'/':
    case u'>':
    case Eof:
        leaveAttributeName();
        m_state = S::AfterAttributeName;
        return;
    case u'=':
        leaveAttributeName();
        advance();
        m_state = S::BeforeAttributeValue;
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        m_name.append(QChar(ReplacementCharacter));
        advance();
        return;
    case u'"':
    case u'\'':
    case u'<':
        characterError(Code::UnexpectedCharacterInAttributeName);
        appendCurrent(m_name);
        return;
    default:
        appendCurrent(m_name);
        return;
    }
}

void HtmlTokenizer::Private::afterAttributeNameState()
{
    m_pos = plainEnd([](char16_t c) { return !isWhitespace(c); });
    switch (current()) {
    case u'\t':
    case u'\n':
    case u'\f':
    case u' ':
        advance();
        return;
    case u'/':
        advance();
        m_state = S::SelfClosingStartTag;
        return;
    case u'=':
        advance();
        m_state = S::BeforeAttributeValue;
        return;
    case u'>':
        advance();
        m_state = S::Data;
        emitTag();
        return;
    case Eof:
        error(Code::EofInTag, m_pos, 0, m_token.name);
        emitEof();
        return;
    default:
        startAttribute();
        m_state = S::AttributeName;
        return;
    }
}

void HtmlTokenizer::Private::beforeAttributeValueState()
{
    m_pos = plainEnd([](char16_t c) { return !isWhitespace(c); });
    switch (current()) {
    case u'\t':
    case u'\n':
    case u'\f':
    case u' ':
        advance();
        return;
    case u'"':
        advance();
        m_attribute.valueSpan = SourceSpan{m_pos, 0};
        m_state = S::AttributeValueDoubleQuoted;
        return;
    case u'\'':
        advance();
        m_attribute.valueSpan = SourceSpan{m_pos, 0};
        m_state = S::AttributeValueSingleQuoted;
        return;
    case u'>':
        characterError(Code::MissingAttributeValue);
        advance();
        m_state = S::Data;
        emitTag();
        return;
    default:
        m_attribute.valueSpan = SourceSpan{m_pos, 0};
        m_state = S::AttributeValueUnquoted;
        return;
    }
}

void HtmlTokenizer::Private::attributeValueQuotedState(char16_t quote)
{
    appendRun(m_attribute.value, [quote](char16_t c) { return c == quote || c == u'&'; });
    const int c = current();
    if (c == quote) {
        m_attribute.valueSpan.length = m_pos - m_attribute.valueSpan.offset;
        advance();
        m_state = S::AfterAttributeValueQuoted;
    } else if (c == u'&') {
        beginReference(m_state);
    } else if (c == 0) {
        characterError(Code::UnexpectedNullCharacter);
        m_attribute.value.append(QChar(ReplacementCharacter));
        advance();
    } else if (c == Eof) {
        error(Code::EofInTag, m_pos, 0, m_token.name);
        emitEof();
    } else {
        appendCurrent(m_attribute.value);
    }
}

void HtmlTokenizer::Private::attributeValueUnquotedState()
{
    appendRun(m_attribute.value, [](char16_t c) {
        return isWhitespace(c) || c == u'&' || c == u'>' || c == u'"' || c == u'\'' || c == u'<' || c == u'='
            || c == u'`';
    });
    switch (current()) {
    case u'\t':
    case u'\n':
    case u'\f':
    case u' ':
        m_attribute.valueSpan.length = m_pos - m_attribute.valueSpan.offset;
        advance();
        m_state = S::BeforeAttributeName;
        return;
    case u'&':
        beginReference(S::AttributeValueUnquoted);
        return;
    case u'>':
        m_attribute.valueSpan.length = m_pos - m_attribute.valueSpan.offset;
        advance();
        m_state = S::Data;
        emitTag();
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        m_attribute.value.append(QChar(ReplacementCharacter));
        advance();
        return;
    case u'"':
    case u'\'':
    case u'<':
    case u'=':
    case u'`':
        characterError(Code::UnexpectedCharacterInUnquotedAttributeValue);
        appendCurrent(m_attribute.value);
        return;
    case Eof:
        error(Code::EofInTag, m_pos, 0, m_token.name);
        emitEof();
        return;
    default:
        appendCurrent(m_attribute.value);
        return;
    }
}

void HtmlTokenizer::Private::afterAttributeValueQuotedState()
{
    switch (current()) {
    case u'\t':
    case u'\n':
    case u'\f':
    case u' ':
        advance();
        m_state = S::BeforeAttributeName;
        return;
    case u'/':
        advance();
        m_state = S::SelfClosingStartTag;
        return;
    case u'>':
        advance();
        m_state = S::Data;
        emitTag();
        return;
    case Eof:
        error(Code::EofInTag, m_pos, 0, m_token.name);
        emitEof();
        return;
    default:
        characterError(Code::MissingWhitespaceBetweenAttributes);
        m_state = S::BeforeAttributeName;
        return;
    }
}

void HtmlTokenizer::Private::selfClosingStartTagState()
{
    const int c = current();
    if (c == u'>') {
        m_token.selfClosing = true;
        advance();
        m_state = S::Data;
        emitTag();
    } else if (c == Eof) {
        error(Code::EofInTag, m_pos, 0, m_token.name);
        emitEof();
    } else {
        // The solidus is the fault: the state was entered right after it.
        error(Code::UnexpectedSolidusInTag, m_pos - 1, 1);
        m_state = S::BeforeAttributeName;
    }
}

void HtmlTokenizer::Private::bogusCommentState()
{
    appendRun(m_token.data, [](char16_t c) { return c == u'>'; });
    switch (current()) {
    case u'>':
        advance();
        m_state = S::Data;
        emitToken();
        return;
    case Eof:
        emitToken();
        emitEof();
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        m_token.data.append(QChar(ReplacementCharacter));
        advance();
        return;
    default:
        appendCurrent(m_token.data);
        return;
    }
}

void HtmlTokenizer::Private::markupDeclarationOpenState()
{
    current(); // the input stream reports the character after "<!" here, before any error
    if (lookingAt("--", false)) {
        m_pos += 2;
        startToken(HtmlToken::Type::Comment);
        m_state = S::CommentStart;
    } else if (lookingAt("doctype", true)) {
        m_pos += 7;
        m_state = S::Doctype;
    } else if (lookingAt("[CDATA[", false)) {
        // Whether this is a CDATA section depends on the element the characters before it go
        // into: hand those out first, so the tree construction can say so.
        if (!m_characters.data.isEmpty()) {
            flushCharacters();
            return;
        }
        m_pos += 7;
        if (m_foreign) {
            m_state = S::CdataSection;
        } else {
            error(Code::CdataInHtmlContent, m_tokenStart, m_pos - m_tokenStart);
            startToken(HtmlToken::Type::Comment);
            m_token.data = QStringLiteral("[CDATA[");
            m_state = S::BogusComment;
        }
    } else {
        characterError(Code::IncorrectlyOpenedComment);
        startToken(HtmlToken::Type::Comment);
        m_state = S::BogusComment;
    }
}

void HtmlTokenizer::Private::commentStartState()
{
    const int c = current();
    if (c == u'-') {
        advance();
        m_state = S::CommentStartDash;
    } else if (c == u'>') {
        characterError(Code::AbruptClosingOfEmptyComment);
        advance();
        m_state = S::Data;
        emitToken();
    } else {
        m_state = S::Comment;
    }
}

void HtmlTokenizer::Private::commentStartDashState()
{
    const int c = current();
    if (c == u'-') {
        advance();
        m_state = S::CommentEnd;
    } else if (c == u'>') {
        characterError(Code::AbruptClosingOfEmptyComment);
        advance();
        m_state = S::Data;
        emitToken();
    } else if (c == Eof) {
        characterError(Code::EofInComment);
        emitToken();
        emitEof();
    } else {
        m_token.data.append(u'-');
        m_state = S::Comment;
    }
}

void HtmlTokenizer::Private::commentState()
{
    appendRun(m_token.data, [](char16_t c) { return c == u'<' || c == u'-'; });
    switch (current()) {
    case u'<':
        m_token.data.append(u'<');
        advance();
        m_state = S::CommentLessThanSign;
        return;
    case u'-':
        advance();
        m_state = S::CommentEndDash;
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        m_token.data.append(QChar(ReplacementCharacter));
        advance();
        return;
    case Eof:
        characterError(Code::EofInComment);
        emitToken();
        emitEof();
        return;
    default:
        appendCurrent(m_token.data);
        return;
    }
}

void HtmlTokenizer::Private::commentLessThanSignState()
{
    const int c = current();
    if (c == u'!') {
        m_token.data.append(u'!');
        advance();
        m_state = S::CommentLessThanSignBang;
    } else if (c == u'<') {
        m_token.data.append(u'<');
        advance();
    } else {
        m_state = S::Comment;
    }
}

void HtmlTokenizer::Private::commentLessThanSignBangState()
{
    if (current() == u'-') {
        advance();
        m_state = S::CommentLessThanSignBangDash;
    } else {
        m_state = S::Comment;
    }
}

void HtmlTokenizer::Private::commentLessThanSignBangDashState()
{
    if (current() == u'-') {
        advance();
        m_state = S::CommentLessThanSignBangDashDash;
    } else {
        m_state = S::CommentEndDash;
    }
}

void HtmlTokenizer::Private::commentLessThanSignBangDashDashState()
{
    const int c = current();
    if (c != u'>' && c != Eof)
        error(Code::NestedComment, m_pos - 4, 4); // the "<!--" just read
    m_state = S::CommentEnd;
}

void HtmlTokenizer::Private::commentEndDashState()
{
    const int c = current();
    if (c == u'-') {
        advance();
        m_state = S::CommentEnd;
    } else if (c == Eof) {
        characterError(Code::EofInComment);
        emitToken();
        emitEof();
    } else {
        m_token.data.append(u'-');
        m_state = S::Comment;
    }
}

void HtmlTokenizer::Private::commentEndState()
{
    switch (current()) {
    case u'>':
        advance();
        m_state = S::Data;
        emitToken();
        return;
    case u'!':
        advance();
        m_state = S::CommentEndBang;
        return;
    case u'-':
        m_token.data.append(u'-');
        advance();
        return;
    case Eof:
        characterError(Code::EofInComment);
        emitToken();
        emitEof();
        return;
    default:
        m_token.data.append(u"--");
        m_state = S::Comment;
        return;
    }
}

void HtmlTokenizer::Private::commentEndBangState()
{
    switch (current()) {
    case u'-':
        m_token.data.append(u"--!");
        advance();
        m_state = S::CommentEndDash;
        return;
    case u'>':
        error(Code::IncorrectlyClosedComment, m_pos - 3, 4); // "--!>"
        advance();
        m_state = S::Data;
        emitToken();
        return;
    case Eof:
        characterError(Code::EofInComment);
        emitToken();
        emitEof();
        return;
    default:
        m_token.data.append(u"--!");
        m_state = S::Comment;
        return;
    }
}

void HtmlTokenizer::Private::emitDoctypeAtEof()
{
    characterError(Code::EofInDoctype);
    m_token.forceQuirks = true;
    emitToken();
    emitEof();
}

void HtmlTokenizer::Private::doctypeState()
{
    const int c = current();
    startToken(HtmlToken::Type::Doctype);
    if (isWhitespace(c)) {
        advance();
        m_state = S::BeforeDoctypeName;
    } else if (c == u'>') {
        m_state = S::BeforeDoctypeName;
    } else if (c == Eof) {
        emitDoctypeAtEof();
    } else {
        characterError(Code::MissingWhitespaceBeforeDoctypeName);
        m_state = S::BeforeDoctypeName;
    }
}

void HtmlTokenizer::Private::beforeDoctypeNameState()
{
    m_pos = plainEnd([](char16_t c) { return !isWhitespace(c); });
    const int c = current();
    if (isWhitespace(c)) {
        advance();
    } else if (c == u'>') {
        characterError(Code::MissingDoctypeName);
        m_token.forceQuirks = true;
        advance();
        m_state = S::Data;
        emitToken();
    } else if (c == Eof) {
        emitDoctypeAtEof();
    } else {
        m_token.hasName = true;
        if (c == 0) {
            characterError(Code::UnexpectedNullCharacter);
            m_token.name.append(QChar(ReplacementCharacter));
            advance();
        } else if (isUpperAlpha(c)) {
            m_token.name.append(QChar(toLower(c)));
            advance();
        } else {
            appendCurrent(m_token.name);
        }
        m_state = S::DoctypeName;
    }
}

void HtmlTokenizer::Private::doctypeNameState()
{
    appendLowerRun(m_token.name, [](char16_t c) { return isWhitespace(c) || c == u'>'; });
    const int c = current();
    if (isWhitespace(c)) {
        advance();
        m_state = S::AfterDoctypeName;
    } else if (c == u'>') {
        advance();
        m_state = S::Data;
        emitToken();
    } else if (c == 0) {
        characterError(Code::UnexpectedNullCharacter);
        m_token.name.append(QChar(ReplacementCharacter));
        advance();
    } else if (c == Eof) {
        emitDoctypeAtEof();
    } else {
        appendCurrent(m_token.name);
    }
}

void HtmlTokenizer::Private::afterDoctypeNameState()
{
    m_pos = plainEnd([](char16_t c) { return !isWhitespace(c); });
    const int c = current();
    if (isWhitespace(c)) {
        advance();
    } else if (c == u'>') {
        advance();
        m_state = S::Data;
        emitToken();
    } else if (c == Eof) {
        emitDoctypeAtEof();
    } else if (lookingAt("public", true)) {
        m_pos += 6;
        m_state = S::AfterDoctypePublicKeyword;
    } else if (lookingAt("system", true)) {
        m_pos += 6;
        m_state = S::AfterDoctypeSystemKeyword;
    } else {
        characterError(Code::InvalidCharacterSequenceAfterDoctypeName);
        m_token.forceQuirks = true;
        m_state = S::BogusDoctype;
    }
}

// Starts a doctype's public or system identifier at its opening quote.
void HtmlTokenizer::Private::openDoctypeIdentifier(bool isPublic, char16_t quote)
{
    if (isPublic) {
        m_token.hasPublicId = true;
        m_token.publicId.clear();
        m_state = quote == u'"' ? S::DoctypePublicIdentifierDoubleQuoted : S::DoctypePublicIdentifierSingleQuoted;
    } else {
        m_token.hasSystemId = true;
        m_token.systemId.clear();
        m_state = quote == u'"' ? S::DoctypeSystemIdentifierDoubleQuoted : S::DoctypeSystemIdentifierSingleQuoted;
    }
    advance();
}

// The after DOCTYPE public keyword and after DOCTYPE system keyword states.
void HtmlTokenizer::Private::afterDoctypeKeywordState(bool isPublic)
{
    const int c = current();
    if (isWhitespace(c)) {
        advance();
        m_state = isPublic ? S::BeforeDoctypePublicIdentifier : S::BeforeDoctypeSystemIdentifier;
    } else if (c == u'"' || c == u'\'') {
        characterError(isPublic ? Code::MissingWhitespaceAfterDoctypePublicKeyword
                                : Code::MissingWhitespaceAfterDoctypeSystemKeyword);
        openDoctypeIdentifier(isPublic, char16_t(c));
    } else if (c == u'>') {
        characterError(isPublic ? Code::MissingDoctypePublicIdentifier : Code::MissingDoctypeSystemIdentifier);
        m_token.forceQuirks = true;
        advance();
        m_state = S::Data;
        emitToken();
    } else if (c == Eof) {
        emitDoctypeAtEof();
    } else {
        characterError(isPublic ? Code::MissingQuoteBeforeDoctypePublicIdentifier
                                : Code::MissingQuoteBeforeDoctypeSystemIdentifier);
        m_token.forceQuirks = true;
        m_state = S::BogusDoctype;
    }
}

// The before DOCTYPE public identifier and before DOCTYPE system identifier states.
void HtmlTokenizer::Private::beforeDoctypeIdentifierState(bool isPublic)
{
    m_pos = plainEnd([](char16_t c) { return !isWhitespace(c); });
    const int c = current();
    if (isWhitespace(c)) {
        advance();
    } else if (c == u'"' || c == u'\'') {
        openDoctypeIdentifier(isPublic, char16_t(c));
    } else if (c == u'>') {
        characterError(isPublic ? Code::MissingDoctypePublicIdentifier : Code::MissingDoctypeSystemIdentifier);
        m_token.forceQuirks = true;
        advance();
        m_state = S::Data;
        emitToken();
    } else if (c == Eof) {
        emitDoctypeAtEof();
    } else {
        characterError(isPublic ? Code::MissingQuoteBeforeDoctypePublicIdentifier
                                : Code::MissingQuoteBeforeDoctypeSystemIdentifier);
        m_token.forceQuirks = true;
        m_state = S::BogusDoctype;
    }
}

// The four states inside a quoted public or system identifier.
void HtmlTokenizer::Private::doctypeIdentifierState(bool isPublic, char16_t quote)
{
    QString &identifier = isPublic ? m_token.publicId : m_token.systemId;
    appendRun(identifier, [quote](char16_t c) { return c == quote || c == u'>'; });
    const int c = current();
    if (c == quote) {
        advance();
        m_state = isPublic ? S::AfterDoctypePublicIdentifier : S::AfterDoctypeSystemIdentifier;
    } else if (c == 0) {
        characterError(Code::UnexpectedNullCharacter);
        identifier.append(QChar(ReplacementCharacter));
        advance();
    } else if (c == u'>') {
        characterError(isPublic ? Code::AbruptDoctypePublicIdentifier : Code::AbruptDoctypeSystemIdentifier);
        m_token.forceQuirks = true;
        advance();
        m_state = S::Data;
        emitToken();
    } else if (c == Eof) {
        emitDoctypeAtEof();
    } else {
        appendCurrent(identifier);
    }
}

void HtmlTokenizer::Private::afterDoctypePublicIdentifierState()
{
    const int c = current();
    if (isWhitespace(c)) {
        advance();
        m_state = S::BetweenDoctypePublicAndSystemIdentifiers;
    } else if (c == u'>') {
        advance();
        m_state = S::Data;
        emitToken();
    } else if (c == u'"' || c == u'\'') {
        characterError(Code::MissingWhitespaceBetweenDoctypePublicAndSystemIdentifiers);
        openDoctypeIdentifier(false, char16_t(c));
    } else if (c == Eof) {
        emitDoctypeAtEof();
    } else {
        characterError(Code::MissingQuoteBeforeDoctypeSystemIdentifier);
        m_token.forceQuirks = true;
        m_state = S::BogusDoctype;
    }
}

void HtmlTokenizer::Private::betweenDoctypePublicAndSystemIdentifiersState()
{
    m_pos = plainEnd([](char16_t c) { return !isWhitespace(c); });
    const int c = current();
    if (isWhitespace(c)) {
        advance();
    } else if (c == u'>') {
        advance();
        m_state = S::Data;
        emitToken();
    } else if (c == u'"' || c == u'\'') {
        openDoctypeIdentifier(false, char16_t(c));
    } else if (c == Eof) {
        emitDoctypeAtEof();
    } else {
        characterError(Code::MissingQuoteBeforeDoctypeSystemIdentifier);
        m_token.forceQuirks = true;
        m_state = S::BogusDoctype;
    }
}

void HtmlTokenizer::Private::afterDoctypeSystemIdentifierState()
{
    m_pos = plainEnd([](char16_t c) { return !isWhitespace(c); });
    const int c = current();
    if (isWhitespace(c)) {
        advance();
    } else if (c == u'>') {
        advance();
        m_state = S::Data;
        emitToken();
    } else if (c == Eof) {
        emitDoctypeAtEof();
    } else {
        // Unlike the other faults here, this one leaves the doctype as it is.
        characterError(Code::UnexpectedCharacterAfterDoctypeSystemIdentifier);
        m_state = S::BogusDoctype;
    }
}

void HtmlTokenizer::Private::bogusDoctypeState()
{
    m_pos = plainEnd([](char16_t c) { return c == u'>'; });
    switch (current()) {
    case u'>':
        advance();
        m_state = S::Data;
        emitToken();
        return;
    case 0:
        characterError(Code::UnexpectedNullCharacter);
        advance();
        return;
    case Eof:
        emitToken();
        emitEof();
        return;
    default:
        advance();
        return;
    }
}

void HtmlTokenizer::Private::cdataSectionState()
{
    emitRun([](char16_t c) { return c == u']'; });
    switch (current()) {
    case u']':
        advance();
        m_state = S::CdataSectionBracket;
        return;
    case Eof:
        characterError(Code::EofInCdata);
        emitEof();
        return;
    default:
        emitCurrent(); // NUL too, as it stands
        return;
    }
}

void HtmlTokenizer::Private::cdataSectionBracketState()
{
    if (current() == u']') {
        advance();
        m_state = S::CdataSectionEnd;
    } else {
        emitSource(m_pos - 1, m_pos);
        m_state = S::CdataSection;
    }
}

void HtmlTokenizer::Private::cdataSectionEndState()
{
    const int c = current();
    if (c == u']') {
        emitSource(m_pos - 2, m_pos - 1);
        advance();
    } else if (c == u'>') {
        advance();
        m_state = S::Data;
    } else {
        emitSource(m_pos - 2, m_pos);
        m_state = S::CdataSection;
    }
}

void HtmlTokenizer::Private::characterReferenceState()
{
    const int c = current();
    if (isAlphanumeric(c)) {
        m_state = S::NamedCharacterReference;
    } else if (c == u'#') {
        advance();
        m_state = S::NumericCharacterReference;
    } else {
        flushReference();
        m_state = m_returnState;
    }
}

void HtmlTokenizer::Private::namedCharacterReferenceState()
{
    const CharacterReferenceMatch match =
        longestCharacterReference(QStringView(m_text + m_pos, m_size - m_pos));
    if (match.length == 0) {
        flushReference();
        m_state = S::AmbiguousAmpersand;
        return;
    }
    const qsizetype end = m_pos + match.length;
    m_pos = end;
    m_state = m_returnState;
    // In an attribute value, "&copy=" and "&copyx" stay as they are, for old pages' addresses.
    if (inAttributeValue() && !match.endsWithSemicolon && end < m_size
        && (m_text[end] == u'=' || isAlphanumeric(m_text[end]))) {
        flushReference();
        return;
    }
    if (!match.endsWithSemicolon)
        error(Code::MissingSemicolonAfterCharacterReference, m_referenceStart, m_pos - m_referenceStart);
    appendReferenceValue(QStringView(match.value, match.valueLength));
}

void HtmlTokenizer::Private::ambiguousAmpersandState()
{
    const int c = current();
    if (isAlphanumeric(c)) {
        qsizetype end = m_pos;
        while (end < m_size && isAlphanumeric(m_text[end]))
            ++end;
        if (inAttributeValue())
            m_attribute.value.append(QStringView(m_text + m_pos, end - m_pos));
        else
            emitSource(m_pos, end);
        m_pos = end;
    } else {
        if (c == u';')
            error(Code::UnknownNamedCharacterReference, m_referenceStart, m_pos + 1 - m_referenceStart);
        m_state = m_returnState;
    }
}

void HtmlTokenizer::Private::numericCharacterReferenceState()
{
    m_referenceCode = 0;
    const int c = current();
    if (c == u'x' || c == u'X') {
        advance();
        m_state = S::HexadecimalCharacterReferenceStart;
    } else {
        m_state = S::DecimalCharacterReferenceStart;
    }
}

// The hexadecimal and decimal character reference start states.
void HtmlTokenizer::Private::numericCharacterReferenceStartState(bool hexadecimal)
{
    const int c = current();
    if (hexadecimal ? hexValue(c) >= 0 : isDigit(c)) {
        m_state = hexadecimal ? S::HexadecimalCharacterReference : S::DecimalCharacterReference;
    } else {
        error(Code::AbsenceOfDigitsInNumericCharacterReference, m_referenceStart, m_pos - m_referenceStart);
        flushReference();
        m_state = m_returnState;
    }
}

// The hexadecimal and decimal character reference states.
void HtmlTokenizer::Private::numericCharacterReferenceDigitsState(bool hexadecimal)
{
    const int base = hexadecimal ? 16 : 10;
    while (m_pos < m_size) {
        const int digit = hexadecimal ? hexValue(m_text[m_pos]) : (isDigit(m_text[m_pos]) ? m_text[m_pos] - u'0' : -1);
        if (digit < 0)
            break;
        // Past the last code point the exact number no longer matters, and must not overflow.
        m_referenceCode = std::min<char32_t>(m_referenceCode * base + digit, 0x110000);
        ++m_pos;
    }
    if (current() == u';') {
        advance();
    } else {
        error(Code::MissingSemicolonAfterCharacterReference, m_referenceStart, m_pos - m_referenceStart);
    }
    m_state = S::NumericCharacterReferenceEnd;
}

void HtmlTokenizer::Private::numericCharacterReferenceEndState()
{
    char32_t code = m_referenceCode;
    const qsizetype length = m_pos - m_referenceStart;
    if (code == 0) {
        error(Code::NullCharacterReference, m_referenceStart, length);
        code = ReplacementCharacter;
    } else if (code > 0x10FFFF) {
        error(Code::CharacterReferenceOutsideUnicodeRange, m_referenceStart, length);
        code = ReplacementCharacter;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
        error(Code::SurrogateCharacterReference, m_referenceStart, length);
        code = ReplacementCharacter;
    } else if (isNoncharacter(code)) {
        error(Code::NoncharacterCharacterReference, m_referenceStart, length);
    } else if (code == 0x0D || ((code < 0x20 || (code >= 0x7F && code <= 0x9F)) && !isWhitespace(int(code)))) {
        error(Code::ControlCharacterReference, m_referenceStart, length);
        code = windows1252(code);
    }
    char16_t units[2];
    qsizetype count = 1;
    if (QChar::requiresSurrogates(code)) {
        units[0] = QChar::highSurrogate(code);
        units[1] = QChar::lowSurrogate(code);
        count = 2;
    } else {
        units[0] = char16_t(code);
    }
    appendReferenceValue(QStringView(units, count));
    m_state = m_returnState;
}

// --- The tokenizer --------------------------------------------------------------------------

qsizetype HtmlToken::sourceOffset(qsizetype index) const
{
    if (index >= data.size())
        return span.end();
    const auto after = std::upper_bound(shifts.cbegin(), shifts.cend(), index,
                                        [](qsizetype wanted, const HtmlSourceShift &shift) { return wanted < shift.index; });
    if (after == shifts.cbegin())
        return span.offset + index;
    const HtmlSourceShift &shift = *(after - 1);
    return shift.offset + (index - shift.index);
}

HtmlTokenizer::HtmlTokenizer(QStringView input, QList<HtmlParseError> *errors) : d(new Private(input, errors)) {}

HtmlTokenizer::~HtmlTokenizer()
{
    delete d;
}

void HtmlTokenizer::switchTo(State state)
{
    switch (state) {
    case State::Data: d->m_state = S::Data; break;
    case State::Rcdata: d->m_state = S::Rcdata; break;
    case State::Rawtext: d->m_state = S::Rawtext; break;
    case State::ScriptData: d->m_state = S::ScriptData; break;
    case State::Plaintext: d->m_state = S::Plaintext; break;
    case State::CdataSection: d->m_state = S::CdataSection; break;
    }
}

void HtmlTokenizer::setLastStartTag(const QString &name)
{
    d->m_lastStartTag = name;
}

void HtmlTokenizer::setInForeignContent(bool foreign)
{
    d->m_foreign = foreign;
}

HtmlToken HtmlTokenizer::next()
{
    return d->next();
}

QList<const char *> HtmlTokenizer::errorCodes()
{
    return {
        Code::AbruptClosingOfEmptyComment,
        Code::AbruptDoctypePublicIdentifier,
        Code::AbruptDoctypeSystemIdentifier,
        Code::AbsenceOfDigitsInNumericCharacterReference,
        Code::CdataInHtmlContent,
        Code::CharacterReferenceOutsideUnicodeRange,
        Code::ControlCharacterInInputStream,
        Code::ControlCharacterReference,
        Code::DuplicateAttribute,
        Code::EndTagWithAttributes,
        Code::EndTagWithTrailingSolidus,
        Code::EofBeforeTagName,
        Code::EofInCdata,
        Code::EofInComment,
        Code::EofInDoctype,
        Code::EofInScriptHtmlCommentLikeText,
        Code::EofInTag,
        Code::IncorrectlyClosedComment,
        Code::IncorrectlyOpenedComment,
        Code::InvalidCharacterSequenceAfterDoctypeName,
        Code::InvalidFirstCharacterOfTagName,
        Code::MissingAttributeValue,
        Code::MissingDoctypeName,
        Code::MissingDoctypePublicIdentifier,
        Code::MissingDoctypeSystemIdentifier,
        Code::MissingEndTagName,
        Code::MissingQuoteBeforeDoctypePublicIdentifier,
        Code::MissingQuoteBeforeDoctypeSystemIdentifier,
        Code::MissingSemicolonAfterCharacterReference,
        Code::MissingWhitespaceAfterDoctypePublicKeyword,
        Code::MissingWhitespaceAfterDoctypeSystemKeyword,
        Code::MissingWhitespaceBeforeDoctypeName,
        Code::MissingWhitespaceBetweenAttributes,
        Code::MissingWhitespaceBetweenDoctypePublicAndSystemIdentifiers,
        Code::NestedComment,
        Code::NoncharacterCharacterReference,
        Code::NoncharacterInInputStream,
        Code::NullCharacterReference,
        Code::SurrogateCharacterReference,
        Code::SurrogateInInputStream,
        Code::UnexpectedCharacterAfterDoctypeSystemIdentifier,
        Code::UnexpectedCharacterInAttributeName,
        Code::UnexpectedCharacterInUnquotedAttributeValue,
        Code::UnexpectedEqualsSignBeforeAttributeName,
        Code::UnexpectedNullCharacter,
        Code::UnexpectedQuestionMarkInsteadOfTagName,
        Code::UnexpectedSolidusInTag,
        Code::UnknownNamedCharacterReference,
    };
}
