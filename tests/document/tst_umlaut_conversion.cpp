#include "app/main_window.h"
#include "document/codepage1252.h"
#include "document/line_breaks.h"
#include "document/reference_sweep.h"
#include "document/text_editor.h"
#include "document/umlaut_conversion.h"
#include "foundation/error.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Form1 *form1()
{
    return windows().form1;
}

TextEditor *editor()
{
    return form1()->HPQT;
}

QByteArray bytesOf(const QString &text)
{
    return CodePage1252::encode(text);
}

void setDocument(const QByteArray &bytes)
{
    editor()->replaceText(toEditorLineBreaks(CodePage1252::decode(bytes)));
}

// The caret as an offset into the byte form, where each earlier line break counts two.
qsizetype caretOffset()
{
    const QTextCursor cursor = editor()->textCursor();
    return cursor.position() + cursor.blockNumber();
}

void setCaret(int position)
{
    QTextCursor cursor(editor()->document());
    cursor.setPosition(position);
    editor()->setTextCursor(cursor);
}

void removePreviewCopy(const ProgramFixture &program)
{
    QFile::remove(program.path(u"look.html"_s));
}

// Runs the event loop for a while, as a modal dialog does while the user thinks.
void runEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void clickSave()
{
    QTest::mouseClick(form1()->Button3, Qt::LeftButton);
}

bool waitForWindowEnd()
{
    QElapsedTimer clock;
    clock.start();
    while (form1()->Timer1.isActive() || form1()->Timer2.isActive()) {
        if (clock.elapsed() > 5000)
            return false;
        runEventLoop(10);
    }
    return true;
}

void type(QWidget *target, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

} // namespace

