// The standard's tokenizer on any text, in any start state, with the state switched after the
// start tags where the tree construction switches it: it ends, its tokens lie in order inside the
// text without overlapping, their attributes inside them, each run's characters trace back into
// the run, and each error is a listed code about a stretch of the text.

#include "html/parser/html_tokenizer.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool inside(SourceSpan inner, SourceSpan outer)
{
    return inner.offset >= outer.offset && inner.length >= 0 && inner.end() <= outer.end();
}

bool isListedCode(const char *code)
{
    for (const char *listed : HtmlTokenizer::errorCodes()) {
        if (std::strcmp(listed, code) == 0)
            return true;
    }
    return false;
}

// The state the tree construction sets after a start tag of this name.
bool stateAfter(const QString &name, HtmlTokenizer::State *state)
{
    if (name == u"script")
        *state = HtmlTokenizer::State::ScriptData;
    else if (name == u"title" || name == u"textarea")
        *state = HtmlTokenizer::State::Rcdata;
    else if (name == u"style" || name == u"xmp" || name == u"iframe" || name == u"noembed")
        *state = HtmlTokenizer::State::Rawtext;
    else if (name == u"plaintext")
        *state = HtmlTokenizer::State::Plaintext;
    else
        return false;
    return true;
}

void checkRun(const HtmlToken &run)
{
    require(!run.data.isEmpty());
    qsizetype previous = run.span.offset;
    for (qsizetype i = 0; i <= run.data.size(); ++i) {
        const qsizetype offset = run.sourceOffset(i);
        require(offset >= previous && offset <= run.span.end());
        previous = offset;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte: the start state (low three bits), foreign content, a last start tag. The
    // rest is the text as UTF-16, so that any code unit, a lone surrogate or a NUL, can occur.
    const int flags = data[0];
    QString text(qsizetype((size - 1) / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data + 1, size_t(text.size()) * sizeof(QChar));

    QList<HtmlParseError> errors;
    HtmlTokenizer tokenizer(text, &errors);
    tokenizer.switchTo(HtmlTokenizer::State(std::min(flags & 7, 5)));
    tokenizer.setInForeignContent(flags & 8);
    if (flags & 16)
        tokenizer.setLastStartTag(QStringLiteral("script"));

    const SourceSpan whole{0, text.size()};
    qsizetype end = 0;
    qsizetype tokens = 0;
    for (HtmlToken token = tokenizer.next(); token.type != HtmlToken::Type::EndOfFile; token = tokenizer.next()) {
        require(++tokens <= text.size()); // every token reads at least one unit
        require(token.span.offset >= end && inside(token.span, whole));
        end = token.span.end();
        if (token.type == HtmlToken::Type::Characters)
            checkRun(token);
        for (const HtmlAttribute &attribute : std::as_const(token.attributes)) {
            require(inside(attribute.nameSpan, token.span));
            require(!attribute.valueSpan.isValid() || inside(attribute.valueSpan, token.span));
        }
        HtmlTokenizer::State state;
        if (token.type == HtmlToken::Type::StartTag && stateAfter(token.name, &state))
            tokenizer.switchTo(state);
    }
    require(tokenizer.next().span == (SourceSpan{text.size(), 0}));
    for (const HtmlParseError &error : std::as_const(errors))
        require(isListedCode(error.code) && inside(error.span, whole));
    return 0;
}
