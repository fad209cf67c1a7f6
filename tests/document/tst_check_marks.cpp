#include "app/main_window.h"
#include "document/check_marks.h"
#include "document/check_window.h"
#include "document/line_number_margin.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "html/check_texts.h"
#include "html/html_colouring.h"
#include "html/page_check.h"
#include "support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A checker of its own for these tests, so that the places are known: a Fehler at each
// "<tabel", a Warnung at each "<img" in a line without "alt=". It notes each run and the folder
// it was given, and may take its time.
void useFakeChecker(double seconds = 0)
{
    const QString awk = uR"(
{ c = index($0, "<tabel"); if (c) { printf "M\tUNKNOWN_ELEMENT\t%d\t%d\tE\t0\t<tabel>\n", NR, c; n++ }
  c = index($0, "<img"); if (c && !index($0, "alt=")) { printf "M\tMISSING_ATTRIBUTE\t%d\t%d\tW\t0\t<img>\talt\n", NR, c; n++ } }
END { printf "END\t%d\n", n })"_s;
    const QString shell = u"printf '%s\\n' \"$2\" >> runs.log; sleep %1; exec awk \"$0\""_s.arg(seconds);
    windows().form1->pageCheck()->setHelper(u"/bin/sh"_s, {u"-c"_s, shell, awk});
}

const CheckMessage tabel{u"UNKNOWN_ELEMENT"_s, 0, 0, 0, CheckLevel::Error, {u"<tabel>"_s}};
const CheckMessage noAlt{u"MISSING_ATTRIBUTE"_s, 0, 0, 0, CheckLevel::Warning, {u"<img>"_s, u"alt"_s}};
const QString page = u"<p>Gut</p>\n<tabel>x</tabel>\n<p><img src=\"a.png\"></p>"_s;

TextEditor *editor()
{
    return windows().form1->HPQT;
}

CheckMarks *marks()
{
    return windows().form1->checkMarks();
}

LineNumberMargin *margin()
{
    return editor()->findChild<LineNumberMargin *>();
}

void showProgram(ProgramFixture &program)
{
    program.write(u"eigene.lst"_s, QByteArray());
    windows().form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(windows().form1));
}

// Sets the text and waits for its marks.
void typeAndWait(const QString &text)
{
    QSignalSpy shown(marks(), &CheckMarks::marksShown);
    editor()->replaceText(text);
    QVERIFY(shown.wait(20000));
    editor()->viewport()->repaint();
}

int runs(ProgramFixture &program)
{
    return int(program.read(u"runs.log"_s).count('\n'));
}

// The check's marks in a line's layout: the text under each, with "E" for a Fehler's look and
// "W" for a Warnung's.
QStringList marksInLine(int line)
{
    const QTextBlock block = editor()->document()->findBlockByNumber(line);
    QStringList found;
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        const auto style = range.format.underlineStyle();
        if (style == QTextCharFormat::SingleUnderline || style == QTextCharFormat::DashUnderline) {
            found.append((style == QTextCharFormat::SingleUnderline ? u"E "_s : u"W "_s)
                         + block.text().mid(range.start, range.length));
        }
    }
    return found;
}

// A point of the viewport on the character at `column` (from 0) of `line`.
QPoint pointAt(int line, int column)
{
    QTextCursor at(editor()->document()->findBlockByNumber(line));
    at.setPosition(at.position() + column);
    const QRect caret = editor()->cursorRect(at);
    return {caret.left() + editor()->fontMetrics().averageCharWidth() / 2, caret.center().y()};
}

QString marginTip(int line)
{
    const QRectF geometry = editor()->lineGeometry(editor()->document()->findBlockByNumber(line));
    const QPoint point(2, qRound(geometry.center().y()));
    QHelpEvent help(QEvent::ToolTip, point, margin()->mapToGlobal(point));
    QApplication::sendEvent(margin(), &help);
    return help.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
}

// Which sign the margin paints beside a line, told by its colours: "E" red, "W" amber.
QString marginSign(int line)
{
    const QImage image = margin()->grab().toImage();
    const QRectF geometry = editor()->lineGeometry(editor()->document()->findBlockByNumber(line));
    const int y = qRound(geometry.center().y() * image.devicePixelRatio());
    QString sign;
    for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 150 && c.green() < 60 && c.blue() < 60)
            sign = u"E"_s;
        else if (c.red() > 180 && c.green() > 100 && c.green() < 190 && c.blue() < 60)
            sign = u"W"_s;
    }
    return sign;
}

QAction *switchIn(QMenu &menu)
{
    emit editor()->contextMenuAboutToShow(&menu, QPoint(1, 1));
    for (QAction *action : menu.actions()) {
        if (action->text() == u"Fehler anzeigen")
            return action;
    }
    return nullptr;
}

} // namespace

