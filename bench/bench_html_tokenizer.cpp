// The standard's tokenizer on a 1 MiB page of mixed HTML with CR LF line ends, beside a floor:
// one pass over the same text that finds every '<'.

#include "program_benchmarks.h"

#include "html/parser/html_tokenizer.h"

#include <QString>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype pageBytes = qsizetype(1) << 20;

// Head, navigation, text with references, a table, a form, a comment and a script, over and over.
QString makePage()
{
    const QByteArray page = repeatedLines(
        "<div class=\"artikel\" id='a1'><h2>&Uuml;berschrift &amp; mehr</h2>\r\n"
        "<p>Ein Absatz mit <a href=\"seite.html?a=1&amp;b=2\" title=\"Verweis\">einem Link</a>, "
        "<b>fett</b> und <i>kursiv</i>, Gr&ouml;&szlig;e&nbsp;10&#8239;cm.</p>\r\n"
        "<ul><li><a href=/start>Start</a></li><li><a href=/impressum>Impressum</a></li></ul>\r\n"
        "<table border=1 width=\"100%\"><tr><td align=center>1</td><td>Zwei</td></tr></table>\r\n"
        "<form action=\"/suche\"><input type=text name=q value=\"\" required><br></form>\r\n"
        "<!-- ein Kommentar -->\r\n"
        "<script>if (a < b && c) { d(\"</p>\"); }</script></div>\r\n",
        pageBytes,
        "<!DOCTYPE html>\r\n<html lang=de><head><meta charset=utf-8><title>Seite</title>\r\n"
        "<style>body { margin: 0 }</style></head><body>\r\n");
    return QString::fromUtf8(page);
}

qsizetype tokenize(const QString &page)
{
    QList<HtmlParseError> errors;
    HtmlTokenizer tokenizer(page, &errors);
    qsizetype tokens = 0;
    for (HtmlToken token = tokenizer.next(); token.type != HtmlToken::Type::EndOfFile; token = tokenizer.next()) {
        ++tokens;
        // The tree construction's part: script text is read as such.
        if (token.type == HtmlToken::Type::StartTag && (token.name == u"script" || token.name == u"style"))
            tokenizer.switchTo(token.name == u"script" ? HtmlTokenizer::State::ScriptData : HtmlTokenizer::State::Rawtext);
        else if (token.type == HtmlToken::Type::StartTag && token.name == u"title")
            tokenizer.switchTo(HtmlTokenizer::State::Rcdata);
    }
    return tokens;
}

void BM_TokenizePage(benchmark::State &state)
{
    const QString page = makePage();
    for (auto _ : state)
        benchmark::DoNotOptimize(tokenize(page));
    state.SetBytesProcessed(state.iterations() * page.size() * qsizetype(sizeof(QChar)));
}

void BM_FindEveryTagFloor(benchmark::State &state)
{
    const QString page = makePage();
    for (auto _ : state)
        benchmark::DoNotOptimize(QStringView(page).count(u'<'));
    state.SetBytesProcessed(state.iterations() * page.size() * qsizetype(sizeof(QChar)));
}

BENCHMARK(BM_TokenizePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindEveryTagFloor)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
