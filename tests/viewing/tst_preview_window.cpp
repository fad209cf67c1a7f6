#include "app/main_window.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "support/test_support.h"
#include "viewing/browser/browser_view.h"
#include "viewing/browser_host.h"
#include "viewing/preview_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTextCursor>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Form13 *preview()
{
    return windows().form13;
}

// Presses "Website anzeigen"; the test has queued the answers for the box and the dialog.
void showWebsite()
{
    QTest::mouseClick(windows().form1->Button23, Qt::LeftButton);
}

// The text of the page the preview shows, as the engine renders it.
QString shownText()
{
    BrowserView *browser = preview()->browser();
    if (!browser)
        return u"<no browser>"_s;
    QString text;
    bool done = false;
    browser->fetchText([&](const QString &result) {
        text = result;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return u"<no answer>"_s;
    return text.trimmed();
}

// What a script in the shown page gives back.
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

// F12 as the user presses it, in the window in front.
void pressF12(QWidget *where)
{
    where->window()->show();
    QApplication::setActiveWindow(where->window());
    QTest::keyClick(where, Qt::Key_F12);
}

// Types into the page editor, as the user back in the main window.
void typeIntoEditor(const QString &text)
{
    Form1 *main = windows().form1;
    QApplication::setActiveWindow(main);
    main->HPQT->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), main->HPQT);
    QTest::keyClicks(main->HPQT, text);
}

void writePage(ProgramFixture &program, const QString &name, const QString &heading)
{
    program.write(name, "<html><head><meta charset=\"utf-8\"></head><body><h1>"
                            + heading.toUtf8() + "</h1></body></html>");
}

} // namespace