class TestCheckMarks : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings(u"tagschmied"_s, u"tagschmied"_s).clear();
    }

    void marksAndTipsWhereTheCheckFindsSomething()
    {
        ProgramFixture program;
        showProgram(program);
        useFakeChecker();
        typeAndWait(page);
        QCOMPARE(marksInLine(0), QStringList());
        QCOMPARE(marksInLine(1), QStringList{u"E <tabel>"_s});
        QCOMPARE(marksInLine(2), QStringList{u"W <img src=\"a.png\">"_s});

        const QString errorTip = u"Fehler: "_s + CheckTexts::text(tabel);
        const QString warningTip = u"Warnung: "_s + CheckTexts::text(noAlt);
        QCOMPARE(marks()->tipAt(pointAt(1, 0)), errorTip);
        QCOMPARE(marks()->tipAt(pointAt(1, 6)), errorTip);
        QCOMPARE(marks()->tipAt(pointAt(1, 7)), QString());
        QCOMPARE(marks()->tipAt(pointAt(2, 10)), warningTip);
        QCOMPARE(marks()->tipAt(pointAt(0, 1)), QString());
        QCOMPARE(marks()->tipAt(pointAt(1, 16) + QPoint(40, 0)), QString()); // right of the end

        QCOMPARE(marginSign(0), QString());
        QCOMPARE(marginSign(1), u"E"_s);
        QCOMPARE(marginSign(2), u"W"_s);
        QCOMPARE(marginTip(1), errorTip);
        QCOMPARE(marginTip(2), warningTip);
        QCOMPARE(marginTip(0), QString());
        // The text and its undo list are the check's no business.
        QCOMPARE(editor()->text(), page);
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'\n')));
    }

    // A line typed above while the check runs and after: the marks stay on their text.
    void marksMoveWithTheText()
    {
        ProgramFixture program;
        showProgram(program);
        useFakeChecker(0.5);
        QSignalSpy shown(marks(), &CheckMarks::marksShown);
        editor()->replaceText(page);
        marks()->checkNow();
        editor()->setFocus();
        editor()->moveCaretTo(1, 1);
        QTest::keyClicks(editor(), u"neu"_s);
        QTest::keyClick(editor(), Qt::Key_Return);
        QVERIFY(shown.wait(20000));
        editor()->viewport()->repaint();
        QCOMPARE(marksInLine(2), QStringList{u"E <tabel>"_s});
        QCOMPARE(marksInLine(3), QStringList{u"W <img src=\"a.png\">"_s});

        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(marksInLine(3), QStringList{u"E <tabel>"_s});
        QCOMPARE(marginSign(3), u"E"_s);
        QCOMPARE(marks()->tipAt(pointAt(4, 5)), u"Warnung: "_s + CheckTexts::text(noAlt));
        // Typed into the tag: its mark grows with it until the next check.
        editor()->moveCaretTo(4, 3);
        QTest::keyClicks(editor(), u"x"_s);
        QCOMPARE(marksInLine(3), QStringList{u"E <txabel>"_s});
    }

    void theSwitchIsRemembered()
    {
        ProgramFixture program;
        showProgram(program);
        useFakeChecker();
        typeAndWait(page);
        QMenu menu;
        QAction *entry = switchIn(menu);
        QVERIFY(entry && entry->isCheckable() && entry->isChecked());
        entry->trigger();
        QVERIFY(!marks()->isOn());
        QCOMPARE(marksInLine(1), QStringList());
        QCOMPARE(marginTip(1), QString());
        // Off, typing checks nothing.
        const int before = runs(program);
        editor()->moveCaretTo(1, 1);
        QTest::keyClicks(editor(), u"x"_s);
        QTest::qWait(CheckMarks::pauseAfterChange * 2);
        QCOMPARE(runs(program), before);

        TextEditor next;
        PageCheck check;
        CheckMarks nextRun(&next, new HtmlColouring(&next), new LineNumberMargin(&next), &check);
        QVERIFY(!nextRun.isOn());

        QMenu again;
        QSignalSpy shown(marks(), &CheckMarks::marksShown);
        switchIn(again)->trigger();
        QVERIFY(shown.wait(20000));
        editor()->viewport()->repaint();
        QCOMPARE(marksInLine(1), QStringList{u"E <tabel>"_s});
    }

    // With the check window open both take their marks and rows from one check of the text.
    void oneCheckServesTheWindowAndTheMarks()
    {
        ProgramFixture program;
        showProgram(program);
        useFakeChecker();
        typeAndWait(page);
        QApplication::setActiveWindow(windows().form1);
        editor()->setFocus();
        QTest::keyClick(editor(), Qt::Key_F7);
        Form16 *window = windows().form1->checkWindow();
        QTRY_COMPARE_WITH_TIMEOUT(window->ListView1->model()->rowCount(), 2, 20000);
        const int before = runs(program);
        QSignalSpy rows(window, &Form16::checkShown);
        QSignalSpy shown(marks(), &CheckMarks::marksShown);
        editor()->moveCaretTo(1, 1);
        QTest::keyClicks(editor(), u"<tabel>"_s);
        QVERIFY(rows.wait(20000));
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 20000);
        QTest::qWait(CheckMarks::pauseAfterChange * 2);
        QCOMPARE(runs(program), before + 1);
        editor()->viewport()->repaint();
        QCOMPARE(marksInLine(0), QStringList{u"E <tabel>"_s});
        window->hide();
    }

    // Links are looked up from the page's own folder, or without a file of its own from the
    // working folder, where look.html is.
    void theHelperIsToldThePagesFolder()
    {
        ProgramFixture program;
        showProgram(program);
        useFakeChecker();
        const QString working = QDir::currentPath();
        typeAndWait(u"<p>eins</p>"_s);
        QVERIFY(QDir().mkdir(u"seiten"_s));
        program.write(u"seiten/seite.html"_s, "<p>zwei</p>");
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"seiten/seite.html"_s)));
        QSignalSpy shown(marks(), &CheckMarks::marksShown);
        windows().form1->Button2->click();
        QVERIFY(shown.wait(20000));
        windows().form1->Button1->click(); // "Neu"
        typeAndWait(u"<p>drei</p>"_s);
        QCOMPARE(program.read(u"runs.log"_s),
                 (QStringList{working, working + u"/seiten"_s, working}.join(u'\n') + u'\n').toUtf8());
    }
};

QTEST_MAIN(TestCheckMarks)
#include "tst_check_marks.moc"
