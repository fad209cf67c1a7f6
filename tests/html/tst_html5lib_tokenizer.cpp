// html5lib's tokenizer suite, read from its .test files: every test in each state it names, its
// tokens and its parse errors with their lines and columns compared exactly.

#include "html/parser/html_tokenizer.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>

#include <cstring>

namespace {

const QString suiteFolder = QStringLiteral(HTML5LIB_TOKENIZER_DIR);

// Tests that cannot pass, by "file: description", with the reason. None so far.
const QSet<QString> knownSkips = {};

// The standard reports an error at the character it reads when it finds the fault, which is
// where html5lib places it. Our spans cover what the error is about instead, so for some codes
// that character is the one after the span (a reference, a repeated attribute's name, a "<!--",
// a solidus) or the span's last ('>' of an end tag or of "--!>", ';' of an unknown name, the
// last '[' of "<![CDATA[").
const QSet<QByteArray> reportedAfterSpan = {
    "absence-of-digits-in-numeric-character-reference",
    "character-reference-outside-unicode-range",
    "control-character-reference",
    "duplicate-attribute",
    "missing-semicolon-after-character-reference",
    "nested-comment",
    "noncharacter-character-reference",
    "null-character-reference",
    "surrogate-character-reference",
    "unexpected-solidus-in-tag",
};
const QSet<QByteArray> reportedAtSpanEnd = {
    "cdata-in-html-content",
    "end-tag-with-attributes",
    "end-tag-with-trailing-solidus",
    "incorrectly-closed-comment",
    "unknown-named-character-reference",
};

qsizetype reportedAt(const HtmlParseError &error)
{
    if (reportedAfterSpan.contains(error.code))
        return error.span.end();
    if (reportedAtSpanEnd.contains(error.code))
        return error.span.end() - 1;
    return error.span.offset;
}

// html5lib's line and column: lines split at CR LF, CR and LF; columns count UTF-16 code units
// from 1.
QJsonObject html5libPlace(QStringView input, const HtmlParseError &error)
{
    const qsizetype offset = reportedAt(error);
    int line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < offset && i < input.size(); ++i) {
        if (input[i] == u'\r' && i + 1 < input.size() && input[i + 1] == u'\n')
            continue;
        if (input[i] == u'\r' || input[i] == u'\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    return QJsonObject{{QStringLiteral("code"), QString::fromLatin1(error.code)},
                       {QStringLiteral("line"), line},
                       {QStringLiteral("col"), int(offset - lineStart + 1)}};
}

// The second round of unescaping that "doubleEscaped" tests ask for: \uHHHH to that code unit.
QString unescape(const QString &text)
{
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 5 < text.size() && text[i + 1] == u'u') {
            bool ok = false;
            const ushort unit = text.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                result.append(QChar(unit));
                i += 5;
                continue;
            }
        }
        result.append(text[i]);
    }
    return result;
}

QJsonValue unescapeValue(const QJsonValue &value)
{
    if (value.isString())
        return unescape(value.toString());
    if (value.isArray()) {
        QJsonArray result;
        for (const QJsonValue &item : value.toArray())
            result.append(unescapeValue(item));
        return result;
    }
    if (value.isObject()) {
        QJsonObject result;
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            result.insert(unescape(it.key()), unescapeValue(it.value()));
        return result;
    }
    return value;
}

QJsonValue nullable(bool present, const QString &text)
{
    return present ? QJsonValue(text) : QJsonValue(QJsonValue::Null);
}

