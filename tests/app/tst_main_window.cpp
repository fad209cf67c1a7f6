#include "app/main_window.h"
#include "document/line_number_margin.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Form1 *form1()
{
    return windows().form1;
}

QPushButton *button(const char *name)
{
    auto *found = form1()->findChild<QPushButton *>(QString::fromLatin1(name));
    Q_ASSERT(found);
    return found;
}

void click(const char *name)
{
    QTest::mouseClick(button(name), Qt::LeftButton);
}

QByteArray documentBytes()
{
    return form1()->HPQT->bytes();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void fixedTagsOnEmptyDocument_data()
    {
        QTest::addColumn<QByteArray>("buttonName");
        QTest::addColumn<QByteArray>("document");
        QTest::newRow("Zeilenumbruch") << QByteArray("Button9") << QByteArray("<br>");
        QTest::newRow("Absatz") << QByteArray("Button10") << QByteArray("<p>");
        QTest::newRow("Trennlinie") << QByteArray("Button11") << QByteArray("<hr>");
        QTest::newRow("Tabelleneintrag (A)") << QByteArray("Button14") << QByteArray("<tr>\r\n");
        QTest::newRow("Tabelleneintrag (E)") << QByteArray("Button17") << QByteArray("</tr>\r\n");
        QTest::newRow("Zelle Ende") << QByteArray("Button20") << QByteArray("</td>");
        QTest::newRow("Kopfzelle Ende") << QByteArray("Button21") << QByteArray("</th>");
        QTest::newRow("Tabelle (Ende)") << QByteArray("Button22") << QByteArray("</table>");
        QTest::newRow("</font>") << QByteArray("Button30") << QByteArray("</font>");
        QTest::newRow("<center>") << QByteArray("Button24") << QByteArray("<center>");
        QTest::newRow("<left>") << QByteArray("Button25") << QByteArray("<left>");
        QTest::newRow("<right>") << QByteArray("Button26") << QByteArray("<right>");
        QTest::newRow("Grundgerüst (E)") << QByteArray("Button19")
                                         << QByteArray("\r\n</body>\r\n</html>");
    }
    void fixedTagsOnEmptyDocument()
    {
        QFETCH(QByteArray, buttonName);
        QFETCH(QByteArray, document);
        ProgramFixture program;
        click(buttonName.constData());
        QCOMPARE(printable(documentBytes()), printable(document));
        QCOMPARE(printable(program.read(u"look.html"_s)), printable(document));
        QVERIFY(program.errors.isEmpty());
    }

    void fixedTagsAfterTextWithoutBreak()
    {
        ProgramFixture program;
        QTest::keyClicks(form1()->HPQT, u"abc"_s);
        click("Button14");
        click("Button9");
        click("Button19");
        const QByteArray expected("abc<tr>\r\n<br>\r\n</body>\r\n</html>");
        QCOMPARE(printable(documentBytes()), printable(expected));
        QCOMPARE(printable(program.read(u"look.html"_s)), printable(expected));
    }

    void pageEndIsThreeChanges()
    {
        ProgramFixture program;
        QSignalSpy changes(form1()->HPQT, &TextEditor::documentChanged);
        click("Button19");
        QCOMPARE(changes.count(), 3);
        click("Button9");
        QCOMPARE(changes.count(), 4);
    }

    void alignmentTogglesSurviveNew()
    {
        ProgramFixture program;
        click("Button24");
        QCOMPARE(button("Button24")->text(), u"</center>"_s);
        click("Button1"); // Neu
        QCOMPARE(documentBytes(), QByteArray());
        click("Button24");
        QCOMPARE(documentBytes(), QByteArray("</center>"));
        QCOMPARE(button("Button24")->text(), u"<center>"_s);
        click("Button24");
        click("Button24");
        QCOMPARE(documentBytes(), QByteArray("</center><center></center>"));
        QCOMPARE(button("Button25")->text(), u"<left>"_s);
    }

    void fontTagFromTheDialog()
    {
        ProgramFixture program;
        program.fontAnswers.push_back([](FontDialog &dialog) {
            QFont chosen(u"Courier New"_s);
            chosen.setPointSize(12);
            dialog.setFont(chosen);
            return true;
        });
        click("Button27");
        QCOMPARE(documentBytes(), QByteArray("<font size=12 face=\"Courier New\" color=>"));

        // Cancelling appends nothing and keeps the setting for the next dialog.
        QFont offered;
        program.fontAnswers.push_back([](FontDialog &) { return false; });
        program.fontAnswers.push_back([&offered](FontDialog &dialog) {
            offered = dialog.font();
            return false;
        });
        click("Button27");
        click("Button27");
        QCOMPARE(offered.family(), u"Courier New"_s);
        QCOMPARE(documentBytes(), QByteArray("<font size=12 face=\"Courier New\" color=>"));
    }

    void typingRewritesPreviewCopy()
    {
        ProgramFixture program;
        QTest::keyClicks(form1()->HPQT, u"a"_s);
        QCOMPARE(program.read(u"look.html"_s), QByteArray("a"));
        QTest::keyClick(form1()->HPQT, Qt::Key_Return);
        QTest::keyClicks(form1()->HPQT, u"b"_s);
        QCOMPARE(printable(program.read(u"look.html"_s)), printable("a\r\nb"));
    }

    void newKeepsPreviewCopyUntilTheNextChange()
    {
        ProgramFixture program;
        QTest::keyClicks(form1()->HPQT, u"old"_s);
        QSignalSpy changes(form1()->HPQT, &TextEditor::documentChanged);
        click("Button1");
        QCOMPARE(changes.count(), 0);
        QCOMPARE(documentBytes(), QByteArray());
        QCOMPARE(program.read(u"look.html"_s), QByteArray("old"));
        QTest::keyClicks(form1()->HPQT, u"x"_s);
        QCOMPARE(program.read(u"look.html"_s), QByteArray("x"));
    }

    void openNormalizesAndSavesBackAsCrLf()
    {
        ProgramFixture program;
        program.write(u"page.html"_s, "<p>\nZeile\rzwei\r\n\xe4\x80");
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"page.html"_s)));
        click("Button2");
        const QByteArray normalized("<p>\r\nZeile\r\nzwei\r\n\xe4\x80");
        QCOMPARE(printable(documentBytes()), printable(normalized));
        QCOMPARE(program.read(u"look.html"_s), normalized);

        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"copy"_s)));
        click("Button3");
        QCOMPARE(program.read(u"copy"_s), normalized);
        QVERIFY(program.errors.isEmpty());
    }

    // A UTF-8 page shows its own characters, and saving it after the conversion window changes
    // only the line breaks and the seven letters; "Neu" goes back to code page 1252.
    void utf8PageOpensAndSavesInUtf8()
    {
        ProgramFixture program;
        program.write(u"page.html"_s, u"<p>Grüße, 你好\nMiąsko, д, Ä</p>"_s.toUtf8());
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"page.html"_s)));
        click("Button2");
        QCOMPARE(form1()->HPQT->text(), u"<p>Grüße, 你好\nMiąsko, д, Ä</p>"_s);
        QCOMPARE(program.read(u"look.html"_s), u"<p>Grüße, 你好\r\nMiąsko, д, Ä</p>"_s.toUtf8());

        program.fileAnswers.push_back([&](FileDialog &dialog) {
            while (form1()->Timer2.isActive())
                QTest::qWait(10); // the conversion window runs behind the dialog
            dialog.setFileName(program.path(u"copy.html"_s));
            return true;
        });
        click("Button3");
        const QByteArray converted = u"<p>Gr&uuml;&szlig;e, 你好\r\nMiąsko, д, &Auml;</p>"_s.toUtf8();
        QCOMPARE(printable(program.read(u"copy.html"_s)), printable(converted));
        QVERIFY(program.errors.isEmpty());

        click("Button1");
        form1()->HPQT->insertPlainText(u"ü"_s);
        QCOMPARE(program.read(u"look.html"_s), QByteArray("\xfc"));
    }

    void undoTakesTheEncodingBackWithTheText()
    {
        ProgramFixture program;
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, u"é"_s);
        QApplication::sendEvent(form1()->HPQT, &typed);
        QCOMPARE(program.read(u"look.html"_s), QByteArray("\xe9"));
        program.write(u"page.html"_s, u"Miąsko"_s.toUtf8());
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"page.html"_s)));
        click("Button2");

        form1()->HPQT->undo(); // the page before "Öffnen", in its own code page again
        QCOMPARE(program.read(u"look.html"_s), QByteArray("\xe9"));
        form1()->HPQT->redo();
        QCOMPARE(program.read(u"look.html"_s), u"Miąsko"_s.toUtf8());
        click("Button1");
        form1()->HPQT->undo(); // "Neu" taken back: the UTF-8 page as it was
        QCOMPARE(form1()->HPQT->text(), u"Miąsko"_s);
        QCOMPARE(program.read(u"look.html"_s), u"Miąsko"_s.toUtf8());
    }

    void savingEmptyDocumentReplacesFile()
    {
        ProgramFixture program;
        program.write(u"old.html"_s, "old contents");
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"old.html"_s)));
        click("Button3");
        QVERIFY(program.exists(u"old.html"_s));
        QCOMPARE(program.read(u"old.html"_s), QByteArray());
    }

    void openFailureLeavesDocument()
    {
        ProgramFixture program;
        QTest::keyClicks(form1()->HPQT, u"keep"_s);
        const QString missing = program.path(u"missing.html"_s);
        program.fileAnswers.push_back(ProgramFixture::choose(missing));
        click("Button2");
        QCOMPARE(program.errors, QStringList{u"Cannot open file %1."_s.arg(missing)});
        QCOMPARE(program.errorCaptions, QStringList{u"tagschmied"_s});
        QCOMPARE(documentBytes(), QByteArray("keep"));
    }

    void saveFailureKeepsExistingFile()
    {
        ProgramFixture program;
        QTest::keyClicks(form1()->HPQT, u"new"_s);
        const QString target = program.path(u"no/such/folder/page.html"_s);
        program.fileAnswers.push_back(ProgramFixture::choose(target));
        click("Button3");
        QCOMPARE(program.errors, QStringList{u"Cannot create file %1."_s.arg(target)});
        QCOMPARE(documentBytes(), QByteArray("new"));
    }

    void foreignCharactersReachFilesAsReferences()
    {
        ProgramFixture program;
        form1()->HPQT->insertPlainText(u"Łódź ä"_s);
        QCOMPARE(program.read(u"look.html"_s), QByteArray("&#321;\xf3" "d&#378; \xe4"));
    }

    void capacityRefusesAppendAndLoad()
    {
        ProgramFixture program;
        QTest::keyClicks(form1()->HPQT, u"abc"_s);
        form1()->HPQT->setCapacity(6);
        click("Button9"); // abc<br> would be 7
        QCOMPARE(program.errors, QStringList{u"Text exceeds memo capacity."_s});
        QCOMPARE(documentBytes(), QByteArray("abc"));
        QCOMPARE(button("Button24")->text(), u"<center>"_s);
        click("Button24");
        QCOMPARE(button("Button24")->text(), u"<center>"_s); // the toggle's state stays

        program.write(u"big.html"_s, "1234567");
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"big.html"_s)));
        click("Button2");
        QCOMPARE(program.errors.size(), 3);
        QCOMPARE(documentBytes(), QByteArray("abc"));
    }

    void lineNumbersAndGoToLine()
    {
        ProgramFixture program;
        form1()->show();
        QVERIFY(QTest::qWaitForWindowActive(form1()));
        TextEditor *editor = form1()->HPQT;
        auto *margin = editor->findChild<LineNumberMargin *>();
        QVERIFY(margin);
        const QRect outer = editor->geometry();
        QCOMPARE(margin->geometry().bottom(), editor->viewport()->geometry().bottom());
        editor->insertPlainText(u"a\nb\nc\nd\ne\nf\ng\nh\ni"_s);
        const int narrow = margin->width();
        editor->insertPlainText(u"\nj"_s); // the tenth line needs a second digit
        QVERIFY(margin->width() > narrow);
        QCOMPARE(editor->geometry(), outer);
        const QByteArray preview = program.read(u"look.html"_s);

        QSignalSpy changes(editor, &TextEditor::documentChanged);
        program.lineNumberAnswers.push_back(4);
        QTest::keyClick(editor, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(program.lineNumberRange, 10);
        QCOMPARE(editor->textCursor().blockNumber(), 3);
        QCOMPARE(editor->textCursor().positionInBlock(), 0);
        QVERIFY(!editor->textCursor().hasSelection());

        QTest::keyClick(editor, Qt::Key_G, Qt::ControlModifier); // cancelled: the caret stays
        QCOMPARE(editor->textCursor().blockNumber(), 3);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(program.read(u"look.html"_s), preview);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
