#include "app/main_window.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "support/test_support.h"
#include "viewing/browser/browser_view.h"
#include "viewing/browser_host.h"
#include "viewing/preview_window.h"
#include "viewing/source_link.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBlock>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Nested tables, text with and without references, and what the parser adds by itself: the
// tables' <tbody>, the paragraphs' </p>.
const QString page = uR"(<!DOCTYPE html>
<html><head><title>Test</title></head>
<body>
<h1 id="kopf">Ueberschrift</h1>
<p id="eins">Erster Absatz ohne Ende
<p id="zwei">Gr&uuml;&szlig;e aus Berlin
<table border="1" id="aussen">
<tr><td id="a1" style="height:80px">Links<td id="a2"><table border="1" id="innen"><tr><td id="i1">Innen eins</td><td id="i2">Innen zwei</td></tr></table>
</table>
<p><a href="anders.html" id="verweis">Ein Verweis</a>
</body></html>)"_s;

Form13 *preview()
{
    return windows().form13;
}

TextEditor *editor()
{
    return windows().HPQT;
}

QVariant evaluate(const QString &script)
{
    QVariant value;
    bool done = false;
    preview()->browser()->runScript(script, [&](const QVariant &result) {
        value = result;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return u"<no answer>"_s;
    return value;
}

// The id of the element framed in the page, or "-" for none.
QString framedId()
{
    return evaluate(u"(function () { const f = document.querySelector('[data-tagschmied-frame]');"
                    " return f ? f.id : '-'; })()"_s)
        .toString();
}

// Where, in the view, the element with the id shows: a little inside its top right corner,
// beside any text of a heading or of a tall cell.
QPoint elementPlace(const QString &id)
{
    const QVariantList box = evaluate(
        u"(function () { const b = document.getElementById('%1').getBoundingClientRect();"
        " return [b.right - 4, b.top + 4]; })()"_s.arg(id))
                                 .toList();
    return box.size() == 2 ? QPointF(box[0].toDouble(), box[1].toDouble()).toPoint() : QPoint();
}

// The middle of a character of a word in the page's text.
QPoint characterPlace(const QString &word, int inWord)
{
    const QVariantList box = evaluate(uR"((function () {
        const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
        for (let text = walker.nextNode(); text; text = walker.nextNode()) {
            const at = text.data.indexOf('%1');
            if (at < 0)
                continue;
            const range = document.createRange();
            range.setStart(text, at + %2);
            range.setEnd(text, at + %2 + 1);
            const b = range.getBoundingClientRect();
            return [b.left + b.width / 2, b.top + b.height / 2];
        }
        return null;
    })())"_s.arg(word).arg(inWord)).toList();
    return box.size() == 2 ? QPointF(box[0].toDouble(), box[1].toDouble()).toPoint() : QPoint();
}

QString caretPlace()
{
    const QTextCursor caret = editor()->textCursor();
    return u"%1:%2"_s.arg(caret.blockNumber() + 1).arg(caret.positionInBlock() + 1);
}

void click(const QPoint &place, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QTest::mouseClick(preview()->shower->focusProxy(), Qt::LeftButton, modifiers, place);
}

// The document holds the text, and the preview shows it through look.html by F12.
void showInPreview(ProgramFixture &program, const QString &text)
{
    program.write(u"eigene.lst"_s, {});
    editor()->replaceText(text);
    editor()->moveCaretTo(1);
    QSignalSpy loads(preview(), &Form13::pageLoaded);
    windows().form1->show();
    preview()->showCurrentPage();
    QVERIFY(loads.wait(30000));
}

// The user goes back to the editor after F12.
void backToTheEditor()
{
    QApplication::setActiveWindow(windows().form1);
    editor()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), editor());
}

// Puts the caret there and waits for the frame to show on the element with the id ("-": for
// the frame to go).
void frameAtCaret(int line, int column, const QString &framed)
{
    editor()->moveCaretTo(line, column);
    QTRY_COMPARE_WITH_TIMEOUT(framedId(), framed, 5000);
}

} // namespace

