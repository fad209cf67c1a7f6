#include "document/byte_model.h"
#include "document/codepage1252.h"
#include "document/line_breaks.h"
#include "document/text_editor.h"
#include "support/test_support.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestAppendOperations : public QObject
{
    Q_OBJECT

private slots:
    void normalizes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("normalized");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("pair stays") << QByteArray("a\r\nb") << QByteArray("a\r\nb");
        QTest::newRow("lone CR") << QByteArray("a\rb") << QByteArray("a\r\nb");
        QTest::newRow("lone LF") << QByteArray("a\nb") << QByteArray("a\r\nb");
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb");
        QTest::newRow("CR CR LF") << QByteArray("\r\r\n") << QByteArray("\r\n\r\n");
        QTest::newRow("final CR") << QByteArray("x\r") << QByteArray("x\r\n");
        QTest::newRow("only LF") << QByteArray("\n") << QByteArray("\r\n");
        QTest::newRow("high bytes untouched") << QByteArray("\x81\r\xff") << QByteArray("\x81\r\n\xff");
    }
    void normalizes()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, normalized);
        QCOMPARE(normalizeLineBreaks(text), normalized);
    }

    void appends_data()
    {
        QTest::addColumn<QByteArray>("current");
        QTest::addColumn<QByteArray>("s");
        QTest::addColumn<bool>("lines");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<bool>("changes");
        QTest::newRow("raw keeps a lone CR") << QByteArray("a") << QByteArray("<tr>\r") << false
                                             << QByteArray("a<tr>\r") << true;
        QTest::newRow("lines ends in CR LF") << QByteArray("a") << QByteArray("<tr>\r") << true
                                             << QByteArray("a<tr>\r\n") << true;
        QTest::newRow("lines mends the whole text") << QByteArray("x\ny\r") << QByteArray("<p>")
                                                    << true << QByteArray("x\r\ny\r\n<p>") << true;
        QTest::newRow("raw leaves the text alone") << QByteArray("x\ny") << QByteArray("<p>") << false
                                                   << QByteArray("x\ny<p>") << true;
        QTest::newRow("CR appended to a CR") << QByteArray("a\r") << QByteArray("\n") << true
                                             << QByteArray("a\r\n") << true;
        QTest::newRow("raw empty changes nothing") << QByteArray("a\rb") << QByteArray() << false
                                                   << QByteArray("a\rb") << false;
        QTest::newRow("lines empty on normalised") << QByteArray("a\r\nb") << QByteArray() << true
                                                   << QByteArray("a\r\nb") << false;
        QTest::newRow("lines empty on lone LF") << QByteArray("a\nb") << QByteArray() << true
                                                << QByteArray("a\r\nb") << true;
        QTest::newRow("lines onto empty") << QByteArray() << QByteArray("\r<br>") << true
                                          << QByteArray("\r\n<br>") << true;
    }
    void appends()
    {
        QFETCH(QByteArray, current);
        QFETCH(QByteArray, s);
        QFETCH(bool, lines);
        QFETCH(QByteArray, result);
        QFETCH(bool, changes);
        const std::optional<QByteArray> appended = lines ? appendLines(current, s)
                                                         : appendRaw(current, s);
        QCOMPARE(appended.has_value(), changes);
        if (changes)
            QCOMPARE(printable(*appended), printable(result));
        if (lines && normalizeLineBreaks(current) == current) {
            // The editor holds the document as lines, so only a text with paired breaks is one
            // it can hold; after AppendLines its bytes are the model's.
            TextEditor editor;
            editor.replaceText(toEditorLineBreaks(CodePage1252::decode(current)));
            AppendLines(CodePage1252::decode(s), &editor);
            QCOMPARE(printable(editor.bytes()), printable(appended.value_or(current)));
        }
    }

    void editorForm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("editor");
        QTest::newRow("CR") << u"a\rb"_s << u"a\nb"_s;
        QTest::newRow("CR LF") << u"a\r\nb"_s << u"a\nb"_s;
        QTest::newRow("LF CR") << u"a\n\rb"_s << u"a\n\nb"_s;
        QTest::newRow("final CR") << u"<tr>\r"_s << u"<tr>\n"_s;
    }
    void editorForm()
    {
        QFETCH(QString, text);
        QFETCH(QString, editor);
        QCOMPARE(toEditorLineBreaks(text), editor);
    }

    void lineModel_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("empty") << QByteArray() << 0 << QList<QByteArray>{};
        QTest::newRow("one line") << QByteArray("abc") << 1 << QList<QByteArray>{"abc"};
        QTest::newRow("final break does not count")
            << QByteArray("a\r\nb\r\n") << 2 << QList<QByteArray>{"a", "b"};
        QTest::newRow("only a break") << QByteArray("\r\n") << 1 << QList<QByteArray>{""};
        QTest::newRow("blank line inside")
            << QByteArray("a\r\n\r\nb") << 3 << QList<QByteArray>{"a", "", "b"};
        QTest::newRow("lone CR is a character")
            << QByteArray("a\rb\r\nc\n") << 2 << QList<QByteArray>{"a\rb", "c\n"};
    }
    void lineModel()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, count);
        QFETCH(QList<QByteArray>, lines);
        QCOMPARE(LineModel::lineCount(text), count);
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(LineModel::line(text, i).toByteArray(), lines.at(i));
    }
};

QTEST_MAIN(TestAppendOperations)
#include "tst_append_operations.moc"
