#include "app/main_window.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

TextEditor *editor()
{
    return windows().form1->HPQT;
}

// The list of names, open or not.
QAbstractItemView *list()
{
    return qobject_cast<QAbstractItemView *>(QApplication::activePopupWidget());
}

void showWith(const QString &text, int caret)
{
    editor()->window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor()->window()));
    editor()->setFocus();
    editor()->replaceText(text);
    QTextCursor cursor = editor()->textCursor();
    cursor.setPosition(caret);
    editor()->setTextCursor(cursor);
}

// The middle of the character at a position, in the viewport's coordinates.
QPoint pointAt(int position)
{
    QTextCursor cursor(editor()->document());
    cursor.setPosition(position);
    const QRect rect = editor()->cursorRect(cursor);
    return {rect.left() + editor()->fontMetrics().averageCharWidth() / 2, rect.center().y()};
}

QStringList markedTexts()
{
    QStringList texts;
    for (const QTextEdit::ExtraSelection &selection : editor()->extraSelections())
        texts.append(selection.cursor.selectedText());
    return texts;
}

} // namespace

class TestTagHelpInEditor : public QObject
{
    Q_OBJECT

private slots:
    void completesAsOneChange()
    {
        ProgramFixture program;
        showWith(u"<p>x</p>\n<t"_s, 11);
        QSignalSpy changes(editor(), &TextEditor::documentChanged);
        QTest::keyClick(editor(), Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(list() && list()->isVisible());
        QCOMPARE(changes.count(), 0);
        QTest::keyClicks(list(), u"b"_s); // typing on goes into the page and filters the list
        QCOMPARE(editor()->text(), u"<p>x</p>\n<tb"_s);
        QCOMPARE(list()->currentIndex().data(Qt::EditRole).toString(), u"tbody"_s);
        QCOMPARE(changes.count(), 1);
        QTest::keyClick(list(), Qt::Key_Return);
        QVERIFY(!list());
        QCOMPARE(editor()->text(), u"<p>x</p>\n<tbody"_s);
        QCOMPARE(changes.count(), 2);
        QCOMPARE(program.read(u"look.html"_s), QByteArray("<p>x</p>\r\n<tbody"));
        QCOMPARE(editor()->textCursor().position(), 15);
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor()->text(), u"<p>x</p>\n<tb"_s);
        QCOMPARE(program.read(u"look.html"_s), QByteArray("<p>x</p>\r\n<tb"));
    }

    void escapeAndNothingThatFits()
    {
        ProgramFixture program;
        showWith(u"&eu"_s, 3);
        QSignalSpy changes(editor(), &TextEditor::documentChanged);
        QTest::keyClick(editor(), Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(list());
        QTest::keyClick(list(), Qt::Key_Escape);
        QVERIFY(!list());
        QCOMPARE(editor()->text(), u"&eu"_s);
        QCOMPARE(changes.count(), 0);
        showWith(u"Text "_s, 5);
        changes.clear();
        QTest::keyClick(editor(), Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(!list());
        QCOMPARE(editor()->text(), u"Text "_s); // no blank either
        QCOMPARE(changes.count(), 0);
    }

    void tipsOnNames_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("tip");
        // <table border=1>\n<tr><td width=50%>\n<center>x</center></td></tr>\n</table>
        QTest::newRow("element") << 2 << u"Tabelle"_s;
        QTest::newRow("obsolete attribute") << 9 << u"Rahmenbreite der Tabelle"_s;
        QTest::newRow("element on the next line") << 22 << u"Tabellenzelle"_s;
        QTest::newRow("its attribute") << 26 << u"Breite der Zelle"_s;
        QTest::newRow("obsolete element") << 37 << u"Heute: CSS: text-align: center"_s;
        QTest::newRow("end tag") << 62 << u"Tabelle"_s;
        QTest::newRow("text") << 44 << QString();
        QTest::newRow("value") << 31 << QString();
    }
    void tipsOnNames()
    {
        QFETCH(int, position);
        QFETCH(QString, tip);
        ProgramFixture program;
        showWith(u"<table border=1>\n<tr><td width=50%>\n<center>x</center></td></tr>\n</table>"_s, 0);
        QHelpEvent event(QEvent::ToolTip, pointAt(position),
                         editor()->viewport()->mapToGlobal(pointAt(position)));
        QApplication::sendEvent(editor()->viewport(), &event);
        if (tip.isEmpty()) {
            QVERIFY(!QToolTip::isVisible());
        } else {
            QTRY_VERIFY(QToolTip::isVisible());
            QVERIFY2(QToolTip::text().contains(tip), qPrintable(QToolTip::text()));
        }
        QToolTip::hideText();
    }

    void marksMatchingTags()
    {
        ProgramFixture program;
        showWith(u"<div>\n <div>a</div>\n <br>\n</div>"_s, 2);
        QTRY_COMPARE(markedTexts(), (QStringList{u"<div"_s, u"</div"_s}));
        QTextCursor cursor = editor()->textCursor();
        cursor.setPosition(29);
        editor()->setTextCursor(cursor);
        QTRY_COMPARE(markedTexts(), (QStringList{u"</div"_s, u"<div"_s}));
        QCOMPARE(editor()->extraSelections().constLast().cursor.anchor(), 0);
        cursor.setPosition(23); // in <br>
        editor()->setTextCursor(cursor);
        QTRY_VERIFY(editor()->extraSelections().isEmpty());
        QCOMPARE(program.read(u"look.html"_s), QByteArray("<div>\r\n <div>a</div>\r\n <br>\r\n</div>"));
    }
};

QTEST_MAIN(TestTagHelpInEditor)
#include "tst_tag_help_in_editor.moc"
