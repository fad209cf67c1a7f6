// What html5lib's suite does not look at: where tokens, attributes and errors lie in the source,
// runs of characters across line breaks and references, the tree construction's hand on the
// state, and time on large inputs.

#include "html/parser/html_tokenizer.h"

#include <QElapsedTimer>
#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;
using Type = HtmlToken::Type;

namespace {

struct Tokenized
{
    QList<HtmlToken> tokens;
    QList<HtmlParseError> errors;
};

Tokenized tokenize(const QString &input)
{
    Tokenized result;
    HtmlTokenizer tokenizer(input, &result.errors);
    for (HtmlToken token = tokenizer.next(); token.type != Type::EndOfFile; token = tokenizer.next())
        result.tokens.append(token);
    return result;
}

// "type@offset+length" for each token, "|" between them.
QString placesOf(const QList<HtmlToken> &tokens)
{
    static const char *const names[] = {"doctype", "start", "end", "comment", "text", "eof"};
    QStringList places;
    for (const HtmlToken &token : tokens)
        places.append(QStringLiteral("%1@%2+%3").arg(QLatin1StringView(names[int(token.type)])).arg(token.span.offset).arg(token.span.length));
    return places.join(u'|');
}

} // namespace

class TestHtmlTokenizer : public QObject
{
    Q_OBJECT

private slots:
    void tokenPlaces_data();
    void tokenPlaces();
    void attributePlaces();
    void repeatedAttributeIsDropped();
    void errorPlaces_data();
    void errorPlaces();
    void runKeepsItsSourcePlaces();
    void eofAgainAndAgain();
    void treeConstructionSwitchesState();
    void charactersComeOutBeforeCdataIsDecided();
    void errorCodesAreDistinct();
    void largeInputsTakeLinearTime_data();
    void largeInputsTakeLinearTime();
};

void TestHtmlTokenizer::tokenPlaces_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("places");

    QTest::newRow("text and tags") << u"a<b c=d>e</b>"_s << u"text@0+1|start@1+7|text@8+1|end@9+4"_s;
    QTest::newRow("comment") << u"<!-- x -->y"_s << u"comment@0+10|text@10+1"_s;
    QTest::newRow("doctype, CR LF") << u"<!DOCTYPE html>\r\n<p>"_s << u"doctype@0+15|text@15+2|start@17+3"_s;
    QTest::newRow("processing instruction") << u"<?xml version=1?>"_s << u"comment@0+17"_s;
    QTest::newRow("bogus end tag") << u"</ x>z"_s << u"comment@0+5|text@5+1"_s;
    QTest::newRow("dropped </> inside a run") << u"a</>b"_s << u"text@0+5"_s;
    QTest::newRow("tag cut off by the end") << u"x<p class"_s << u"text@0+1"_s;
    QTest::newRow("comment cut off by the end") << u"<!-- x"_s << u"comment@0+6"_s;
    QTest::newRow("lone less-than sign") << u"1 < 2"_s << u"text@0+5"_s;
    QTest::newRow("references in a run") << u"&lt;&#x41;&amp"_s << u"text@0+14"_s;
}

void TestHtmlTokenizer::tokenPlaces()
{
    QFETCH(QString, input);
    QFETCH(QString, places);
    QCOMPARE(placesOf(tokenize(input).tokens), places);
}

void TestHtmlTokenizer::attributePlaces()
{
    const QString input = uR"(<a href="x.html" title='' hidden data-x=y&amp;z>)"_s;
    const Tokenized result = tokenize(input);
    QCOMPARE(result.tokens.size(), 1);
    const QList<HtmlAttribute> &attributes = result.tokens[0].attributes;
    QCOMPARE(attributes.size(), 4);
    auto text = [&input](SourceSpan span) { return input.mid(span.offset, span.length); };

    QCOMPARE(text(attributes[0].nameSpan), u"href"_s);
    QCOMPARE(text(attributes[0].valueSpan), u"x.html"_s);
    QCOMPARE(attributes[1].valueSpan, (SourceSpan{input.indexOf(u"''") + 1, 0})); // empty, yet there
    QVERIFY(!attributes[2].valueSpan.isValid()); // no value at all
    QCOMPARE(text(attributes[2].nameSpan), u"hidden"_s);
    QCOMPARE(attributes[3].value, u"y&z"_s);
    QCOMPARE(text(attributes[3].valueSpan), u"y&amp;z"_s);
}

