#include "html/conformance/media_queries.h"

#include "html/conformance/value_syntax.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace {

struct Token
{
    enum Kind { Ident, Function, Number, Dimension, Percentage, Delimiter, Open, Close, Comma, Colon, Space, End };
    Kind kind = End;
    QStringView text; // the whole token
    QStringView unit; // a dimension's unit
    qsizetype position = 0;
};

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'-' || c.unicode() >= 0x80;
}

bool isNameCharacter(QChar c)
{
    return isNameStart(c) || isAsciiDigit(c);
}

// Splits the value into the few CSS tokens media queries and sizes use; comments become blanks.
QList<Token> tokenize(QStringView value)
{
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < value.size()) {
        const qsizetype start = i;
        const QChar c = value[i];
        Token token;
        token.position = start;
        if (isHtmlSpace(c) || value.sliced(i).startsWith(u"/*")) {
            while (i < value.size() && (isHtmlSpace(value[i]) || value.sliced(i).startsWith(u"/*"))) {
                if (isHtmlSpace(value[i])) {
                    ++i;
                } else {
                    const qsizetype close = value.indexOf(u"*/", i + 2);
                    i = close < 0 ? value.size() : close + 2;
                }
            }
            token.kind = Token::Space;
        } else if (isAsciiDigit(c) || ((c == u'.' || c == u'+' || c == u'-') && i + 1 < value.size()
                                       && (isAsciiDigit(value[i + 1]) || (value[i + 1] == u'.' && i + 2 < value.size() && isAsciiDigit(value[i + 2]))))) {
            if (c == u'+' || c == u'-')
                ++i;
            while (i < value.size() && isAsciiDigit(value[i]))
                ++i;
            if (i + 1 < value.size() && value[i] == u'.' && isAsciiDigit(value[i + 1])) {
                ++i;
                while (i < value.size() && isAsciiDigit(value[i]))
                    ++i;
            }
            const qsizetype unitStart = i;
            if (i < value.size() && value[i] == u'%') {
                ++i;
                token.kind = Token::Percentage;
            } else if (i < value.size() && isNameStart(value[i])) {
                while (i < value.size() && isNameCharacter(value[i]))
                    ++i;
                token.kind = Token::Dimension;
                token.unit = value.sliced(unitStart, i - unitStart);
            } else {
                token.kind = Token::Number;
            }
        } else if (isNameStart(c)) {
            while (i < value.size() && isNameCharacter(value[i]))
                ++i;
            token.kind = Token::Ident;
            if (i < value.size() && value[i] == u'(') {
                ++i;
                token.kind = Token::Function;
            }
        } else {
            ++i;
            token.kind = c == u'(' ? Token::Open : c == u')' ? Token::Close : c == u',' ? Token::Comma
                       : c == u':' ? Token::Colon : Token::Delimiter;
        }
        token.text = value.sliced(start, i - start);
        tokens.append(token);
    }
    Token end;
    end.position = value.size();
    tokens.append(end);
    return tokens;
}

const QStringList &lengthUnits()
{
    static const QStringList units = QStringLiteral(
        "px em ex ch rem cap ic lh rlh vw svw lvw dvw vh svh lvh dvh vi svi lvi dvi vb svb lvb dvb "
        "vmin svmin lvmin dvmin vmax svmax lvmax dvmax cm mm q in pt pc cqw cqh cqi cqb cqmin cqmax").split(u' ');
    return units;
}

bool isZero(QStringView number)
{
    for (const QChar c : number) {
        if (c != u'0' && c != u'.' && c != u'+' && c != u'-')
            return false;
    }
    return true;
}

// The values of the features the standard defines; a feature it does not know is left alone.
enum class FeatureValue { Length, Resolution, Ratio, Integer, Keywords, Unknown };

