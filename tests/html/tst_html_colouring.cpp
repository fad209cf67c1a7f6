#include "app/main_window.h"
#include "html/html_colouring.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QImage>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

TextEditor *page()
{
    return windows().form1->HPQT;
}

// The colour the editor's layout gives the character at `column` of line `line`.
QColor colourAt(int line, int column)
{
    const QTextBlock block = page()->document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (column >= range.start && column < range.start + range.length)
            return range.format.foreground().color();
    }
    return {};
}

// Shows the main window and opens `bytes` as a page through "Öffnen".
void openPage(ProgramFixture &program, const QByteArray &bytes)
{
    windows().form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(windows().form1));
    program.write(u"page.html"_s, bytes);
    program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"page.html"_s)));
    windows().form1->Button2->click();
}

void waitUntilColoured()
{
    auto *colouring = page()->findChild<HtmlColouring *>();
    QTRY_VERIFY(colouring->isIdle());
    page()->viewport()->repaint();
}

} // namespace

class TestHtmlColouring : public QObject
{
    Q_OBJECT

private slots:
    void coloursOpenedAndTypedHtml()
    {
        ProgramFixture program;
        const QByteArray opened = "<!DOCTYPE html>\r\n<p class=\"x\">Gr&uuml;&szlig;e<!-- a\r\nb --></p>";
        openPage(program, opened);
        QSignalSpy changes(page(), &TextEditor::documentChanged);
        QSignalSpy contents(page()->document(), &QTextDocument::contentsChange);
        waitUntilColoured();
        QCOMPARE(contents.count(), 0); // colouring is no change of the document

        QCOMPARE(colourAt(0, 0), HtmlColouring::colour(HtmlKind::Doctype));
        QCOMPARE(colourAt(1, 1), HtmlColouring::colour(HtmlKind::Tag));
        QCOMPARE(colourAt(1, 3), HtmlColouring::colour(HtmlKind::AttributeName));
        QCOMPARE(colourAt(1, 9), HtmlColouring::colour(HtmlKind::AttributeValue));
        QCOMPARE(colourAt(1, 13), QColor()); // text keeps the editor's colour
        QCOMPARE(colourAt(1, 16), HtmlColouring::colour(HtmlKind::Entity));
        QCOMPARE(colourAt(2, 0), HtmlColouring::colour(HtmlKind::Comment)); // the comment's second line
        QCOMPARE(colourAt(2, 5), HtmlColouring::colour(HtmlKind::Tag));

        // The colours reach the screen.
        const QImage shown = page()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb tag = HtmlColouring::colour(HtmlKind::Tag).rgb();
        const auto *pixels = reinterpret_cast<const QRgb *>(shown.constBits());
        QVERIFY(std::count(pixels, pixels + shown.sizeInBytes() / 4, tag) > 0);

        // Typing a comment opener at the top turns the lines below into comment until its end.
        page()->setFocus();
        page()->moveCursor(QTextCursor::Start);
        QTest::keyClicks(page(), u"<"_s);
        // Coloured lines are no change of the document: the keystroke after them is reported
        // as itself alone, so the editor copies one character of its text, not the lines.
        QCOMPARE(contents.constLast(), QVariantList({0, 0, 1}));
        waitUntilColoured();
        QTest::keyClicks(page(), u"!"_s);
        QCOMPARE(contents.constLast(), QVariantList({1, 0, 1}));
        QTest::keyClicks(page(), u"--"_s);
        const int caret = page()->textCursor().position();
        waitUntilColoured();
        QCOMPARE(page()->textCursor().position(), caret);
        QCOMPARE(colourAt(0, 0), HtmlColouring::colour(HtmlKind::Comment));
        QCOMPARE(colourAt(1, 1), HtmlColouring::colour(HtmlKind::Comment));
        QCOMPARE(colourAt(2, 5), HtmlColouring::colour(HtmlKind::Tag)); // after "-->" again
        QTest::keyClick(page(), Qt::Key_Home);
        QTest::keyClick(page(), Qt::Key_Delete);
        waitUntilColoured();
        QCOMPARE(colourAt(1, 1), HtmlColouring::colour(HtmlKind::Tag));

        // Colouring changed no text and announced nothing of its own.
        QCOMPARE(changes.count(), 5);
        QCOMPARE(contents.count(), 5);
        QCOMPARE(program.read(u"look.html"_s), "!--" + opened);
    }

    void linesScrolledToBeforeTheirStateIsKnownGetTheRightColours()
    {
        ProgramFixture program;
        // A comment over 20,000 lines, and after it a tag: the page's end is on screen long
        // before the slices have lexed the lines above it.
        openPage(program, "<!--\r\n" + QByteArray("<p>im Kommentar</p>\r\n").repeated(20'000) + "--><b>");
        page()->moveCursor(QTextCursor::End);
        page()->viewport()->repaint();
        waitUntilColoured();
        QCOMPARE(colourAt(20'000, 1), HtmlColouring::colour(HtmlKind::Comment));
        QCOMPARE(colourAt(20'001, 4), HtmlColouring::colour(HtmlKind::Tag));
    }

    void composerMemosStayPlain()
    {
        ProgramFixture program;
        int editors = 0;
        for (QWidget *widget : QApplication::allWidgets()) {
            if (auto *editor = qobject_cast<TextEditor *>(widget)) {
                QCOMPARE(editor->findChildren<HtmlColouring *>().size(), editor == page() ? 1 : 0);
                ++editors;
            }
        }
        QVERIFY(editors > 1);
    }
};

QTEST_MAIN(TestHtmlColouring)
#include "tst_html_colouring.moc"