class TestSourceLink : public QObject
{
    Q_OBJECT

private slots:
    void controlClickPutsTheCaret_data()
    {
        QTest::addColumn<QString>("id"); // empty: a word's character
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("inWord");
        QTest::addColumn<QString>("caret");
        QTest::newRow("heading's text") << QString() << u"Ueberschrift"_s << 2 << u"4:17"_s;
        QTest::newRow("heading beside its text") << u"kopf"_s << QString() << 0 << u"4:1"_s;
        QTest::newRow("paragraph without its end tag") << QString() << u"Absatz"_s << 0 << u"5:21"_s;
        QTest::newRow("text before references") << QString() << u"Gr"_s << 1 << u"6:15"_s;
        QTest::newRow("text after references") << QString() << u"Berlin"_s << 2 << u"6:1"_s;
        QTest::newRow("cell of an implied tbody") << u"a1"_s << QString() << 0 << u"8:5"_s;
        QTest::newRow("cell's text") << QString() << u"Links"_s << 1 << u"8:38"_s;
        QTest::newRow("inner table's cell text") << QString() << u"Innen zwei"_s << 6 << u"8:132"_s;
        QTest::newRow("link: not followed") << QString() << u"Verweis"_s << 0 << u"10:43"_s;
    }
    void controlClickPutsTheCaret()
    {
        QFETCH(QString, id);
        QFETCH(QString, word);
        QFETCH(int, inWord);
        QFETCH(QString, caret);
        ProgramFixture program;
        showInPreview(program, page);
        const QPoint place = id.isEmpty() ? characterPlace(word, inWord) : elementPlace(id);
        QVERIFY(!place.isNull());

        QSignalSpy clicks(preview()->sourceLink(), &SourceLink::clickDone);
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        click(place);
        QVERIFY(clicks.wait(5000));
        QCOMPARE(clicks.constFirst().constFirst().toBool(), true);
        QCOMPARE(caretPlace(), caret);
        QCOMPARE(QApplication::activeWindow(), windows().form1);
        QCOMPARE(QApplication::focusWidget(), editor());
        QVERIFY(!loads.wait(300)); // no link followed
        QVERIFY(preview()->browser()->location().path().endsWith(u"/look.html"_s));
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }

    void caretIsFramed_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("framed"); // an id, "-" for none
        QTest::newRow("heading") << 4 << 20 << u"kopf"_s;
        QTest::newRow("paragraph without its end tag") << 5 << 30 << u"eins"_s;
        QTest::newRow("text with references") << 6 << 33 << u"zwei"_s;
        QTest::newRow("start tag of the outer table") << 7 << 10 << u"aussen"_s;
        QTest::newRow("cell of an implied tbody") << 8 << 36 << u"a1"_s;
        QTest::newRow("inner table") << 8 << 60 << u"innen"_s;
        QTest::newRow("inner cell") << 8 << 130 << u"i2"_s;
        QTest::newRow("end tag of the outer table") << 9 << 3 << u"aussen"_s;
        QTest::newRow("head") << 2 << 22 << u"-"_s;
        QTest::newRow("doctype") << 1 << 5 << u"-"_s;
    }
    void caretIsFramed()
    {
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, framed);
        ProgramFixture program;
        showInPreview(program, page);
        backToTheEditor();
        frameAtCaret(10, 5, u"verweis"_s);
        frameAtCaret(line, column, framed);
        // The frame is an outline: it moves nothing.
        if (framed != u"-"_s)
            QCOMPARE(evaluate(u"getComputedStyle(document.getElementById('%1')).outlineStyle"_s
                                  .arg(framed))
                         .toString(),
                     u"solid"_s);
        QCOMPARE(QApplication::activeWindow(), windows().form1);
        QCOMPARE(QApplication::focusWidget(), editor());
    }

    // Typing reloads the page; the frame is there again, moved with the element it is on.
    void frameOutlivesTheReload()
    {
        ProgramFixture program;
        showInPreview(program, page);
        frameAtCaret(6, 20, u"zwei"_s);
        // The frame is there as soon as the page is, not set again after it.
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        preview()->browser()->reload();
        QVERIFY(loads.wait(10000));
        QCOMPARE(framedId(), u"zwei"_s);
        editor()->moveCaretTo(4, 15);
        backToTheEditor();
        QTest::keyClicks(editor(), u"<i>x</i>"_s);
        QVERIFY(loads.wait(10000));
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(u"document.getElementById('kopf').innerHTML"_s)
                                      .toString(),
                                  u"<i>x</i>Ueberschrift"_s, 10000);
        QTRY_COMPARE(framedId(), u"kopf"_s);
        QCOMPARE(QApplication::focusWidget(), editor());
    }

    // The page's script has changed the tree: the paths may disagree, so nothing happens.
    void pageChangedByItsScript()
    {
        ProgramFixture program;
        showInPreview(program, u"<body><h1 id=\"kopf\">Titel</h1>\n<p id=\"text\">Text</p>\n"
                                "<script>document.body.insertBefore(document.createElement('p'),"
                                " document.body.firstChild);</script>"_s);
        QSignalSpy frames(preview()->sourceLink(), &SourceLink::frameDone);
        editor()->moveCaretTo(2, 16);
        QTRY_VERIFY(frames.contains({u"changed"_s}));
        QCOMPARE(framedId(), u"-"_s);

        QSignalSpy clicks(preview()->sourceLink(), &SourceLink::clickDone);
        click(characterPlace(u"Titel"_s, 2));
        QVERIFY(clicks.wait(5000));
        QCOMPARE(clicks.constFirst().constFirst().toBool(), false);
        QCOMPARE(caretPlace(), u"2:16"_s);
    }

    // Another page is left alone: Ctrl+clicks reach it as before, and nothing is framed.
    void otherPageIsLeftAlone()
    {
        ProgramFixture program;
        editor()->replaceText(page);
        program.write(u"anders.html"_s,
                      "<body><h1 id=\"kopf\">Ueberschrift</h1><script>window.clicks = 0;"
                      " document.addEventListener('click', () => ++window.clicks);</script>");
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"anders.html"_s)));
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        QTest::mouseClick(windows().form1->Button23, Qt::LeftButton);
        QVERIFY(loads.wait(30000));

        QSignalSpy clicks(preview()->sourceLink(), &SourceLink::clickDone);
        editor()->moveCaretTo(4, 17);
        click(characterPlace(u"Ueberschrift"_s, 5));
        QTRY_COMPARE(evaluate(u"window.clicks"_s).toInt(), 1);
        QTest::qWait(2 * SourceLink::caretRest + 200);
        QCOMPARE(clicks.size(), 0);
        QCOMPARE(caretPlace(), u"4:17"_s);
        QCOMPARE(framedId(), u"-"_s);
    }

    // The page file the document came from is the page being edited too, until "Neu".
    void openedPageIsLinked()
    {
        ProgramFixture program;
        program.write(u"eigene.lst"_s, {});
        program.write(u"seite.html"_s, page.toUtf8());
        windows().form1->openPage(program.path(u"seite.html"_s));
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"seite.html"_s)));
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        QTest::mouseClick(windows().form1->Button23, Qt::LeftButton);
        QVERIFY(loads.wait(30000));
        QSignalSpy clicks(preview()->sourceLink(), &SourceLink::clickDone);
        click(characterPlace(u"Innen zwei"_s, 6));
        QVERIFY(clicks.wait(5000));
        QCOMPARE(caretPlace(), u"8:132"_s);
        QTRY_COMPARE(framedId(), u"i2"_s);

        QTest::mouseClick(windows().form1->Button1, Qt::LeftButton);
        QTRY_COMPARE(framedId(), u"-"_s);
        clicks.clear();
        click(characterPlace(u"Innen zwei"_s, 6));
        QTest::qWait(300);
        QCOMPARE(clicks.size(), 0);
        QCOMPARE(caretPlace(), u"1:1"_s);
    }

    // A plain click does what it did: the page has it, the caret stays.
    void plainClickStaysInThePage()
    {
        ProgramFixture program;
        showInPreview(program, page);
        frameAtCaret(8, 130, u"i2"_s);
        QSignalSpy clicks(preview()->sourceLink(), &SourceLink::clickDone);
        click(characterPlace(u"Absatz"_s, 2), Qt::NoModifier);
        QTest::qWait(300);
        QCOMPARE(clicks.size(), 0);
        QCOMPARE(caretPlace(), u"8:130"_s);
    }
};

int main(int argc, char *argv[])
{
    prepareBrowserEngine();
    QApplication app(argc, argv);
    TestSourceLink test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_source_link.moc"
