#include "app/main_window.h"
#include "document/personal_words.h"
#include "document/spelling_marks.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "html/html_colouring.h"
#include "support/test_support.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

TextEditor *page()
{
    return windows().form1->HPQT;
}

SpellingMarks *marks()
{
    return page()->findChild<SpellingMarks *>();
}

// The words of line `line` that carry a spelling mark.
QStringList markedWords(int line)
{
    const QTextBlock block = page()->document()->findBlockByNumber(line);
    QStringList words;
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
            words.append(block.text().mid(range.start, range.length));
    }
    return words;
}

void openPage(ProgramFixture &program, const QByteArray &bytes)
{
    windows().form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(windows().form1));
    marks()->loadDictionary();
    program.write(u"page.html"_s, bytes);
    program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"page.html"_s)));
    windows().form1->Button2->click();
    QTRY_VERIFY(page()->findChild<HtmlColouring *>()->isIdle());
    page()->viewport()->repaint();
}

// The context menu's entries over the character at `position` of the page.
QList<QAction *> menuAt(QMenu &menu, int position)
{
    QTextCursor at(page()->document());
    at.setPosition(position);
    emit page()->contextMenuAboutToShow(&menu, page()->cursorRect(at).center());
    return menu.actions();
}

QAction *entry(const QList<QAction *> &actions, const QString &text)
{
    for (QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class TestSpellingMarks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        if (SpellingMarks::installedDictionary().isEmpty())
            QSKIP("the German dictionary (hunspell-de-de) is not installed");
    }

    void init()
    {
        QFile::remove(personalWordsPath());
        QSettings(u"tagschmied"_s, u"tagschmied"_s).clear();
    }

    void marksMisspeltWordsOfAPageSavedWithEntities()
    {
        ProgramFixture program;
        openPage(program, "<p title=\"Sch&ouml;ne Gr&uuml;sse\">Gr&uuml;&szlig;e, ein Tset.</p>\r\n"
                          "<!-- Fehlr --><script>Fehlr</script><a href=\"Fehlr.html\">Fehlr</a>");
        QCOMPARE(markedWords(0), QStringList({u"Gr&uuml;sse"_s, u"Tset"_s}));
        QCOMPARE(markedWords(1), QStringList({u"Fehlr"_s}));

        // Switched off, the marks go, and stay off in the next run.
        QMenu menu;
        entry(menuAt(menu, 0), u"Rechtschreibung prüfen"_s)->trigger();
        QCOMPARE(markedWords(0), QStringList());
        TextEditor next;
        QVERIFY(!SpellingMarks(&next, new HtmlColouring(&next)).isOn());
    }

    void theWordBeingTypedIsMarkedOnceLeft()
    {
        ProgramFixture program;
        openPage(program, "<p></p>");
        page()->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(page(), Qt::Key_Right);
        QSignalSpy contents(page()->document(), &QTextDocument::contentsChange);
        QTest::keyClicks(page(), u"Fehlr"_s);
        QCOMPARE(markedWords(0), QStringList());
        QTest::keyClick(page(), Qt::Key_End);
        QTRY_COMPARE(markedWords(0), QStringList({u"Fehlr"_s}));
        // Marks are no change of the document: each keystroke reported itself alone.
        QCOMPARE(contents.count(), 5);
        QCOMPARE(contents.constLast(), QVariantList({7, 0, 1}));
    }

    void suggestionKeepsTheEntitiesAsOneChange()
    {
        ProgramFixture program;
        const QByteArray opened = "<p>Gr&uuml;sse</p>";
        openPage(program, opened);
        QSignalSpy changes(page(), &TextEditor::documentChanged);
        QMenu menu;
        const QList<QAction *> actions = menuAt(menu, 5);
        QAction *suggestion = entry(actions, u"Grüße"_s);
        QVERIFY(suggestion);
        QCOMPARE(actions.indexOf(suggestion), 0);
        suggestion->trigger();
        QCOMPARE(page()->text(), u"<p>Gr&uuml;&szlig;e</p>"_s);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(program.read(u"look.html"_s), "<p>Gr&uuml;&szlig;e</p>");
        QCOMPARE(markedWords(0), QStringList());
        page()->undo();
        QCOMPARE(page()->bytes(), opened);
    }

    void addedWordsGoToTheListAndComeBack()
    {
        ProgramFixture program;
        openPage(program, "<p>Quaxelbrumm Fehlr Fehlr</p>");
        QMenu add;
        entry(menuAt(add, 5), u"Zum Wörterbuch hinzufügen"_s)->trigger();
        QMenu ignore;
        entry(menuAt(ignore, 16), u"Ignorieren"_s)->trigger();
        QCOMPARE(markedWords(0), QStringList());
        QFile list(personalWordsPath());
        QVERIFY(list.open(QIODevice::ReadOnly));
        QCOMPARE(list.readAll(), "Quaxelbrumm\n");

        writePersonalWords(personalWordsPath(), {u"Quaxelbrumm"_s, u"Ölgrün"_s});
        QCOMPARE(readPersonalWords(personalWordsPath()), QStringList({u"Quaxelbrumm"_s, u"Ölgrün"_s}));
    }

    void withoutDictionaryTheEntrySaysWhy()
    {
        TextEditor editor;
        SpellingMarks spelling(&editor, new HtmlColouring(&editor), u"/nicht/da/de_DE"_s);
        editor.setPlainText(u"Fehlr"_s);
        QMenu menu;
        emit editor.contextMenuAboutToShow(&menu, {1, 1});
        QAction *toggle = menu.actions().constLast();
        QVERIFY(!toggle->isEnabled());
        QVERIFY(toggle->text().contains(u"kein deutsches Wörterbuch"_s));
        QVERIFY(!spelling.hasDictionary());
    }
};

QTEST_MAIN(TestSpellingMarks)
#include "tst_spelling_marks.moc"