class TestUmlautConversion : public QObject
{
    Q_OBJECT

private slots:
    void findsOnlyTheSeven_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("found");
        const QString plain(200, u'a');
        QTest::newRow("none") << plain << 0 << -1;
        QTest::newRow("first") << u"ä"_s + plain << 0 << 0;
        QTest::newRow("last of a block") << plain.left(63) + u"ß"_s + plain << 0 << 63;
        QTest::newRow("first of a block") << plain.left(64) + u"Ü"_s + plain << 0 << 64;
        QTest::newRow("in the short tail") << plain.left(130) + u"ö"_s << 0 << 130;
        QTest::newRow("from behind a hit") << u"ä"_s + plain + u"Ö"_s << 1 << 201;
        QTest::newRow("neighbours in the range") << u"ÃÅÇÉÑÕ×ØÝÞàãåçéñõ÷øýþÿ"_s + plain << 0 << -1;
        QTest::newRow("neighbour before a hit") << u"é"_s + plain.left(70) + u"Ä"_s << 0 << 71;
        QTest::newRow("entity") << u"&auml;&szlig;"_s << 0 << -1;
    }
    void findsOnlyTheSeven()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, found);
        QCOMPARE(findConvertible(text, from), qsizetype(found));
    }

    void sweeps_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("afterFirst");
        QTest::addColumn<QString>("caretBehind"); // the text before the caret; null: unmoved
        QTest::addColumn<QString>("converted");
        QTest::addColumn<int>("sweepsNeeded");

        QTest::newRow("empty document") << QString() << QString() << QString() << QString() << 0;
        QTest::newRow("ä directly before Ä")
            << u"xäÄy"_s << u"x&auml;&Auml;y"_s << u"x&auml;&Auml;"_s << u"x&auml;&Auml;y"_s << 1;
        QTest::newRow("one ä in each of three lines")
            << u"ä1\r\nä2\r\nä3"_s << u"&auml;1\r\n&auml;2\r\n&auml;3"_s
            << u"&auml;1\r\n&auml;2\r\n&auml;"_s << u"&auml;1\r\n&auml;2\r\n&auml;3"_s << 1;
        QTest::newRow("ü twice in a line")
            << u"ü-ü"_s << u"&uuml;-ü"_s << u"&uuml;"_s << u"&uuml;-&uuml;"_s << 2;
        QTest::newRow("the last pass places the caret")
            << u"ß\r\nä"_s << u"&szlig;\r\n&auml;"_s << u"&szlig;"_s << u"&szlig;\r\n&auml;"_s << 1;
        QTest::newRow("all seven in one line")
            << u"äÄöÖüÜß"_s << u"&auml;&Auml;&ouml;&Ouml;&uuml;&Uuml;&szlig;"_s
            << u"&auml;&Auml;&ouml;&Ouml;&uuml;&Uuml;&szlig;"_s
            << u"&auml;&Auml;&ouml;&Ouml;&uuml;&Uuml;&szlig;"_s << 1;
        QTest::newRow("tags and file names")
            << u"<img src=\"bär.jpg\" alt=\"Größe\">"_s
            << u"<img src=\"b&auml;r.jpg\" alt=\"Gr&ouml;&szlig;"_s + u"e\">"_s
            << u"<img src=\"b&auml;r.jpg\" alt=\"Gr&ouml;&szlig;"_s
            << u"<img src=\"b&auml;r.jpg\" alt=\"Gr&ouml;&szlig;e\">"_s << 1;
        const QString untouched = u"&auml; &#228; é É è ñ Å ø ÿ Ã & &amp; < > \" ' ;"_s;
        QTest::newRow("entities, other letters, ampersands")
            << untouched << untouched << QString() << untouched << 0;
        QTest::newRow("empty lines and a final break")
            << u"\r\n\r\nö\r\n\r\nÖ\r\n"_s << u"\r\n\r\n&ouml;\r\n\r\n&Ouml;\r\n"_s
            << u"\r\n\r\n&ouml;\r\n\r\n&Ouml;"_s << u"\r\n\r\n&ouml;\r\n\r\n&Ouml;\r\n"_s << 1;
        QTest::newRow("characters beyond the code page")
            << u"Łódź 😀ä\r\nЖü"_s << u"Łódź 😀&auml;\r\nЖ&uuml;"_s << u"Łódź 😀&auml;\r\nЖ&uuml;"_s
            << u"Łódź 😀&auml;\r\nЖ&uuml;"_s << 1;
        QTest::newRow("three of a kind beside another")
            << u"üüü ß"_s << u"&uuml;üü &szlig;"_s << u"&uuml;üü &szlig;"_s
            << u"&uuml;&uuml;&uuml; &szlig;"_s << 3;

        const QString xs(40000, u'x');
        const QString ys(30000, u'y');
        QTest::newRow("very long lines")
            << xs + u"ä\r\nü"_s + ys + u"ü\r\nß"_s
            << xs + u"&auml;\r\n&uuml;"_s + ys + u"ü\r\n&szlig;"_s
            << xs + u"&auml;\r\n&uuml;"_s + ys + u"ü\r\n&szlig;"_s
            << xs + u"&auml;\r\n&uuml;"_s + ys + u"&uuml;\r\n&szlig;"_s << 2;
    }
    void sweeps()
    {
        QFETCH(QString, document);
        QFETCH(QString, afterFirst);
        QFETCH(QString, caretBehind);
        QFETCH(QString, converted);
        QFETCH(int, sweepsNeeded);
        ProgramFixture program;
        editor()->replaceText(toEditorLineBreaks(document));
        editor()->moveCursor(QTextCursor::End);
        removePreviewCopy(program);
        QSignalSpy changes(editor(), &TextEditor::documentChanged);
        UmlautConversion conversion(editor());

        const bool replaced = conversion.sweep();
        QCOMPARE(replaced, sweepsNeeded > 0);
        QCOMPARE(editor()->bytes(), bytesOf(afterFirst));
        // In the editor's own positions, where a line break is one character.
        const QString before = toEditorLineBreaks(caretBehind.isNull() ? document : caretBehind);
        QCOMPARE(editor()->textCursor().position(), int(before.size()));
        QCOMPARE(editor()->textCursor().hasSelection(), false);
        QCOMPARE(program.exists(u"look.html"_s), replaced);
        QCOMPARE(changes.count(), replaced ? 1 : 0);

        int sweeps = replaced ? 1 : 0;
        while (conversion.sweep()) {
            ++sweeps;
            QCOMPARE(program.read(u"look.html"_s), editor()->bytes());
        }
        QCOMPARE(sweeps, sweepsNeeded);
        QCOMPARE(editor()->bytes(), bytesOf(converted));
        QCOMPARE(changes.count(), sweepsNeeded);
        QVERIFY(program.errors.isEmpty());
    }

    // The real sweep against the plain one on generated pages, sweep by sweep.
    void matchesReference_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("longLine");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("short pages") << 60 << 30 << 0 << 1u;
        QTest::newRow("single lines") << 60 << 1 << 0 << 2u;
        QTest::newRow("long lines") << 8 << 6 << 40000 << 3u;
        QTest::newRow("many lines") << 3 << 400 << 300 << 4u;
    }
    void matchesReference()
    {
        QFETCH(int, pages);
        QFETCH(int, lines);
        QFETCH(int, longLine);
        QFETCH(quint32, seed);
        ProgramFixture program;
        QRandomGenerator random(seed);
        UmlautConversion conversion(editor());
        for (int page = 0; page < pages; ++page) {
            ReferenceEditor reference;
            reference.text = generatedPage(random, 1 + random.bounded(lines), longLine);
            setDocument(reference.text);
            const int position = random.bounded(editor()->document()->characterCount());
            setCaret(position);
            reference.caret = position + editor()->document()->findBlock(position).blockNumber();
            QCOMPARE(caretOffset(), reference.caret);

            QSignalSpy changes(editor(), &TextEditor::documentChanged);
            for (int sweep = 1;; ++sweep) {
                const bool expected = referenceSweep(reference);
                QCOMPARE(conversion.sweep(), expected);
                if (editor()->bytes() != reference.text)
                    QFAIL(qPrintable(u"page %1, sweep %2: texts differ"_s.arg(page).arg(sweep)));
                QCOMPARE(caretOffset(), reference.caret);
                QCOMPARE(changes.count(), expected ? sweep : sweep - 1);
                if (!expected)
                    break;
                QVERIFY(program.read(u"look.html"_s) == reference.text);
            }
        }
        QVERIFY(program.errors.isEmpty());
    }

    // While the save dialog is open its event loop keeps the sweeps coming; the file gets the
    // document of the moment the dialog is confirmed.
    void saveDuringConversion_data()
    {
        QTest::addColumn<int>("waitMs");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("confirm at once") << 0 << true;
        QTest::newRow("confirm after a while") << 300 << true;
        QTest::newRow("cancel at once") << 0 << false;
        QTest::newRow("cancel after a while") << 300 << false;
    }
    void saveDuringConversion()
    {
        QFETCH(int, waitMs);
        QFETCH(bool, confirm);
        ProgramFixture program;
        const QByteArray original = bytesOf(u"Grüße aus Köln\r\nÄrger: Tür über Tür"_s);
        const QByteArray converted = bytesOf(u"Gr&uuml;&szlig;e aus K&ouml;ln\r\n"
                                             u"&Auml;rger: T&uuml;r &uuml;ber T&uuml;r"_s);
        setDocument(original);
        const QString target = program.path(u"seite.html"_s);
        QByteArray atAnswer;
        program.fileAnswers.push_back([&](FileDialog &dialog) {
            if (waitMs > 0)
                runEventLoop(waitMs);
            atAnswer = editor()->bytes();
            dialog.setFileName(target);
            return confirm;
        });
        clickSave();
        QCOMPARE(program.fileDialogsShown, 1);
        QCOMPARE(atAnswer, waitMs > 0 ? converted : original);
        QCOMPARE(program.exists(u"seite.html"_s), confirm);
        if (confirm)
            QCOMPARE(program.read(u"seite.html"_s), atAnswer);

        QVERIFY(waitForWindowEnd());
        QCOMPARE(editor()->bytes(), converted);
        QCOMPARE(program.read(u"look.html"_s), converted);
        if (confirm)
            QCOMPARE(program.read(u"seite.html"_s), atAnswer); // the file stays as written
        QVERIFY(program.errors.isEmpty());
    }

    void secondSaveDoesNotProlongTheWindow()
    {
        ProgramFixture program;
        setDocument(bytesOf(u"ä"_s));
        QElapsedTimer clock;
        qint64 stoppedAt = -1;
        qint64 secondClosedAt = -1;
        connect(&form1()->Timer2, &QTimer::timeout, form1(), [&] {
            if (stoppedAt < 0)
                stoppedAt = clock.elapsed();
        });
        program.fileAnswers.push_back(ProgramFixture::cancel());
        program.fileAnswers.push_back([&](FileDialog &) {
            runEventLoop(1200);
            secondClosedAt = clock.elapsed();
            return false;
        });
        clock.start();
        clickSave();
        runEventLoop(500);
        QVERIFY(form1()->Timer1.isActive());
        clickSave();
        QCOMPARE(program.fileDialogsShown, 2);
        // The stop came while the second dialog was still open, a second after the first click
        // (a window restarted by the second click would end at 1500 ms at the earliest).
        QVERIFY2(stoppedAt >= 995 && stoppedAt < 1450, qPrintable(QString::number(stoppedAt)));
        QVERIFY(stoppedAt < secondClosedAt);
        QVERIFY(!form1()->Timer1.isActive());
        QVERIFY(!form1()->Timer2.isActive());
        QCOMPARE(editor()->bytes(), QByteArray("&auml;"));
    }

    void textTypedDuringTheWindowIsConverted()
    {
        ProgramFixture program;
        setDocument("Anfang");
        program.fileAnswers.push_back(ProgramFixture::cancel());
        clickSave();
        runEventLoop(100);
        editor()->moveCursor(QTextCursor::End);
        type(editor(), Qt::Key_Adiaeresis, u"ä"_s);
        type(editor(), Qt::Key_Space, u" "_s);
        AppendRaw(u"<p>Grüße"_s, editor());
        QVERIFY(waitForWindowEnd());
        QCOMPARE(editor()->bytes(), QByteArray("Anfang&auml; <p>Gr&uuml;&szlig;e"));
        QCOMPARE(program.read(u"look.html"_s), editor()->bytes());

        // After the window nothing converts until the next save.
        editor()->moveCursor(QTextCursor::End);
        type(editor(), Qt::Key_Odiaeresis, u"ö"_s);
        runEventLoop(50);
        QCOMPARE(editor()->bytes(), QByteArray("Anfang&auml; <p>Gr&uuml;&szlig;e\xf6"));
    }

    // The real save dialog: typing its file name never reaches the document, and once the main
    // window is active again the editor has the focus if, and only if, a sweep replaced text.
    void focusStaysInTheSaveDialog_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("converted");
        QTest::newRow("with umlauts") << u"Tschüß\r\nÖl"_s << u"Tsch&uuml;&szlig;\r\n&Ouml;l"_s;
        QTest::newRow("without umlauts") << u"<p>Hallo\r\nWelt"_s << u"<p>Hallo\r\nWelt"_s;
    }
    void focusStaysInTheSaveDialog()
    {
        QFETCH(QString, document);
        QFETCH(QString, converted);
        ProgramFixture program;
        restoreRealDialogs();
        modalHooks().errorBox = [&program](const QString &, const QString &text) {
            program.errors.append(text);
        };
        program.write(u"eigene.lst"_s, {}); // read when the main window is first shown
        form1()->show();
        form1()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form1()));
        form1()->Edit1->setFocus();
        setDocument(bytesOf(document));
        setCaret(3);
        removePreviewCopy(program);
        const bool umlauts = document != converted;

        bool focusInDialog = false;
        QTimer::singleShot(300, form1(), [&] {
            // Typed into whatever has the keyboard focus, as a user would.
            QWidget *focus = QApplication::focusWidget();
            if (!focus)
                return;
            focusInDialog = qobject_cast<QFileDialog *>(focus->window()) != nullptr;
            QTest::keyClicks(focus, program.path(u"seite.html"_s));
            QTest::keyClick(focus, Qt::Key_Return);
        });
        clickSave();
        QVERIFY(focusInDialog);
        QCOMPARE(program.read(u"seite.html"_s), bytesOf(converted));

        QVERIFY(waitForWindowEnd());
        QCOMPARE(editor()->bytes(), bytesOf(converted));
        QCOMPARE(program.exists(u"look.html"_s), umlauts);
        if (!umlauts)
            QCOMPARE(editor()->textCursor().position(), 3);
        form1()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form1()));
        QCOMPARE(QApplication::focusWidget(), umlauts ? static_cast<QWidget *>(editor())
                                                      : form1()->Button3);
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }

    // A sweep whose preview copy cannot be written shows its error and keeps its replacements;
    // the ticks that come while that box is open must not open boxes on top of it.
    void failingSweepsShowOneBoxAtATime()
    {
        ProgramFixture program;
        setDocument(bytesOf(QString(200, u'ü')));
        removePreviewCopy(program);
        QVERIFY(QDir(program.path(QString())).mkdir(u"look.html"_s)); // cannot be written now
        int open = 0;
        int mostOpen = 0;
        modalHooks().errorBox = [&](const QString &, const QString &text) {
            program.errors.append(text);
            mostOpen = std::max(mostOpen, ++open);
            runEventLoop(30);
            --open;
        };
        program.fileAnswers.push_back([](FileDialog &) {
            runEventLoop(300);
            return false;
        });
        clickSave();
        QVERIFY(waitForWindowEnd());
        QCOMPARE(mostOpen, 1);
        QVERIFY(program.errors.size() >= 2);
        QCOMPARE(program.errors.constFirst(), u"Cannot create file look.html."_s);
        // Each sweep still converted its part of the text.
        QVERIFY(editor()->bytes().startsWith("&uuml;&uuml;"));
    }

    void sweepBeyondCapacityChangesNothing()
    {
        ProgramFixture program;
        setDocument(bytesOf(u"äö"_s));
        editor()->setCapacity(11); // one entity fits, two do not
        removePreviewCopy(program);
        UmlautConversion conversion(editor());
        QString message;
        try {
            conversion.sweep();
        } catch (const Error &error) {
            message = error.message();
        }
        QCOMPARE(message, u"Text exceeds memo capacity"_s);
        QCOMPARE(editor()->bytes(), bytesOf(u"äö"_s));
        QVERIFY(!program.exists(u"look.html"_s));
    }
};

QTEST_MAIN(TestUmlautConversion)
#include "tst_umlaut_conversion.moc"
