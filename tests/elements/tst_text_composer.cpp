#include "app/main_window.h"
#include "document/text_editor.h"
#include "elements/bold_italic_dialog.h"
#include "elements/composer_picture_window.h"
#include "elements/text_composer.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QApplication>
#include <QScrollBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Form1 *form1()
{
    return windows().form1;
}

Form3 *composer()
{
    return windows().form3;
}

Form4 *emphasis()
{
    return windows().form4;
}

void click(QAbstractButton *button)
{
    // Radio buttons react near their indicator only.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void activate(QWidget *window)
{
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        qWarning("window not active");
}

void openComposer()
{
    click(form1()->Button6);
    activate(composer());
}

void openEmphasis()
{
    click(composer()->Button3);
    activate(emphasis());
}

// Types lines into a memo, pressing Enter between them.
void typeLines(TextEditor *memo, const QStringList &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, lines.at(i));
    }
}

QByteArray documentBytes()
{
    return form1()->HPQT->bytes();
}

} // namespace

class TestTextComposer : public QObject
{
    Q_OBJECT

private slots:
    void textBlock_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QByteArray>("style"); // the radio button to choose, if any
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("document");
        QTest::newRow("empty normal text") << QString() << QByteArray() << QStringList()
                                           << QByteArray("<tt></tt>\r\n");
        QTest::newRow("large heading, two lines")
            << QString() << QByteArray("gross") << QStringList{u"a <br>"_s, u"<br>b"_s}
            << QByteArray("<h1>a <br>\r\n<br>b</h1>\r\n");
        QTest::newRow("small heading after text without a break")
            << u"abc"_s << QByteArray("klein") << QStringList{u"x"_s}
            << QByteArray("abc<h4>x</h4>\r\n");
        QTest::newRow("back to normal") << QString() << QByteArray("normal")
                                        << QStringList{u"Satz & <i>"_s, QString()}
                                        << QByteArray("<tt>Satz & <i>\r\n</tt>\r\n");
    }
    void textBlock()
    {
        QFETCH(QString, before);
        QFETCH(QByteArray, style);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, document);
        ProgramFixture program;
        QTest::keyClicks(form1()->HPQT, before);
        openComposer();
        if (!style.isEmpty()) {
            if (style == "normal")
                click(composer()->klein); // away and back again
            click(composer()->findChild<QRadioButton *>(QString::fromLatin1(style)));
        }
        typeLines(composer()->Memo1, lines);
        QSignalSpy changes(form1()->HPQT, &TextEditor::documentChanged);
        click(composer()->Button2);
        QCOMPARE(printable(documentBytes()), printable(document));
        QCOMPARE(printable(program.read(u"look.html"_s)), printable(document));
        QCOMPARE(changes.count(), 1);
        QVERIFY(!composer()->isVisible());
        QVERIFY(program.errors.isEmpty());
    }

    void nothingIsClearedAndAcceptingAgainRepeats()
    {
        ProgramFixture program;
        openComposer();
        click(composer()->gross);
        QTest::keyClicks(composer()->Memo1, u"Titel"_s);
        click(composer()->Button2);
        composer()->close();
        openComposer();
        QCOMPARE(composer()->Memo1->text(), u"Titel"_s);
        QVERIFY(composer()->gross->isChecked());
        QVERIFY(!composer()->normal->isChecked());
        click(composer()->Button2);
        QCOMPARE(documentBytes(), QByteArray("<h1>Titel</h1>\r\n<h1>Titel</h1>\r\n"));
    }

    void emphasisGoesToTheComposerText_data()
    {
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("composed");
        QTest::newRow("bold") << false << u"Wort"_s << u"Satz <b>Wort</b>"_s;
        QTest::newRow("italic") << true << u"Wort"_s << u"Satz <i>Wort</i>"_s;
        QTest::newRow("empty bold") << false << QString() << u"Satz <b></b>"_s;
    }
    void emphasisGoesToTheComposerText()
    {
        QFETCH(bool, italic);
        QFETCH(QString, word);
        QFETCH(QString, composed);
        ProgramFixture program;
        openComposer();
        QTest::keyClicks(composer()->Memo1, u"Satz "_s);
        openEmphasis();
        if (italic)
            click(emphasis()->RadioButton1);
        QTest::keyClicks(emphasis()->Memo1, word);
        click(emphasis()->Button2);
        QCOMPARE(composer()->Memo1->text(), composed);
        QVERIFY(!emphasis()->isVisible());
        QVERIFY(composer()->isVisible());
        QCOMPARE(emphasis()->Memo1->text(), word);
    }

    void emphasisWhileTheComposerIsHidden()
    {
        ProgramFixture program;
        openComposer();
        QTest::keyClicks(composer()->Memo1, u"A"_s);
        openEmphasis();
        composer()->close();
        typeLines(emphasis()->Memo1, {u"x"_s, u"y"_s});
        click(emphasis()->Button2);
        click(emphasis()->RadioButton1);
        click(emphasis()->Button2);
        QCOMPARE(composer()->Memo1->text(), u"A<b>x\ny</b><i>x\ny</i>"_s);
        QVERIFY(!composer()->isVisible());
        // The composer text never reaches the document or the preview copy by itself.
        QCOMPARE(documentBytes(), QByteArray());
        QVERIFY(!program.exists(u"look.html"_s));

        openComposer();
        QCOMPARE(composer()->Memo1->text(), u"A<b>x\ny</b><i>x\ny</i>"_s);
        click(composer()->Button2);
        QCOMPARE(printable(documentBytes()), printable("<tt>A<b>x\r\ny</b><i>x\r\ny</i></tt>\r\n"));
    }

    void memosBreakLinesAndPassTheFocusOn()
    {
        ProgramFixture program;
        openComposer();
        TextEditor *memo = composer()->Memo1;
        memo->setFocus();
        const QString longLine(200, u'w');
        QTest::keyClicks(memo, longLine);
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, u"z"_s);
        QCOMPARE(memo->text(), longLine + u"\nz"_s); // wrapping on screen adds no break
        QTest::keyClick(memo, Qt::Key_Tab);
        QVERIFY(!memo->hasFocus());
        QCOMPARE(memo->text(), longLine + u"\nz"_s);
        QVERIFY(!memo->verticalScrollBar()->isVisible());
        QVERIFY(!memo->horizontalScrollBar()->isVisible());
    }

    void buttonsOpenTheCompanions()
    {
        ProgramFixture program;
        openComposer();
        click(composer()->Button1);
        QVERIFY(windows().form5->isVisible());
        click(composer()->Button3);
        QVERIFY(emphasis()->isVisible());
        QVERIFY(composer()->isVisible());
        QCOMPARE(documentBytes(), QByteArray());
    }

    void tooLongForTheTarget_data()
    {
        QTest::addColumn<bool>("fromEmphasis");
        QTest::newRow("composer into the document") << false;
        QTest::newRow("bold/italic into the composer") << true;
    }
    void tooLongForTheTarget()
    {
        QFETCH(bool, fromEmphasis);
        ProgramFixture program;
        openComposer();
        QTest::keyClicks(composer()->Memo1, u"Satz"_s);
        QWidget *window = composer();
        if (fromEmphasis) {
            openEmphasis();
            QTest::keyClicks(emphasis()->Memo1, u"Wort"_s);
            composer()->Memo1->setCapacity(10);
            window = emphasis();
            click(emphasis()->Button2);
        } else {
            form1()->HPQT->setCapacity(10);
            click(composer()->Button2);
        }
        QCOMPARE(program.errors, QStringList{u"Text exceeds memo capacity."_s});
        QVERIFY(window->isVisible());
        QCOMPARE(documentBytes(), QByteArray());
        QCOMPARE(composer()->Memo1->text(), u"Satz"_s);
    }
};

QTEST_MAIN(TestTextComposer)
#include "tst_text_composer.moc"