FeatureValue featureKind(const QString &feature, QStringList *keywords)
{
    QString name = feature;
    if (name.startsWith(u"min-") || name.startsWith(u"max-"))
        name = name.sliced(4);
    static const QStringList lengths = {QStringLiteral("width"), QStringLiteral("height"),
                                        QStringLiteral("device-width"), QStringLiteral("device-height")};
    if (lengths.contains(name))
        return FeatureValue::Length;
    if (name == u"resolution")
        return FeatureValue::Resolution;
    if (name == u"aspect-ratio" || name == u"device-aspect-ratio")
        return FeatureValue::Ratio;
    if (name == u"color" || name == u"color-index" || name == u"monochrome" || name == u"grid")
        return FeatureValue::Integer;
    static const QHash<QString, QString> keywordFeatures = {
        {QStringLiteral("orientation"), QStringLiteral("portrait landscape")},
        {QStringLiteral("scan"), QStringLiteral("interlace progressive")},
        {QStringLiteral("update"), QStringLiteral("none slow fast")},
        {QStringLiteral("overflow-block"), QStringLiteral("none scroll paged")},
        {QStringLiteral("overflow-inline"), QStringLiteral("none scroll")},
        {QStringLiteral("color-gamut"), QStringLiteral("srgb p3 rec2020")},
        {QStringLiteral("pointer"), QStringLiteral("none coarse fine")},
        {QStringLiteral("any-pointer"), QStringLiteral("none coarse fine")},
        {QStringLiteral("hover"), QStringLiteral("none hover")},
        {QStringLiteral("any-hover"), QStringLiteral("none hover")},
        {QStringLiteral("prefers-color-scheme"), QStringLiteral("light dark")},
        {QStringLiteral("prefers-reduced-motion"), QStringLiteral("no-preference reduce")},
        {QStringLiteral("prefers-reduced-transparency"), QStringLiteral("no-preference reduce")},
        {QStringLiteral("prefers-reduced-data"), QStringLiteral("no-preference reduce")},
        {QStringLiteral("prefers-contrast"), QStringLiteral("no-preference more less custom")},
        {QStringLiteral("forced-colors"), QStringLiteral("none active")},
        {QStringLiteral("inverted-colors"), QStringLiteral("none inverted")},
        {QStringLiteral("scripting"), QStringLiteral("none initial-only enabled")},
        {QStringLiteral("dynamic-range"), QStringLiteral("standard high")},
        {QStringLiteral("video-dynamic-range"), QStringLiteral("standard high")},
        {QStringLiteral("display-mode"),
         QStringLiteral("fullscreen standalone minimal-ui browser picture-in-picture window-controls-overlay")},
    };
    const auto found = keywordFeatures.find(name);
    if (found == keywordFeatures.end())
        return FeatureValue::Unknown;
    *keywords = found->split(u' ');
    return FeatureValue::Keywords;
}

class MediaReader
{
public:
    explicit MediaReader(QStringView value) : m_tokens(tokenize(value)) {}

    ValueCheck queryList()
    {
        skipSpace();
        if (at(Token::End))
            return {};
        for (;;) {
            if (ValueCheck problem = query())
                return problem;
            skipSpace();
            if (at(Token::End))
                return {};
            if (!at(Token::Comma))
                return unexpected();
            next();
            skipSpace();
        }
    }

    ValueCheck sourceSizes()
    {
        skipSpace();
        if (at(Token::End))
            return valueProblem("sizes-empty");
        for (;;) {
            const bool hasCondition = at(Token::Open) || (at(Token::Ident) && lower() == u"not");
            if (hasCondition) {
                if (ValueCheck problem = condition(true))
                    return problem;
                if (!skipSpace())
                    return unexpected();
            }
            if (ValueCheck problem = sourceSizeValue())
                return problem;
            skipSpace();
            if (at(Token::End))
                return hasCondition ? valueProblem("sizes-last-condition", current().position, 0) : ValueCheck();
            if (!at(Token::Comma) || !hasCondition)
                return unexpected();
            next();
            skipSpace();
            if (at(Token::End))
                return unexpected();
        }
    }

private:
    const Token &current() const { return m_tokens[m_index]; }
    bool at(Token::Kind kind) const { return current().kind == kind; }
    void next()
    {
        if (!at(Token::End))
            ++m_index;
    }
    bool skipSpace()
    {
        if (!at(Token::Space))
            return false;
        next();
        return true;
    }
    QString lower() const { return current().text.toString().toLower(); }
    ValueProblem unexpected() const
    {
        return valueProblem("media-syntax", current().position, current().text.size());
    }

