// The standard's parser, tree construction included, on a 1 MiB and a 10 MiB page of mixed HTML
// and on 100,000 nested <div>, beside a floor: the tokenizer alone on the same text, with the
// state switches the tree construction would make.

#include "program_benchmarks.h"

#include "html/parser/html_tokenizer.h"
#include "html/parser/html_tree.h"

#include <QString>

#include <benchmark/benchmark.h>

namespace {

// Head, text with references, a table, a form, a comment and a script, over and over.
QString mixedPage(qsizetype bytes)
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
        bytes,
        "<!DOCTYPE html>\r\n<html lang=de><head><meta charset=utf-8><title>Seite</title>\r\n"
        "<style>body { margin: 0 }</style></head><body>\r\n");
    return QString::fromUtf8(page);
}

QString nestedDivs(int depth)
{
    return QStringLiteral("<div>").repeated(depth);
}

qsizetype tokenize(const QString &page)
{
    QList<HtmlParseError> errors;
    HtmlTokenizer tokenizer(page, &errors);
    qsizetype tokens = 0;
    for (HtmlToken token = tokenizer.next(); token.type != HtmlToken::Type::EndOfFile; token = tokenizer.next()) {
        ++tokens;
        if (token.type == HtmlToken::Type::StartTag && (token.name == u"script" || token.name == u"style"))
            tokenizer.switchTo(token.name == u"script" ? HtmlTokenizer::State::ScriptData : HtmlTokenizer::State::Rawtext);
        else if (token.type == HtmlToken::Type::StartTag && token.name == u"title")
            tokenizer.switchTo(HtmlTokenizer::State::Rcdata);
    }
    return tokens;
}

// The tree is freed outside the measured time: what is measured is what a reader waits for.
void measureParse(benchmark::State &state, const QString &page)
{
    for (auto _ : state) {
        HtmlDocument document = parseHtml(page);
        benchmark::DoNotOptimize(document.root());
        state.PauseTiming();
        document = HtmlDocument();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * page.size() * qsizetype(sizeof(QChar)));
}

void BM_ParsePage(benchmark::State &state)
{
    measureParse(state, mixedPage(state.range(0) << 20));
}

void BM_TokenizePageFloor(benchmark::State &state)
{
    const QString page = mixedPage(state.range(0) << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(tokenize(page));
    state.SetBytesProcessed(state.iterations() * page.size() * qsizetype(sizeof(QChar)));
}

void BM_ParseNestedDivs(benchmark::State &state)
{
    measureParse(state, nestedDivs(int(state.range(0))));
}

void BM_TokenizeNestedDivsFloor(benchmark::State &state)
{
    const QString page = nestedDivs(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tokenize(page));
}

void BM_FreeTree(benchmark::State &state)
{
    const QString page = mixedPage(state.range(0) << 20);
    for (auto _ : state) {
        state.PauseTiming();
        HtmlDocument document = parseHtml(page);
        state.ResumeTiming();
        document = HtmlDocument();
    }
}

BENCHMARK(BM_ParsePage)->ArgName("MiB")->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TokenizePageFloor)->ArgName("MiB")->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseNestedDivs)->ArgName("depth")->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TokenizeNestedDivsFloor)->ArgName("depth")->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreeTree)->ArgName("MiB")->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
