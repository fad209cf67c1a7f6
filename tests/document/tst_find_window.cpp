#include "app/main_window.h"
#include "document/find_window.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

TextEditor *editor()
{
    return windows().form1->HPQT;
}

// Opens the window as a user does, with Ctrl+F in the page.
Form15 *openWithCtrlF()
{
    windows().form1->show();
    QApplication::setActiveWindow(windows().form1);
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_F, Qt::ControlModifier);
    auto *window = windows().form1->findChild<Form15 *>(u"Form15"_s);
    Q_ASSERT(window);
    return window;
}

QString selected()
{
    return editor()->textCursor().selectedText();
}

} // namespace

class TestFindWindow : public QObject
{
    Q_OBJECT

private slots:
    void findsWrapsAndTellsSo_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QStringList>("selections");
        QTest::addColumn<QStringList>("statuses");
        const QString wrapStart = u"Am Anfang fortgesetzt"_s;
        const QString wrapEnd = u"Am Ende fortgesetzt"_s; // the caret starts at the start
        QTest::newRow("forward, case ignored")
            << u"äpfel"_s << false << true << QStringList{u"Äpfel"_s, u"äpfel"_s, u"Äpfel"_s}
            << QStringList{QString(), QString(), wrapStart};
        QTest::newRow("backward")
            << u"ÄPFEL"_s << false << false << QStringList{u"äpfel"_s, u"Äpfel"_s, u"äpfel"_s}
            << QStringList{wrapEnd, QString(), wrapEnd};
        QTest::newRow("case counts") << u"äpfel"_s << true << true
                                     << QStringList{u"äpfel"_s, u"äpfel"_s}
                                     << QStringList{QString(), wrapStart};
        QTest::newRow("not found") << u"Birnen"_s << false << true << QStringList{QString()}
                                   << QStringList{u"Nicht gefunden"_s};
    }
    void findsWrapsAndTellsSo()
    {
        QFETCH(QString, needle);
        QFETCH(bool, matchCase);
        QFETCH(bool, forward);
        QFETCH(QStringList, selections);
        QFETCH(QStringList, statuses);
        ProgramFixture program;
        editor()->replaceText(u"Äpfel und Straße\näpfel"_s);
        Form15 *window = openWithCtrlF();
        window->Edit1->setText(needle);
        window->CheckBox1->setChecked(matchCase);
        for (qsizetype i = 0; i < selections.size(); ++i) {
            if (forward)
                QTest::keyClick(window->Edit1, Qt::Key_Return); // Enter is "Weitersuchen"
            else
                QTest::mouseClick(window->Button2, Qt::LeftButton);
            QCOMPARE(selected(), selections[i]);
            QCOMPARE(window->Label3->text(), statuses[i]);
        }
    }

    void f3SearchesFromThePage()
    {
        ProgramFixture program;
        editor()->replaceText(u"a b a"_s);
        QVERIFY(!windows().form1->findChild<Form15 *>()); // not made at start-up
        Form15 *window = openWithCtrlF();
        QVERIFY(window->isVisible());
        window->Edit1->setText(u"a"_s);
        QTest::keyClick(window->Edit1, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QApplication::setActiveWindow(windows().form1);
        editor()->setFocus();
        QTest::keyClick(editor(), Qt::Key_F3);
        QCOMPARE(editor()->textCursor().selectionStart(), 0);
        QTest::keyClick(editor(), Qt::Key_F3);
        QCOMPARE(editor()->textCursor().selectionStart(), 4);
        QTest::keyClick(editor(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(editor()->textCursor().selectionStart(), 0);
        QCOMPARE(window->Edit1->text(), u"a"_s); // kept while hidden
    }

    void replacesOneAndAllAsOneChangeEach()
    {
        ProgramFixture program;
        editor()->replaceText(u"Haus haus\nHAUS"_s);
        Form15 *window = openWithCtrlF();
        window->Edit1->setText(u"haus"_s);
        window->Edit2->setText(u"Hütte"_s);
        QSignalSpy changes(editor(), &TextEditor::documentChanged);
        QTest::mouseClick(window->Button3, Qt::LeftButton); // selects the first only
        QCOMPARE(changes.count(), 0);
        QTest::mouseClick(window->Button3, Qt::LeftButton);
        QCOMPARE(editor()->text(), u"Hütte haus\nHAUS"_s);
        QCOMPARE(selected(), u"haus"_s); // and on to the next
        QTest::mouseClick(window->Button4, Qt::LeftButton);
        QCOMPARE(editor()->text(), u"Hütte Hütte\nHütte"_s);
        QCOMPARE(window->Label3->text(), u"2 ersetzt"_s);
        QCOMPARE(changes.count(), 2);
        QCOMPARE(printable(program.read(u"look.html"_s)),
                 printable("H\xfctte H\xfctte\r\nH\xfctte"));
        editor()->undo();
        QCOMPARE(editor()->text(), u"Hütte haus\nHAUS"_s);
        QCOMPARE(printable(program.read(u"look.html"_s)), printable("H\xfctte haus\r\nHAUS"));
        window->Edit2->clear(); // replacing by nothing removes
        QTest::mouseClick(window->Button4, Qt::LeftButton);
        QCOMPARE(editor()->text(), u"Hütte \n"_s);
    }
};

QTEST_MAIN(TestFindWindow)
#include "tst_find_window.moc"