    ValueCheck query()
    {
        if (at(Token::Open) || (at(Token::Ident) && lower() == u"not" && followedByParenthesis()))
            return condition(true);
        if (at(Token::Ident) && (lower() == u"not" || lower() == u"only")) {
            next();
            if (!skipSpace())
                return unexpected();
        }
        if (!at(Token::Ident))
            return unexpected();
        if (ValueCheck problem = mediaType())
            return problem;
        const qsizetype mark = m_index;
        if (skipSpace() && at(Token::Ident) && lower() == u"and") {
            next();
            if (!skipSpace())
                return unexpected();
            return condition(false);
        }
        m_index = mark;
        return {};
    }

    bool followedByParenthesis() const
    {
        qsizetype i = m_index + 1;
        if (m_tokens[i].kind == Token::Space)
            ++i;
        return m_tokens[i].kind == Token::Open;
    }

    ValueCheck mediaType()
    {
        const QString type = lower();
        static const QStringList current = {QStringLiteral("all"), QStringLiteral("print"), QStringLiteral("screen")};
        static const QStringList deprecated = {QStringLiteral("aural"), QStringLiteral("braille"),
                                               QStringLiteral("embossed"), QStringLiteral("handheld"),
                                               QStringLiteral("projection"), QStringLiteral("speech"),
                                               QStringLiteral("tty"), QStringLiteral("tv")};
        const Token token = this->current();
        if (deprecated.contains(type))
            return valueProblem("media-type-deprecated", token.position, token.text.size(), type);
        if (!current.contains(type))
            return valueProblem("media-type-unknown", token.position, token.text.size(), type);
        next();
        return {};
    }

    // "not" (…), or (…) joined by "and" or by "or"; after a media type only "and".
    ValueCheck condition(bool orAllowed)
    {
        if (at(Token::Ident) && lower() == u"not") {
            next();
            if (!skipSpace())
                return unexpected();
            return inParentheses();
        }
        if (ValueCheck problem = inParentheses())
            return problem;
        QString joiner;
        for (;;) {
            const qsizetype mark = m_index;
            if (!skipSpace() || !at(Token::Ident) || (lower() != u"and" && lower() != u"or")) {
                m_index = mark;
                return {};
            }
            if ((lower() == u"or" && !orAllowed) || (!joiner.isEmpty() && joiner != lower()))
                return unexpected();
            joiner = lower();
            next();
            if (!skipSpace())
                return unexpected();
            if (ValueCheck problem = inParentheses())
                return problem;
        }
    }

    ValueCheck inParentheses()
    {
        if (!at(Token::Open))
            return unexpected();
        next();
        skipSpace();
        if (at(Token::Open) || (at(Token::Ident) && lower() == u"not")) {
            if (ValueCheck problem = condition(true))
                return problem;
        } else if (ValueCheck problem = feature()) {
            return problem;
        }
        skipSpace();
        if (!at(Token::Close))
            return unexpected();
        next();
        return {};
    }

    // name, name: value, or a range: name < value, value <= name < value.
    ValueCheck feature()
    {
        if (at(Token::Ident)) {
            const Token name = current();
            next();
            skipSpace();
            if (at(Token::Close))
                return {};
            if (at(Token::Colon)) {
                next();
                skipSpace();
                return featureValue(name);
            }
            if (comparison())
                return featureValue(name);
            return unexpected();
        }
        // value < name [< value]: the first value is read without its feature's type.
        if (ValueCheck problem = anyValue())
            return problem;
        if (!comparison() || !at(Token::Ident))
            return unexpected();
        const Token name = current();
        next();
        skipSpace();
        if (comparison())
            return featureValue(name);
        return {};
    }