void TestHtmlTokenizer::repeatedAttributeIsDropped()
{
    const QString input = u"<p id=1 ID='2' class=x>"_s;
    const Tokenized result = tokenize(input);
    QCOMPARE(result.tokens.size(), 1);
    const QList<HtmlAttribute> &attributes = result.tokens[0].attributes;
    QCOMPARE(attributes.size(), 2);
    QCOMPARE(attributes[0].value, u"1"_s);
    QCOMPARE(attributes[1].name, u"class"_s);
    QCOMPARE(result.errors.size(), 1);
    QCOMPARE(QByteArray(result.errors[0].code), "duplicate-attribute");
    QCOMPARE(result.errors[0].span, (SourceSpan{8, 2}));
    QCOMPARE(result.errors[0].name, u"id"_s);
}

void TestHtmlTokenizer::errorPlaces_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<qsizetype>("length");

    QTest::newRow("reference without semicolon") << u"x &amp y"_s << QByteArray("missing-semicolon-after-character-reference") << qsizetype(2) << qsizetype(4);
    QTest::newRow("control reference") << u"&#128;"_s << QByteArray("control-character-reference") << qsizetype(0) << qsizetype(6);
    QTest::newRow("unknown name") << u"&nix;"_s << QByteArray("unknown-named-character-reference") << qsizetype(0) << qsizetype(5);
    QTest::newRow("no digits") << u"&#x;"_s << QByteArray("absence-of-digits-in-numeric-character-reference") << qsizetype(0) << qsizetype(3);
    QTest::newRow("NUL") << u"a\0b"_s << QByteArray("unexpected-null-character") << qsizetype(1) << qsizetype(1);
    QTest::newRow("end in a tag") << u"<p"_s << QByteArray("eof-in-tag") << qsizetype(2) << qsizetype(0);
    QTest::newRow("end tag with attributes") << u"x</p a>"_s << QByteArray("end-tag-with-attributes") << qsizetype(1) << qsizetype(6);
    QTest::newRow("nested comment") << u"<!-- <!-- -->"_s << QByteArray("nested-comment") << qsizetype(5) << qsizetype(4);
    QTest::newRow("solidus in a tag") << u"<a/b>"_s << QByteArray("unexpected-solidus-in-tag") << qsizetype(2) << qsizetype(1);
    QTest::newRow("control after CR LF") << u"x\r\n\x01"_s << QByteArray("control-character-in-input-stream") << qsizetype(3) << qsizetype(1);
    QTest::newRow("noncharacter outside the BMP") << QString::fromUcs4(U"a\U0001FFFE") << QByteArray("noncharacter-in-input-stream") << qsizetype(1) << qsizetype(2);
    QTest::newRow("lone surrogate") << (u"a"_s + QChar(0xDC00)) << QByteArray("surrogate-in-input-stream") << qsizetype(1) << qsizetype(1);
}

void TestHtmlTokenizer::errorPlaces()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, code);
    QFETCH(qsizetype, offset);
    QFETCH(qsizetype, length);

    const Tokenized result = tokenize(input);
    QCOMPARE(result.errors.size(), 1);
    QCOMPARE(QByteArray(result.errors[0].code), code);
    QCOMPARE(result.errors[0].span, (SourceSpan{offset, length}));
}

// One run over line breaks and references, and each of its characters traced back to its source.
void TestHtmlTokenizer::runKeepsItsSourcePlaces()
{
    const QString input = u"a\r\nb&amp;c\rd&#x1F600;e"_s;
    const Tokenized result = tokenize(input);
    QCOMPARE(result.tokens.size(), 1);
    const HtmlToken &run = result.tokens[0];
    QCOMPARE(run.data, u"a\nb&c\nd"_s + QString::fromUcs4(U"\U0001F600") + u"e"_s);
    QCOMPARE(run.span, (SourceSpan{0, input.size()}));
    const QList<qsizetype> expected = {0, 1, 3, 4, 9, 10, 11, 12, 13, 21, 22};
    QCOMPARE(expected.size(), run.data.size() + 1);
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(run.sourceOffset(i), expected[i]);
}

void TestHtmlTokenizer::eofAgainAndAgain()
{
    QList<HtmlParseError> errors;
    HtmlTokenizer tokenizer(u"<p", &errors);
    for (int i = 0; i < 3; ++i) {
        const HtmlToken token = tokenizer.next();
        QCOMPARE(token.type, Type::EndOfFile);
        QCOMPARE(token.span, (SourceSpan{2, 0}));
    }
    QCOMPARE(errors.size(), 1);
}

