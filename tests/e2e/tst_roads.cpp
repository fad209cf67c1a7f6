// Whole roads through the program, as a user takes them: all windows as start-up makes them,
// driven through their controls only, with the bytes on disk checked.

#include "app/main_window.h"
#include "document/text_editor.h"
#include "elements/background_window.h"
#include "elements/bold_italic_dialog.h"
#include "elements/composer_picture_window.h"
#include "elements/link_dialog.h"
#include "elements/marquee_dialog.h"
#include "elements/page_skeleton_dialog.h"
#include "elements/picture_window.h"
#include "elements/spin_field.h"
#include "elements/table_dialogs.h"
#include "elements/text_composer.h"
#include "foundation/window_set.h"
#include "support/test_support.h"
#include "viewing/browser/browser_view.h"
#include "viewing/browser_host.h"
#include "viewing/preview_window.h"

#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Form1 *main() { return windows().form1; }

void click(QAbstractButton *button)
{
    QVERIFY2(button->isVisible(), qPrintable(button->objectName()));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Types text as key presses; characters beyond ASCII go as key events carrying the character.
void type(QWidget *target, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80 && c != u'\n') {
            QTest::keyClicks(target, QString(c));
        } else if (c == u'\n') {
            QTest::keyClick(target, Qt::Key_Return);
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }
}

void replaceField(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    type(field, text);
}

QListWidgetItem *entry(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.constFirst();
}

