// The authoring rules one by one, each on a small body in an otherwise correct page: which
// messages (Fehler and Warnungen, by key) it gives, and that the correct variant gives none.

#include "html/conformance/page_conformance.h"

#include <QTest>

using namespace Qt::StringLiterals;

class ConformanceRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
};

void ConformanceRulesTest::rules_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("keys"); // sorted, one per message

    auto row = [](const char *name, const QString &body, const QStringList &keys) {
        QTest::newRow(name) << body << keys;
    };
    const QString notIn = u"element-not-allowed-in"_s;
    const QString notInside = u"element-not-allowed-inside"_s;
    const QString missingChild = u"element-missing-child"_s;

    // Where an element may stand.
    row("li in ul", u"<ul><li>a</ul>"_s, {});
    row("li alone", u"<li>a</li>"_s, {notIn});
    row("div in span", u"<span><div>a</div></span>"_s, {notIn});
    row("div in a in div", u"<div><a href=x><div>a</div></a></div>"_s, {});
    row("div in a in span", u"<span><a href=x><div>a</div></a></span>"_s, {notIn});
    row("text in ul", u"<ul>Text<li>a</ul>"_s, {u"text-not-allowed-in"_s});
    row("text in iframe", u"<iframe>Text</iframe>"_s, {u"text-not-allowed-in"_s});
    row("style opens a block", u"<div><style>p{}</style><p>a</div>"_s, {});
    row("style later in a block", u"<div><p>a</p><style>p{}</style></div>"_s, {u"style-in-body"_s});
    row("link in body", u"<link rel=icon href=a.ico>"_s, {u"link-in-body"_s});
    row("stylesheet in body", u"<link rel=stylesheet href=a.css>"_s, {});
    // What an element must not hold.
    row("button in a", u"<a href=x><button>b</button></a>"_s, {notInside});
    row("tabindex in a", u"<a href=x><span tabindex=0>s</span></a>"_s, {u"attribute-not-allowed-inside"_s});
    row("hidden input in a", u"<a href=x><input type=hidden name=h></a>"_s, {});
    row("heading in dt", u"<dl><dt><h2>a</h2><dd>b</dl>"_s, {notInside, u"heading-no-h1"_s});
    row("footer in header", u"<header><footer>a</footer></header>"_s, {notInside});
    row("two fields in a label", u"<label>a <input name=a><input name=b></label>"_s, {u"label-second-control"_s});
    row("main in section", u"<section><h1>a</h1><main>b</main></section>"_s, {u"main-inside"_s});
    row("two mains", u"<main>a</main><main>b</main>"_s, {u"main-second"_s});
    // Children in order.
    row("table caption twice", u"<table><caption>a<caption>b<tr><td>c</table>"_s, {notIn});
    row("details without summary", u"<details><p>a</details>"_s, {missingChild});
    row("summary after content", u"<details><p>a<summary>b</summary></details>"_s, {missingChild, notIn});
    row("picture without img", u"<picture><source srcset=a.png></picture>"_s, {missingChild});
    row("hgroup with two headings", u"<hgroup><h1>a</h1><h2>b</h2></hgroup>"_s, {notIn});
    row("figure with two captions", u"<figure><figcaption>a</figcaption><p>b<figcaption>c</figcaption></figure>"_s,
        {notIn});
    row("source in video with src", u"<video src=a.mp4><source src=b.mp4></video>"_s, {notIn});
    row("dl groups", u"<dl><dt>a<dd>b<dt>c<dd>d</dl>"_s, {});
    row("dl starts with dd", u"<dl><dd>a</dl>"_s, {u"dl-dd-first"_s});
    row("dl ends with dt", u"<dl><dt>a</dl>"_s, {missingChild});
    row("dl div group without dd", u"<dl><div><dt>a</div></dl>"_s, {missingChild});
    row("dl mixes divs and groups", u"<dl><div><dt>a<dd>b</div><dt>c<dd>d</dl>"_s, {notIn, notIn});
    row("ruby without rt", u"<ruby>a</ruby>"_s, {u"ruby-without-rt"_s});
    row("select holds options", u"<select><option>a<optgroup label=g><option>b</optgroup><hr></select>"_s, {});
    row("span in select", u"<select><span>a</span><option>b</select>"_s, {notIn});
    row("empty option", u"<select><option></option><option>b</select>"_s, {u"option-empty"_s});
    row("required select without placeholder", u"<select required><option>a<option>b</select>"_s,
        {u"select-first-option-not-placeholder"_s});
    row("head with two titles", u"<title>b</title>"_s, {notIn});
    // Attributes.
    row("unknown attribute", u"<p farbe=rot>a</p>"_s, {u"attribute-not-allowed"_s});
    row("data, aria, events", u"<p data-x=1 aria-hidden=true onclick=f()>a</p>"_s, {});
    row("window event on p", u"<p onbeforeunload=f()>a</p>"_s, {u"attribute-not-allowed"_s});
    row("checked on a text field", u"<input type=text checked name=a>"_s, {u"attribute-for-other-type"_s});
    row("target without href", u"<a target=_blank>a</a>"_s, {u"attribute-needs-href"_s});
    row("img without alt", u"<img src=a.png>"_s, {u"img-without-alt"_s});
    row("img with title", u"<img src=a.png title=See>"_s, {});
    row("img without src", u"<img alt=a>"_s, {u"attribute-missing"_s});
    row("meta without content", u"<meta itemprop=x>"_s, {u"meta-without-content"_s, u"itemprop-without-item"_s});
    row("obsolete attribute", u"<p align=center>a</p>"_s, {u"obsolete-attribute-align"_s});
    row("obsolete element", u"<acronym>a</acronym>"_s, {u"obsolete-element-acronym"_s});
    row("unknown element", u"<bold>a</bold>"_s, {u"unknown-element"_s});
    row("custom element", u"<mein-kasten rahmen>a</mein-kasten>"_s, {});
    // The page as a whole.
    row("duplicate id", u"<p id=a>a<p id=a>b"_s, {u"duplicate-id"_s, u"duplicate-id-first"_s});
    row("label for nothing", u"<label for=n>a</label>"_s, {u"label-for-wrong"_s});
    row("label for a span", u"<label for=n>a</label><span id=n>b</span>"_s, {u"label-for-wrong"_s});
    row("list names no datalist", u"<input list=d name=a><div id=d></div>"_s, {u"input-list-wrong"_s});
    row("headers in another table",
        u"<table><tr><th id=h>a</table><table><tr><td headers=h>b</table>"_s, {u"headers-wrong"_s});
    row("usemap without map", u"<img src=a.png alt=a usemap=#m>"_s, {u"usemap-wrong"_s});
    row("property named by itemref", u"<div itemscope itemref=p></div><p id=p><span itemprop=name>a</span>"_s, {});
    row("property outside any item", u"<p><span itemprop=name>a</span>"_s, {u"itemprop-without-item"_s});
    row("heading levels skipped", u"<h1>a</h1><h3>b</h3>"_s, {u"heading-level-skip"_s});
    row("empty heading", u"<h1>a</h1><h2></h2>"_s, {u"heading-empty"_s});
    row("letters put together", u"<p>Gru\u0308\u00dfe</p>"_s, {u"text-not-normalized"_s});
    row("letters as one", u"<p>Gr\u00fc\u00dfe</p>"_s, {});
    // The table model.
    row("cells overlap", u"<table><tr><td>a<td rowspan=2>b<tr><td colspan=2>c</table>"_s,
        {u"table-cells-overlap"_s});
    row("rowspan past the group", u"<table><tr><td rowspan=3>a</table>"_s, {u"table-cell-past-row-group"_s});
    row("rowspan 0 reaches the group's end", u"<table><tr><td rowspan=0>a<td>b<tr><td>c</table>"_s, {});
    row("empty row", u"<table><tr><td>a<tr></tr><tr><td>b</table>"_s,
        {u"table-row-empty"_s, u"table-row-narrower"_s});
    row("columns without cells", u"<table><tr><td colspan=3>a<tr><td>b<td>c<td>d</table>"_s, {});
    row("colspan leaves columns empty", u"<table><tr><td colspan=3>a</table>"_s, {u"table-columns-empty"_s});
    row("row wider than the first", u"<table><tr><td>a<tr><td>b<td>c</table>"_s, {u"table-row-wider"_s});
}

void ConformanceRulesTest::rules()
{
    QFETCH(QString, body);
    QFETCH(QStringList, keys);
    const QString page = u"<!DOCTYPE html>\n<html lang=de>\n<head><meta charset=utf-8><title>Test</title></head>\n"
                         "<body>\n"_s + body + u"\n</body>\n</html>\n"_s;
    QStringList found;
    for (const CheckMessage &message : checkPage(page))
        found.append(message.key);
    found.sort();
    keys.sort();
    QCOMPARE(found, keys);
}

QTEST_GUILESS_MAIN(ConformanceRulesTest)
#include "tst_conformance_rules.moc"