class TestPreviewWindow : public QObject
{
    Q_OBJECT

private slots:
    // First of all, so that no test before it has loaded the engine.
    void f12ShowsTheCurrentDocument()
    {
        ProgramFixture program;
        program.write(u"eigene.lst"_s, {}); // the main window shows, and reads it
        writePage(program, u"other.html"_s, u"Andere Seite"_s);
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        const auto engineLoaded = [] {
            QFile maps(u"/proc/self/maps"_s);
            return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
        };
        QVERIFY(!engineLoaded());

        // No box, no dialog, as if look.html had been picked; before the first change there is
        // none yet, which is no error: the page shows as soon as it is written.
        pressF12(windows().form1->HPQT);
        QVERIFY(preview()->isVisible());
        QVERIFY(loads.wait(30000));
        QVERIFY(engineLoaded());
        typeIntoEditor(u"<h1>Eins</h1>"_s);
        QTRY_COMPARE_WITH_TIMEOUT(shownText(), u"Eins"_s, 10000);
        QCOMPARE(program.okAbortBoxesShown + program.fileDialogsShown, 0);
        QCOMPARE(windows().OpenDialog2->fileName(), program.path(u"look.html"_s));

        // F12 writes nothing: after "Neu" the page from before shows.
        QTest::mouseClick(windows().form1->Button1, Qt::LeftButton);
        QTest::mouseClick(preview()->Panel1, Qt::LeftButton);
        pressF12(windows().form1->HPQT);
        QVERIFY(loads.wait(30000));
        QCOMPARE(shownText(), u"Eins"_s);
        QCOMPARE(program.read(u"look.html"_s), "<h1>Eins</h1>"_ba);

        // Open on another page: F12 in either window brings the document back.
        QTest::mouseClick(preview()->Panel1, Qt::LeftButton);
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"other.html"_s)));
        showWebsite();
        QVERIFY(loads.wait(30000));
        QCOMPARE(shownText(), u"Andere Seite"_s);
        pressF12(preview()->shower->focusProxy()); // where the keyboard is in the page
        QVERIFY(loads.wait(30000));
        QCOMPARE(shownText(), u"Eins"_s);

        // A later "Website anzeigen" that is cancelled shows look.html again.
        QTest::mouseClick(preview()->Panel1, Qt::LeftButton);
        program.fileAnswers.push_back(ProgramFixture::cancel());
        showWebsite();
        QVERIFY(loads.wait(30000));
        QCOMPARE(shownText(), u"Eins"_s);
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }

    void showsTheDocumentThroughItsPreviewCopy()
    {
        ProgramFixture program;
        QTest::keyClicks(windows().form1->HPQT, u"<h1>Hallo Vorschau</h1>"_s);
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"look.html"_s)));
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        showWebsite();
        QCOMPARE(program.okAbortBoxesShown, 1);
        QCOMPARE(program.fileDialogsShown, 1);
        QVERIFY(preview()->isVisible());
        QVERIFY(loads.wait(30000));
        QCOMPARE(loads.constFirst().constFirst().toBool(), true);
        QCOMPARE(shownText(), u"Hallo Vorschau"_s);
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }
    void pageIsRendered()
    {
        ProgramFixture program;
        program.write(u"farbe.html"_s, "<html><body bgcolor=\"#00c000\"><table border=1><tr>"
                                       "<td>Zelle</td></tr></table></body></html>");
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"farbe.html"_s)));
        showWebsite();
        QVERIFY(loads.wait(30000));
        // The engine paints a moment after the load; the corner shows the page's background.
        QWidget *shower = preview()->shower;
        const QPoint corner(shower->width() - 20, shower->height() - 20);
        QTRY_COMPARE_WITH_TIMEOUT(shower->grab().toImage().pixelColor(corner), QColor(0, 0xc0, 0),
                                  10000);
    }

    void abortDoesNothingFurther()
    {
        ProgramFixture program;
        program.okAbortAnswers.push_back(false);
        showWebsite();
        QCOMPARE(program.okAbortBoxesShown, 1);
        QCOMPARE(program.fileDialogsShown, 0);
        QVERIFY(!preview()->isVisible());
        QVERIFY(!preview()->browser());
    }

    void navigatesOnlyWhenTheWindowAppears()
    {
        ProgramFixture program;
        writePage(program, u"first.html"_s, u"Erste Seite"_s);
        writePage(program, u"second.html"_s, u"Zweite Seite"_s);
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"first.html"_s)));
        showWebsite();
        QVERIFY(loads.wait(30000));
        QCOMPARE(shownText(), u"Erste Seite"_s);

        // Open already: the new pick waits until the window appears again.
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"second.html"_s)));
        showWebsite();
        QCOMPARE(program.fileDialogsShown, 2);
        QVERIFY(!loads.wait(1500));
        QCOMPARE(shownText(), u"Erste Seite"_s);

        // Closing keeps the page; reopening, even with the dialog cancelled, shows the last pick.
        QTest::mouseClick(preview()->Panel1, Qt::LeftButton);
        QVERIFY(!preview()->isVisible());
        QCOMPARE(shownText(), u"Erste Seite"_s);
        program.fileAnswers.push_back(ProgramFixture::cancel());
        showWebsite();
        QVERIFY(preview()->isVisible());
        QVERIFY(loads.wait(30000));
        QCOMPARE(loads.size(), 2);
        QCOMPARE(shownText(), u"Zweite Seite"_s);
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }

    // Typing reloads the preview, where the reader was, and the keyboard stays in the editor.
    void followsTyping()
    {
        ProgramFixture program;
        program.write(u"eigene.lst"_s, {});
        Form1 *main = windows().form1;
        main->HPQT->setPlainText(u"<div style=\"height:5000px\">Anfang</div>"_s);
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        pressF12(main->HPQT);
        QVERIFY(loads.wait(30000));
        evaluate(u"window.scrollTo(0, 1500)"_s);
        QTRY_COMPARE(evaluate(u"window.scrollY"_s).toInt(), 1500);

        main->HPQT->moveCursor(QTextCursor::End);
        typeIntoEditor(u"<p>Neu</p>"_s);
        QTRY_COMPARE_WITH_TIMEOUT(shownText(), u"Anfang\n\nNeu"_s, 10000);
        QTRY_COMPARE(evaluate(u"window.scrollY"_s).toInt(), 1500);
        QCOMPARE(QApplication::focusWidget(), main->HPQT);
        QCOMPARE(QApplication::activeWindow(), main);

        // Hidden, it follows nothing.
        QTest::mouseClick(preview()->Panel1, Qt::LeftButton);
        loads.clear();
        typeIntoEditor(u"x"_s);
        QVERIFY(!loads.wait(1000));
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }

    // Another program replaces, deletes and writes again the page shown; the page picked
    // while the preview is open changes nothing of that.
    void followsTheFileItShows()
    {
        ProgramFixture program;
        writePage(program, u"seite.html"_s, u"Erste Fassung"_s);
        writePage(program, u"later.html"_s, u"Spaeter"_s);
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"seite.html"_s)));
        showWebsite();
        QVERIFY(loads.wait(30000));
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"later.html"_s)));
        showWebsite();

        QSaveFile replaced(program.path(u"seite.html"_s)); // written aside, then renamed over
        QVERIFY(replaced.open(QIODevice::WriteOnly));
        replaced.write("<h1>Zweite Fassung</h1>");
        QVERIFY(replaced.commit());
        QTRY_COMPARE_WITH_TIMEOUT(shownText(), u"Zweite Fassung"_s, 10000);

        QVERIFY(QFile::remove(program.path(u"seite.html"_s)));
        QTest::qWait(500);
        writePage(program, u"seite.html"_s, u"Dritte Fassung"_s);
        QTRY_COMPARE_WITH_TIMEOUT(shownText(), u"Dritte Fassung"_s, 10000);
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }

    void awkwardFileNamesOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("hash and blank") << u"seite #2 neu.html"_s;
        QTest::newRow("question mark") << u"was?.htm"_s;
        QTest::newRow("percent") << u"100%25 sicher.html"_s;
        QTest::newRow("umlauts") << u"Grüße.html"_s;
        QTest::newRow("folder with hash") << u"#ordner/seite.html"_s;
    }
    void awkwardFileNamesOpen()
    {
        QFETCH(QString, name);
        ProgramFixture program;
        QVERIFY(QDir(program.path(QString())).mkpath(QFileInfo(name).path()));
        writePage(program, name, u"Gefunden"_s);
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(name)));
        showWebsite();
        QVERIFY(loads.wait(30000));
        QCOMPARE(loads.constFirst().constFirst().toBool(), true);
        QCOMPARE(shownText(), u"Gefunden"_s);
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }

    void missingPageIsReported()
    {
        ProgramFixture program;
        const QString missing = program.path(u"weg.html"_s);
        QSignalSpy loads(preview(), &Form13::pageLoaded);
        program.fileAnswers.push_back(ProgramFixture::choose(missing));
        showWebsite();
        QVERIFY(loads.wait(30000));
        QCOMPARE(loads.constFirst().constFirst().toBool(), false);
        QTRY_COMPARE(program.errors.size(), 1);
        QVERIFY2(program.errors.constFirst().startsWith(u"Cannot show %1: "_s.arg(missing)),
                 qPrintable(program.errors.constFirst()));
        QVERIFY(preview()->isVisible()); // the window stays open
    }

    void panelAcrossTheTop()
    {
        ProgramFixture program;
        openWindowForLayout();
        QCOMPARE(preview()->Panel1->text(), u"Hier klicken um das Fenster zu schließen"_s);
        QCOMPARE(preview()->Panel1->geometry(), QRect(0, 0, preview()->width(), 25));
        QCOMPARE(preview()->shower->geometry(),
                 QRect(0, 25, preview()->width(), preview()->height() - 25));
        QCOMPARE(preview()->shower->objectName(), u"shower"_s);
    }

private:
    static void openWindowForLayout()
    {
        showWebsite();
        QVERIFY(QTest::qWaitForWindowExposed(preview()));
    }
};

int main(int argc, char *argv[])
{
    prepareBrowserEngine();
    QApplication app(argc, argv);
    TestPreviewWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_preview_window.moc"
