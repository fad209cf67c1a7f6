#include "document/codepage1252.h"
#include "document/page_encoding.h"
#include "document/text_editor.h"
#include "foundation/error.h"
#include "support/test_support.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The byte form straight from the document, without the editor's kept copy.
QByteArray bytesFromDocument(const TextEditor &editor)
{
    return CodePage1252::encodeDocument(editor.document()->toRawText());
}

} // namespace

class TestTextEditor : public QObject
{
    Q_OBJECT

private slots:
    void bytesFollowEveryKindOfEdit()
    {
        TextEditor editor;
        QRandomGenerator random(4711);
        const QString pieces[] = {u"a"_s, u"<br>"_s, u"\n"_s, u"ä\nö"_s, u"\u00a0"_s, u"€"_s,
                                  u"line\n\nmore"_s, u"Ł"_s, QString()};
        for (int step = 0; step < 400; ++step) {
            const int length = int(editor.document()->characterCount() - 1);
            QTextCursor cursor(editor.document());
            cursor.setPosition(random.bounded(length + 1));
            switch (random.bounded(5)) {
            case 0:
                cursor.insertText(pieces[random.bounded(int(std::size(pieces)))]);
                break;
            case 1:
                cursor.setPosition(std::min(length, cursor.position() + random.bounded(6)),
                                   QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                break;
            case 2:
                AppendLines(pieces[random.bounded(int(std::size(pieces)))] + u"\r"_s, &editor);
                break;
            case 3:
                editor.setTextCursor(cursor);
                QTest::keyClick(&editor, Qt::Key_Backspace);
                break;
            default:
                if (random.bounded(20) == 0)
                    editor.replaceText(u"fresh\ntext"_s);
                break;
            }
            QCOMPARE(printable(editor.bytes()), printable(bytesFromDocument(editor)));
        }
    }

    void noBreakSpaceIsKept()
    {
        TextEditor editor;
        editor.insertPlainText(u"a\u00a0b"_s);
        QCOMPARE(editor.bytes(), QByteArray("a\xa0" "b"));
        QCOMPARE(editor.text(), u"a\u00a0b"_s);
    }

    void everyEnterStartsALine_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Enter") << Qt::KeyboardModifiers(Qt::NoModifier);
        QTest::newRow("Shift+Enter") << Qt::KeyboardModifiers(Qt::ShiftModifier);
    }
    void everyEnterStartsALine()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        TextEditor editor;
        QTest::keyClicks(&editor, u"a"_s);
        QTest::keyClick(&editor, Qt::Key_Return, modifiers);
        QTest::keyClicks(&editor, u"b"_s);
        QCOMPARE(editor.bytes(), QByteArray("a\r\nb"));
    }

    void appendIsOneChangeWithCaretAtStart()
    {
        TextEditor editor;
        editor.insertPlainText(u"abc"_s);
        QSignalSpy changes(&editor, &TextEditor::documentChanged);
        AppendLines(u"<tr>\r"_s, &editor);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(editor.textCursor().position(), 0);
        QCOMPARE(editor.bytes(), QByteArray("abc<tr>\r\n"));
        AppendLines(QString(), &editor);
        AppendRaw(QString(), &editor);
        QCOMPARE(changes.count(), 1);
    }

    void replaceTextAnnouncesOnlyRealChanges()
    {
        TextEditor editor;
        QSignalSpy changes(&editor, &TextEditor::documentChanged);
        editor.replaceText(u"a\nb"_s);
        QCOMPARE(changes.count(), 1);
        editor.replaceText(u"a\nb"_s);
        QCOMPARE(changes.count(), 1);
        editor.clearSilently();
        QCOMPARE(changes.count(), 1);
        QCOMPARE(editor.bytes(), QByteArray());
    }

    void capacityCountsLineBreaksAsTwoBytes()
    {
        TextEditor editor;
        editor.setCapacity(4);
        editor.replaceText(u"a\nb"_s); // a CR LF b: four bytes
        QCOMPARE(editor.length(), 4);
        QVERIFY_THROWS_EXCEPTION(Error, AppendRaw(u"c"_s, &editor));
        QCOMPARE(editor.bytes(), QByteArray("a\r\nb"));
    }

    // The capacity rule counts the byte form in the page's encoding, through every edit.
    void lengthFollowsEditsInThePageEncoding_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("UTF-8") << "<meta charset=utf-8>"_ba;
        QTest::newRow("UTF-16LE") << "\xFF\xFE<\0"_ba;
        QTest::newRow("Shift_JIS") << "<meta charset=shift_jis>"_ba;
        QTest::newRow("windows-1251") << "<meta charset=windows-1251>"_ba;
    }
    void lengthFollowsEditsInThePageEncoding()
    {
        QFETCH(QByteArray, page);
        const DecodedPage decoded = decodePage(page);
        const qsizetype markLength = decoded.encoding.hasByteOrderMark() ? 2 : 0;
        TextEditor editor;
        editor.replaceText(decoded.text, decoded.encoding);
        QRandomGenerator random(815);
        const QString pieces[] = {u"a"_s, u"<br>"_s, u"\n"_s, u"д\nд"_s, u"line\n\nmore"_s};
        for (int step = 0; step < 200; ++step) {
            const int length = int(editor.document()->characterCount() - 1);
            QTextCursor cursor(editor.document());
            cursor.setPosition(random.bounded(length + 1));
            if (random.bounded(2)) {
                cursor.insertText(pieces[random.bounded(int(std::size(pieces)))]);
            } else {
                cursor.setPosition(std::min(length, cursor.position() + random.bounded(6)),
                                   QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            }
            QCOMPARE(editor.length(), editor.bytes().size() - markLength);
        }
        editor.setCapacity(editor.length() + 1);
        QVERIFY_THROWS_EXCEPTION(Error, AppendRaw(u"дд"_s, &editor));
    }
};

QTEST_MAIN(TestTextEditor)
#include "tst_text_editor.moc"