// The tokens in html5lib's form, adjacent characters merged.
QJsonArray html5libTokens(const QList<HtmlToken> &tokens)
{
    QJsonArray result;
    QString characters;
    for (const HtmlToken &token : tokens) {
        if (token.type == HtmlToken::Type::Characters) {
            characters += token.data;
            continue;
        }
        if (!characters.isEmpty()) {
            result.append(QJsonArray{QStringLiteral("Character"), characters});
            characters.clear();
        }
        switch (token.type) {
        case HtmlToken::Type::Doctype:
            result.append(QJsonArray{QStringLiteral("DOCTYPE"), nullable(token.hasName, token.name),
                                     nullable(token.hasPublicId, token.publicId),
                                     nullable(token.hasSystemId, token.systemId), !token.forceQuirks});
            break;
        case HtmlToken::Type::StartTag: {
            QJsonObject attributes;
            for (const HtmlAttribute &attribute : token.attributes)
                attributes.insert(attribute.name, attribute.value);
            QJsonArray tag{QStringLiteral("StartTag"), token.name, attributes};
            if (token.selfClosing)
                tag.append(true);
            result.append(tag);
            break;
        }
        case HtmlToken::Type::EndTag:
            result.append(QJsonArray{QStringLiteral("EndTag"), token.name});
            break;
        case HtmlToken::Type::Comment:
            result.append(QJsonArray{QStringLiteral("Comment"), token.data});
            break;
        default:
            break;
        }
    }
    if (!characters.isEmpty())
        result.append(QJsonArray{QStringLiteral("Character"), characters});
    return result;
}

// What html5lib's xmlViolation tests expect: the tokens as an XML infoset can hold them.
QString coerceText(QString text)
{
    for (QChar &c : text) {
        if (c == u'\f')
            c = u' ';
        else if (c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
            c = QChar(0xFFFD);
    }
    return text;
}

QJsonArray coerceToInfoset(const QJsonArray &tokens)
{
    QJsonArray result;
    for (const QJsonValue &value : tokens) {
        QJsonArray token = value.toArray();
        const QString kind = token[0].toString();
        if (kind == u"Character") {
            token[1] = coerceText(token[1].toString());
        } else if (kind == u"Comment") {
            QString data = token[1].toString();
            while (data.contains(u"--"))
                data.replace(QStringLiteral("--"), QStringLiteral("- -"));
            if (data.endsWith(u'-'))
                data += u' ';
            token[1] = data;
        } else if (kind == u"StartTag") {
            QJsonObject attributes = token[2].toObject();
            for (auto it = attributes.begin(); it != attributes.end(); ++it)
                it.value() = coerceText(it.value().toString());
            token[2] = attributes;
        }
        result.append(token);
    }
    return result;
}

HtmlTokenizer::State stateNamed(const QString &name)
{
    if (name == u"PLAINTEXT state")
        return HtmlTokenizer::State::Plaintext;
    if (name == u"RCDATA state")
        return HtmlTokenizer::State::Rcdata;
    if (name == u"RAWTEXT state")
        return HtmlTokenizer::State::Rawtext;
    if (name == u"Script data state")
        return HtmlTokenizer::State::ScriptData;
    if (name == u"CDATA section state")
        return HtmlTokenizer::State::CdataSection;
    return HtmlTokenizer::State::Data;
}

bool isListedCode(const char *code)
{
    const QList<const char *> codes = HtmlTokenizer::errorCodes();
    return std::any_of(codes.cbegin(), codes.cend(), [code](const char *listed) { return std::strcmp(listed, code) == 0; });
}

QStringList testFiles()
{
    return QDir(suiteFolder).entryList({QStringLiteral("*.test")}, QDir::Files, QDir::Name);
}

} // namespace

class TestHtml5libTokenizer : public QObject
{
    Q_OBJECT

private slots:
    void suite_data();
    void suite();
    void suiteIsThere();
    void everyExpectedCodeIsListed();
};