void choose(QListWidget *list, const QString &text)
{
    QListWidgetItem *item = entry(list, text);
    QVERIFY2(item, qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void openFolder(QListWidget *list, const QString &text)
{
    QListWidgetItem *item = entry(list, text);
    QVERIFY2(item, qPrintable(text));
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Answers the save dialog after the conversion window has run out, as a slow user would.
std::function<bool(FileDialog &)> saveAfterConversion(const QString &path)
{
    return [path](FileDialog &dialog) {
        QTest::qWait(1300);
        dialog.setFileName(path);
        return true;
    };
}

QString shownText(Form13 *preview)
{
    QString text;
    bool done = false;
    preview->browser()->fetchText([&](const QString &result) {
        text = result;
        done = true;
    });
    QTest::qWaitFor([&] { return done; }, 10000);
    return text.simplified();
}

} // namespace

class TestRoads : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareBrowserEngine(); }

    // A table made in its dialog, seen in the preview, saved with its umlauts converted.
    void tableSeenInThePreviewThenSaved()
    {
        ProgramFixture program;
        program.write(u"eigene.lst"_s, {});
        main()->show();

        click(main()->Button13);
        Form9 *table = windows().form9;
        replaceField(table->SpinEdit1, u"2"_s);
        replaceField(table->Edit2, u"80%"_s);
        replaceField(table->Edit1, u"40"_s);
        click(table->Button1);
        QVERIFY(!table->isVisible());
        click(main()->Button14);
        click(main()->Button15);
        click(windows().form10->Button1);
        click(main()->Button6);
        type(windows().form3->Memo1, u"Grüße"_s);
        click(windows().form3->Button2);
        click(main()->Button20);
        click(main()->Button17);
        click(main()->Button22);
        const QByteArray page = "<table border=2 width=80% height=40>\r\n<tr>\r\n"
                                "<td border=0 width= height=>\r\n<tt>Gr\xfc\xdf" "e</tt>\r\n"
                                "</td></tr>\r\n</table>";
        QCOMPARE(printable(program.read(u"look.html"_s)), printable(page));

        Form13 *preview = windows().form13;
        QSignalSpy loads(preview, &Form13::pageLoaded);
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"look.html"_s)));
        click(main()->Button23);
        QVERIFY(loads.wait(30000));
        QCOMPARE(shownText(preview), u"Grüße"_s);

        program.fileAnswers.push_back(saveAfterConversion(program.path(u"seite.html"_s)));
        click(main()->Button3);
        QByteArray converted = page;
        converted.replace("Gr\xfc\xdf" "e", "Gr&uuml;&szlig;e");
        QCOMPARE(printable(program.read(u"seite.html"_s)), printable(converted));
        QCOMPARE(main()->HPQT->bytes(), converted);
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }

    // A whole page from the buttons, saved, opened again after "Neu": the same bytes.
    void wholePageFromTheButtons()
    {
        ProgramFixture program;
        program.write(u"eigene.lst"_s, {});
        program.write(u"bild.jpg"_s, "jpeg");
        program.write(u"hintergrund.gif"_s, "gif");
        main()->show();

        click(main()->Button5);
        replaceField(windows().form2->Edit1, u"Grüße"_s);
        QTest::keyClick(windows().form2->Edit1, Qt::Key_Return); // the dialog's default button

        click(main()->Button12);
        choose(windows().form8->FileListBox1, u"hintergrund.gif"_s);
        click(windows().form8->Button1);

        click(main()->Button8);
        choose(windows().form6->FileListBox1, u"bild.jpg"_s);
        click(windows().form6->Button1);

        click(main()->Button6);
        Form3 *composer = windows().form3;
        type(composer->Memo1, u"Ein Satz "_s);
        click(composer->Button3);
        type(windows().form4->Memo1, u"fett"_s);
        click(windows().form4->Button2);
        click(composer->Button1);
        choose(windows().form5->FileListBox1, u"bild.jpg"_s);
        click(windows().form5->Button1);
        click(composer->gross);
        click(composer->Button2);

        click(main()->Button7);
        Form7 *link = windows().form7;
        replaceField(link->Edit1, u"Startseite"_s);
        replaceField(link->Edit2, u"index.html"_s);
        click(link->Button1);
        click(main()->Button7);
        click(link->bild);
        QVERIFY(windows().form5->isVisible());
        choose(windows().form5->FileListBox1, u"hintergrund.gif"_s);
        click(windows().form5->Button2);
        click(link->Button1);

        click(main()->Button13);
        click(windows().form9->Button1);
        click(main()->Button14);
        click(main()->Button16);
        click(windows().form11->Button1);
        click(main()->Button21);
        click(main()->Button15);
        click(windows().form10->Button1);
        click(main()->Button20);
        click(main()->Button17);
        click(main()->Button22);

        click(main()->Button18);
        replaceField(windows().form12->Edit1, u"Willkommen"_s);
        click(windows().form12->Button1);

        program.fontAnswers.push_back([](FontDialog &dialog) {
            QFont chosen(u"Courier New"_s);
            chosen.setPointSize(12);
            dialog.setFont(chosen);
            return true;
        });
        click(main()->Button27);
        click(main()->Button24);
        click(main()->Button24);

        replaceField(main()->Edit1, u"<hr>"_s);
        QTest::keyClick(main()->Edit1, Qt::Key_Return); // "Hinzufügen", the default button
        QCOMPARE(program.read(u"eigene.lst"_s), QByteArray("<hr>\r\n"));
        QListWidget *tags = main()->ListBox1;
        const QPoint first = tags->visualItemRect(tags->item(0)).center();
        QTest::mouseClick(tags->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(tags->viewport(), Qt::LeftButton, {}, first);

        click(main()->Button19);

        const QByteArray page =
            "<html>\r\n<head><title>Gr\xfc\xdf" "e</title></head>\r\n<body>\r\n"
            "<body background=\"hintergrund.gif\">\r\n"
            "<img src=\"bild.jpg\">\r\n"
            "<h1>Ein Satz <b>fett</b><img src=\"bild.jpg\">\r\n</h1>\r\n"
            "<a href=\"index.html\">Startseite</a>\r\n"
            "<a href=\"index.html\"><img src=\"hintergrund.gif\"></a>\r\n"
            "<table border=0 width= height=>\r\n<tr>\r\n"
            "<th border=0 width= height=>\r\n"
            "</th><td border=0 width= height=>\r\n"
            "</td></tr>\r\n"
            "</table><marquee scrollamount=5 scrolldelay=5>Willkommen</marquee>\r\n"
            "<font size=12 face=\"Courier New\" color=><center></center>\r\n"
            "<hr>\r\n</body>\r\n</html>";
        QCOMPARE(printable(main()->HPQT->bytes()), printable(page));
        QCOMPARE(printable(program.read(u"look.html"_s)), printable(page));
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));

        program.fileAnswers.push_back(saveAfterConversion(program.path(u"seite.html"_s)));
        click(main()->Button3);
        QByteArray converted = page;
        converted.replace("Gr\xfc\xdf" "e", "Gr&uuml;&szlig;e");
        QCOMPARE(printable(program.read(u"seite.html"_s)), printable(converted));

        click(main()->Button1);
        QCOMPARE(main()->HPQT->bytes(), QByteArray());
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"seite.html"_s)));
        click(main()->Button2);
        QCOMPARE(main()->HPQT->bytes(), converted);
        QCOMPARE(program.read(u"look.html"_s), converted);
    }

    // Opening a folder in a picker moves the working folder; look.html and eigene.lst follow.
    void workingFolderFollowsAPicker()
    {
        ProgramFixture program;
        program.write(u"eigene.lst"_s, "<br>\r\n");
        QDir().mkpath(program.path(u"Bilder"_s));
        program.write(u"Bilder/foto.jpg"_s, "jpeg");
        main()->show();
        type(main()->HPQT, u"a"_s);
        QCOMPARE(program.read(u"look.html"_s), QByteArray("a"));

        click(main()->Button8);
        openFolder(windows().form6->DirectoryListBox1, u"Bilder"_s);
        QCOMPARE(QDir::currentPath(), program.path(u"Bilder"_s));
        QVERIFY(entry(windows().form6->FileListBox1, u"foto.jpg"_s));
        choose(windows().form6->FileListBox1, u"foto.jpg"_s);
        click(windows().form6->Button1);

        const QByteArray document("a<img src=\"foto.jpg\">\r\n");
        QCOMPARE(printable(program.read(u"Bilder/look.html"_s)), printable(document));
        QCOMPARE(program.read(u"look.html"_s), QByteArray("a"));

        replaceField(main()->Edit1, u"<p>"_s);
        click(main()->Button28);
        QCOMPARE(program.read(u"Bilder/eigene.lst"_s), QByteArray("<br>\r\n<p>\r\n"));
        QCOMPARE(program.read(u"eigene.lst"_s), QByteArray("<br>\r\n"));

        // The background picker still shows the folder of the start.
        click(main()->Button12);
        QVERIFY(entry(windows().form8->DirectoryListBox1, u"Bilder"_s));
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }

    // A folder of 20,000 pictures opens in a picker with every picture listed, in order.
    void folderOfTwentyThousandPictures()
    {
        ProgramFixture program;
        program.write(u"eigene.lst"_s, {});
        QDir().mkpath(program.path(u"Fotos"_s));
        for (int i = 0; i < 20000; ++i)
            program.write(u"Fotos/bild%1.jpg"_s.arg(i, 5, 10, QChar(u'0')), {});
        main()->show();
        click(main()->Button8);
        QListWidget *files = windows().form6->FileListBox1;
        openFolder(windows().form6->DirectoryListBox1, u"Fotos"_s);
        QCOMPARE(files->count(), 20000);
        QCOMPARE(files->item(0)->text(), u"bild00000.jpg"_s);
        QCOMPARE(files->item(19999)->text(), u"bild19999.jpg"_s);
        QCOMPARE(QApplication::overrideCursor(), nullptr); // the busy pointer is gone again
        choose(files, u"bild12345.jpg"_s);
        QCOMPARE(windows().form6->Edit1->text(), u"bild12345.jpg"_s);
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }
};

QTEST_MAIN(TestRoads)
#include "tst_roads.moc"