// A start tag comes out before anything after it is read, so the state set then applies.
void TestHtmlTokenizer::treeConstructionSwitchesState()
{
    QList<HtmlParseError> errors;
    HtmlTokenizer tokenizer(u"x<script>a</b><!--c--></script><title>&lt;</title>", &errors);
    QCOMPARE(tokenizer.next().data, u"x"_s);
    QCOMPARE(tokenizer.next().name, u"script"_s);
    tokenizer.switchTo(HtmlTokenizer::State::ScriptData);
    QCOMPARE(tokenizer.next().data, u"a</b><!--c-->"_s);
    QCOMPARE(tokenizer.next().type, Type::EndTag);
    QCOMPARE(tokenizer.next().name, u"title"_s);
    tokenizer.switchTo(HtmlTokenizer::State::Rcdata);
    QCOMPARE(tokenizer.next().data, u"<"_s);
    const HtmlToken end = tokenizer.next();
    QCOMPARE(end.type, Type::EndTag);
    QCOMPARE(end.name, u"title"_s);
    QCOMPARE(tokenizer.next().type, Type::EndOfFile);
    QVERIFY(errors.isEmpty());
}

// Characters before "<![CDATA[" may move the tree into or out of foreign content, so they come
// out first and the flag set afterwards decides.
void TestHtmlTokenizer::charactersComeOutBeforeCdataIsDecided()
{
    QList<HtmlParseError> errors;
    HtmlTokenizer tokenizer(u"a<![CDATA[x]]>c<![CDATA[d]]>", &errors);
    tokenizer.setInForeignContent(true);
    QCOMPARE(tokenizer.next().data, u"a"_s);
    tokenizer.setInForeignContent(false);
    const HtmlToken comment = tokenizer.next();
    QCOMPARE(comment.type, Type::Comment);
    QCOMPARE(comment.data, u"[CDATA[x]]"_s);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(tokenizer.next().data, u"c"_s);
    tokenizer.setInForeignContent(true);
    const HtmlToken cdata = tokenizer.next();
    QCOMPARE(cdata.data, u"d"_s);
    QCOMPARE(cdata.span, (SourceSpan{24, 1}));
    QCOMPARE(tokenizer.next().type, Type::EndOfFile);
}

void TestHtmlTokenizer::errorCodesAreDistinct()
{
    const QList<const char *> codes = HtmlTokenizer::errorCodes();
    QSet<QByteArray> distinct;
    for (const char *code : codes)
        distinct.insert(code);
    QCOMPARE(distinct.size(), codes.size());
    QCOMPARE(codes.size(), 48);
}

void TestHtmlTokenizer::largeInputsTakeLinearTime_data()
{
    QTest::addColumn<QString>("input");
    const qsizetype large = 10 << 20;
    const qsizetype size = 2 << 20;
    auto repeated = [](const QString &piece, qsizetype length = 2 << 20) { return piece.repeated(length / piece.size()); };

    QTest::newRow("<div>") << repeated(u"<div>"_s, large);
    QTest::newRow("&") << repeated(u"&"_s, large);
    QTest::newRow("<!--") << repeated(u"<!--"_s, large);
    QTest::newRow("</") << repeated(u"</"_s);
    QTest::newRow("&am") << repeated(u"&am"_s);
    QTest::newRow("digits of one reference") << (u"&#"_s + repeated(u"9"_s));
    QTest::newRow("one unclosed comment") << (u"<!--"_s + repeated(u"-!"_s));
    QString attributes = u"<a"_s;
    for (int i = 0; attributes.size() < size; ++i)
        attributes += u" a"_s + QString::number(i);
    QTest::newRow("distinct attributes of one tag") << attributes;
    QTest::newRow("one attribute repeated") << (u"<a"_s + repeated(u" b"_s) + u'>');
    QTest::newRow("script end tags that do not end it") << (u"<script>"_s + repeated(u"</scrip"_s));
}

void TestHtmlTokenizer::largeInputsTakeLinearTime()
{
    QFETCH(QString, input);
    QElapsedTimer timer;
    timer.start();
    QList<HtmlParseError> errors;
    HtmlTokenizer tokenizer(input, &errors);
    qsizetype tokens = 0;
    while (tokenizer.next().type != Type::EndOfFile) {
        if (++tokens == 1)
            tokenizer.switchTo(input.startsWith(u"<script>") ? HtmlTokenizer::State::ScriptData : HtmlTokenizer::State::Data);
    }
    // Square time on 10 MiB would take hours; linear takes well under a second here.
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_GUILESS_MAIN(TestHtmlTokenizer)
#include "tst_html_tokenizer.moc"
