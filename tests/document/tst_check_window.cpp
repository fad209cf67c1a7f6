#include "app/main_window.h"
#include "document/check_window.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "html/check_texts.h"
#include "html/page_check.h"
#include "support/test_support.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString brokenPage = u"<!DOCTYPE html>\n<html><head><title>t</title></head><body>\n"
                           u"\t<p>Ein <b>fett</p>\n<tabel></tabel>\n</body></html>"_s;

TextEditor *editor()
{
    return windows().form1->HPQT;
}

// Opens the check with F7 in the page, as a user does, and waits for its rows.
Form16 *openWithF7(ProgramFixture &program)
{
    program.write(u"eigene.lst"_s, QByteArray());
    windows().form1->show();
    QApplication::setActiveWindow(windows().form1);
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_F7);
    auto *window = windows().form1->findChild<Form16 *>(u"Form16"_s);
    Q_ASSERT(window);
    QSignalSpy shown(window, &Form16::checkShown);
    if (!shown.wait(20000))
        qWarning("no check shown");
    return window;
}

// The first row of the list whose message starts with `text`; invalid when there is none.
QModelIndex rowSaying(Form16 *window, const QString &text)
{
    const QAbstractItemModel *rows = window->ListView1->model();
    for (int row = 0; row < rows->rowCount(); ++row) {
        if (rows->index(row, 3).data().toString().startsWith(text))
            return rows->index(row, 0);
    }
    return {};
}

QString cell(const QModelIndex &row, int column)
{
    return row.siblingAtColumn(column).data().toString();
}

} // namespace

class TestCheckWindow : public QObject
{
    Q_OBJECT

private slots:
    void f7ShowsTheRowsAndTheSummary()
    {
        ProgramFixture program;
        editor()->replaceText(brokenPage);
        Form16 *window = openWithF7(program);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), u"Seite prüfen"_s);
        const QModelIndex row = rowSaying(window, u"<tabel> ist kein HTML-Element"_s);
        QVERIFY(row.isValid());
        QCOMPARE(QStringList({cell(row, 0), cell(row, 1), cell(row, 2)}),
                 QStringList({u"4"_s, u"1"_s, u"Fehler"_s}));
        const QAbstractItemModel *rows = window->ListView1->model();
        QCOMPARE(rows->headerData(3, Qt::Horizontal).toString(), u"Meldung"_s);
        int errors = 0, warnings = 0;
        for (int i = 0; i < rows->rowCount(); ++i) {
            const QString level = cell(rows->index(i, 0), 2);
            errors += level == u"Fehler";
            warnings += level == u"Warnung";
        }
        QCOMPARE(window->Label1->text(),
                 CheckTexts::summary(errors, warnings, rows->rowCount() - errors - warnings));
        QVERIFY(errors >= 2); // <tabel>, and <b> closed by </p>
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'\n')));
    }

    void contextMenuEntryOpensIt()
    {
        ProgramFixture program;
        program.write(u"eigene.lst"_s, QByteArray());
        editor()->replaceText(
            u"<!DOCTYPE html>\n<html lang=\"de\"><head><title>t</title></head><body><p>x</p></body></html>"_s);
        QMenu menu;
        emit editor()->contextMenuAboutToShow(&menu, QPoint(1, 1));
        QAction *entry = nullptr;
        for (QAction *action : menu.actions())
            entry = action->text() == u"Seite prüfen" ? action : entry;
        QVERIFY(entry);
        entry->trigger();
        auto *window = windows().form1->findChild<Form16 *>(u"Form16"_s);
        QVERIFY(window && window->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(window->Label1->text(), u"Keine Probleme gefunden"_s, 20000);
    }

    // A double click or Enter puts the caret at the row's place; the text stays as it was and
    // nothing is selected or written but look.html.
    void doubleClickAndEnterGoToThePlace()
    {
        ProgramFixture program;
        editor()->replaceText(brokenPage);
        Form16 *window = openWithF7(program);
        const QStringList filesBefore = QDir(program.path(QString())).entryList(QDir::Files);
        const QModelIndex tabel = rowSaying(window, u"<tabel> ist kein HTML-Element"_s);
        const QModelIndex bold = rowSaying(window, u"Hier wird <b> stillschweigend mitgeschlossen"_s);
        QVERIFY(tabel.isValid() && bold.isValid());
        QCOMPARE(cell(bold, 1), u"16"_s); // at </p>, after the tab, which counts once

        QWidget *viewport = window->ListView1->viewport();
        const QPoint place = window->ListView1->visualRect(bold).center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, place); // the first click of the two
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, place);
        QCOMPARE(editor()->textCursor().blockNumber(), 2);
        QCOMPARE(editor()->textCursor().positionInBlock(), 15);
        QVERIFY(!editor()->textCursor().hasSelection());
        QTRY_VERIFY(editor()->hasFocus());

        window->ListView1->setCurrentIndex(tabel);
        window->ListView1->setFocus();
        QTest::keyClick(window->ListView1, Qt::Key_Return);
        QCOMPARE(editor()->textCursor().blockNumber(), 3);
        QCOMPARE(editor()->textCursor().positionInBlock(), 0);
        QCOMPARE(editor()->text(), brokenPage);
        QCOMPARE(QDir(program.path(QString())).entryList(QDir::Files), filesBefore);
    }

    void typingChecksAgainOnlyWhileVisible()
    {
        ProgramFixture program;
        editor()->replaceText(brokenPage);
        Form16 *window = openWithF7(program);
        QVERIFY(!rowSaying(window, u"<tobel> ist kein HTML-Element"_s).isValid());
        QSignalSpy shown(window, &Form16::checkShown);
        QTextCursor endOfParagraph(editor()->document()->findBlockByNumber(2));
        endOfParagraph.movePosition(QTextCursor::EndOfBlock);
        editor()->setTextCursor(endOfParagraph);
        QTest::keyClicks(editor(), u"<tobel>"_s);
        // Every keystroke still writes look.html at once; the check follows after a pause.
        QVERIFY(program.read(u"look.html"_s).contains("</p><tobel>\r\n"));
        QCOMPARE(shown.size(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(rowSaying(window, u"<tobel> ist kein HTML-Element"_s).isValid(),
                                 20000);
        QCOMPARE(shown.size(), 1); // one check for the seven keystrokes

        window->ListView1->setFocus();
        QTest::keyClick(window->ListView1, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        shown.clear();
        QTest::keyClicks(editor(), u"<p>"_s);
        QTest::qWait(Form16::pauseAfterChange * 2);
        QCOMPARE(shown.size(), 0);
    }

    // A hung helper ends the same way, after the time limit (see tst_page_check).
    void crashedHelperIsReportedAndTheEditorGoesOn()
    {
        ProgramFixture program;
        editor()->replaceText(brokenPage);
        Form16 *window = openWithF7(program);
        window->check()->setHelper(u"/bin/sh"_s, {u"-c"_s, u"kill -SEGV $$"_s});
        QTest::mouseClick(window->Button1, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(window->Label1->text(), u"Die Prüfung ist fehlgeschlagen"_s,
                                  10000);
        QCOMPARE(window->ListView1->model()->rowCount(), 0);
        QCOMPARE(editor()->text(), brokenPage);
        QTest::keyClicks(editor(), u"x"_s);
        QCOMPARE(editor()->text().size(), brokenPage.size() + 1);
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'\n')));
    }
};

QTEST_MAIN(TestCheckWindow)
#include "tst_check_window.moc"