void TestHtml5libTokenizer::suite_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("lastStartTag");
    QTest::addColumn<QJsonArray>("expectedTokens");
    QTest::addColumn<QJsonArray>("expectedErrors");
    QTest::addColumn<bool>("infoset");

    for (const QString &fileName : testFiles()) {
        QFile file(suiteFolder + u'/' + fileName);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
        const bool infoset = root.contains(u"xmlViolationTests");
        const QJsonArray tests = root.value(infoset ? u"xmlViolationTests" : u"tests").toArray();
        int number = 0;
        for (const QJsonValue &value : tests) {
            const QJsonObject test = value.toObject();
            ++number;
            const QString description = test.value(u"description").toString();
            if (knownSkips.contains(fileName + QStringLiteral(": ") + description))
                continue;
            const bool doubleEscaped = test.value(u"doubleEscaped").toBool();
            auto read = [doubleEscaped](const QJsonValue &v) { return doubleEscaped ? unescapeValue(v) : v; };
            QJsonArray states = test.value(u"initialStates").toArray();
            if (states.isEmpty())
                states.append(QStringLiteral("Data state"));
            for (const QJsonValue &state : states) {
                const QString row = QStringLiteral("%1 #%2 %3 [%4]")
                                        .arg(fileName)
                                        .arg(number)
                                        .arg(description.left(60), state.toString());
                QTest::newRow(row.toUtf8().constData())
                    << read(test.value(u"input")).toString() << int(stateNamed(state.toString()))
                    << test.value(u"lastStartTag").toString() << read(test.value(u"output")).toArray()
                    << test.value(u"errors").toArray() << infoset;
            }
        }
    }
}

void TestHtml5libTokenizer::suite()
{
    QFETCH(QString, input);
    QFETCH(int, state);
    QFETCH(QString, lastStartTag);
    QFETCH(QJsonArray, expectedTokens);
    QFETCH(QJsonArray, expectedErrors);
    QFETCH(bool, infoset);

    QList<HtmlParseError> errors;
    QList<HtmlToken> tokens;
    {
        HtmlTokenizer tokenizer(input, &errors);
        tokenizer.switchTo(HtmlTokenizer::State(state));
        if (!lastStartTag.isEmpty())
            tokenizer.setLastStartTag(lastStartTag);
        for (HtmlToken token = tokenizer.next(); token.type != HtmlToken::Type::EndOfFile; token = tokenizer.next())
            tokens.append(token);
    }

    QJsonArray actualTokens = html5libTokens(tokens);
    if (infoset)
        actualTokens = coerceToInfoset(actualTokens);
    QCOMPARE(QJsonDocument(actualTokens).toJson(QJsonDocument::Compact),
             QJsonDocument(expectedTokens).toJson(QJsonDocument::Compact));

    for (const HtmlParseError &error : std::as_const(errors))
        QVERIFY2(isListedCode(error.code), error.code);
    if (infoset)
        return; // these tests give the infoset's tokens only, not the errors
    QJsonArray actualErrors;
    for (const HtmlParseError &error : std::as_const(errors))
        actualErrors.append(html5libPlace(input, error));
    QCOMPARE(QJsonDocument(actualErrors).toJson(QJsonDocument::Compact),
             QJsonDocument(expectedErrors).toJson(QJsonDocument::Compact));
}

void TestHtml5libTokenizer::suiteIsThere()
{
    QCOMPARE(testFiles().size(), 14);
}

void TestHtml5libTokenizer::everyExpectedCodeIsListed()
{
    QSet<QString> missing;
    for (const QString &fileName : testFiles()) {
        QFile file(suiteFolder + u'/' + fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonArray tests = QJsonDocument::fromJson(file.readAll()).object().value(u"tests").toArray();
        for (const QJsonValue &test : tests) {
            for (const QJsonValue &error : test.toObject().value(u"errors").toArray()) {
                const QByteArray code = error.toObject().value(u"code").toString().toLatin1();
                if (!isListedCode(code.constData()))
                    missing.insert(QString::fromLatin1(code));
            }
        }
    }
    QCOMPARE(missing, QSet<QString>());
}

QTEST_GUILESS_MAIN(TestHtml5libTokenizer)
#include "tst_html5lib_tokenizer.moc"