    bool comparison()
    {
        if (!at(Token::Delimiter))
            return false;
        const QChar c = current().text[0];
        if (c != u'<' && c != u'>' && c != u'=')
            return false;
        next();
        if (c != u'=' && at(Token::Delimiter) && current().text == u"=")
            next();
        skipSpace();
        return true;
    }

    ValueCheck anyValue()
    {
        if (at(Token::Number) || at(Token::Dimension) || at(Token::Ident)) {
            next();
            skipSpace();
            return {};
        }
        return unexpected();
    }

    ValueCheck featureValue(const Token &name)
    {
        QStringList keywords;
        const FeatureValue kind = featureKind(name.text.toString().toLower(), &keywords);
        const Token value = current();
        const QString feature = name.text.toString();
        const auto wrongValue = [&]() {
            return valueProblem("media-feature-value", value.position, value.text.size(), feature);
        };
        switch (kind) {
        case FeatureValue::Length:
            if (value.kind == Token::Number && !isZero(value.text))
                return valueProblem("media-length-unit", value.position, value.text.size(), feature);
            if (value.kind != Token::Number && (value.kind != Token::Dimension
                                                || !lengthUnits().contains(value.unit.toString().toLower())))
                return wrongValue();
            break;
        case FeatureValue::Resolution:
            if (value.kind != Token::Dimension
                || !QStringList{QStringLiteral("dpi"), QStringLiteral("dpcm"), QStringLiteral("dppx"), QStringLiteral("x")}
                        .contains(value.unit.toString().toLower()))
                return wrongValue();
            break;
        case FeatureValue::Ratio:
            if (value.kind != Token::Number)
                return wrongValue();
            next();
            skipSpace();
            if (at(Token::Delimiter) && current().text == u"/") {
                next();
                skipSpace();
                if (!at(Token::Number))
                    return wrongValue();
            } else {
                return {};
            }
            break;
        case FeatureValue::Integer:
            if (value.kind != Token::Number || value.text.contains(u'.'))
                return wrongValue();
            break;
        case FeatureValue::Keywords:
            if (value.kind != Token::Ident || !keywords.contains(value.text.toString().toLower()))
                return wrongValue();
            break;
        case FeatureValue::Unknown:
            if (value.kind == Token::Close || value.kind == Token::End)
                return unexpected();
            while (!at(Token::Close) && !at(Token::End))
                next();
            return {};
        }
        next();
        return {};
    }

    // A length of CSS, not negative and not a percentage, or a calc() and its kin.
    ValueCheck sourceSizeValue()
    {
        const Token value = current();
        if (value.kind == Token::Function) {
            static const QStringList functions = QStringLiteral(
                "calc( min( max( clamp( sin( cos( tan( asin( acos( atan( atan2( pow( sqrt( hypot( log( exp( abs( sign(").split(u' ');
            if (!functions.contains(value.text.toString().toLower()))
                return valueProblem("sizes-length", value.position, value.text.size());
            // The arguments are CSS arithmetic; only their parentheses are counted.
            int depth = 1;
            next();
            while (depth > 0 && !at(Token::End)) {
                if (at(Token::Open) || at(Token::Function))
                    ++depth;
                else if (at(Token::Close))
                    --depth;
                next();
            }
            return depth > 0 ? unexpected() : ValueCheck();
        }
        if (value.kind == Token::Ident && value.text.toString().toLower() == u"auto") {
            next();
            return {};
        }
        if (value.kind == Token::Number && isZero(value.text)) {
            next();
            return {};
        }
        if (value.kind != Token::Dimension || !lengthUnits().contains(value.unit.toString().toLower()))
            return valueProblem("sizes-length", value.position, value.text.size());
        if (value.text.startsWith(u'-') && !isZero(value.text.first(value.text.size() - value.unit.size())))
            return valueProblem("sizes-negative", value.position, value.text.size());
        next();
        return {};
    }

    QList<Token> m_tokens;
    qsizetype m_index = 0;
};

} // namespace

ValueCheck checkMediaQueryList(QStringView value)
{
    return MediaReader(value).queryList();
}

ValueCheck checkSourceSizeList(QStringView value)
{
    return MediaReader(value).sourceSizes();
}
