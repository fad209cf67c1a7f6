// The list of active formatting elements: at most three equal entries after the last marker
// (equal meaning the same name and the same attributes in any order), markers that end the
// search and the clearing, and the counts that spare the search staying right.

#include "html/parser/active_formatting_elements.h"
#include "html/parser/open_elements.h"

#include <QtTest>

#include <deque>

using namespace Qt::StringLiterals;

namespace {

HtmlAttribute attribute(const QString &name, const QString &value)
{
    HtmlAttribute result;
    result.name = name;
    result.value = value;
    return result;
}

class Fixture
{
public:
    ParserElement *push(int tag, const QList<HtmlAttribute> &attributes = {})
    {
        ParserElement &element = m_elements.emplace_back();
        element.tag = tag;
        list.push(&element, u"x"_s, attributes);
        return &element;
    }

    ActiveFormattingElements list;

private:
    std::deque<ParserElement> m_elements;
};

} // namespace

class TestActiveFormattingElements : public QObject
{
    Q_OBJECT

private slots:
    void keepsThreeEqualEntries()
    {
        Fixture f;
        const QList<HtmlAttribute> ab{attribute(u"a"_s, u"1"_s), attribute(u"b"_s, u"2"_s)};
        const QList<HtmlAttribute> ba{attribute(u"b"_s, u"2"_s), attribute(u"a"_s, u"1"_s)};
        ParserElement *first = f.push(Tag::B, ab);
        ParserElement *second = f.push(Tag::B, ba);
        f.push(Tag::B, {attribute(u"a"_s, u"1"_s)}); // other attributes: not equal
        f.push(Tag::I, ab);                           // other name: not equal
        f.push(Tag::B, ab);
        QCOMPARE(f.list.size(), 5);
        QVERIFY(first->inFormattingList);
        f.push(Tag::B, ba); // the fourth equal one drops the earliest
        QCOMPARE(f.list.size(), 5);
        QVERIFY(!first->inFormattingList);
        QCOMPARE(f.list.indexOf(first), -1);
        QCOMPARE(f.list.indexOf(second), 0);
    }

    void markerSeparatesEqualEntries()
    {
        Fixture f;
        ParserElement *before = f.push(Tag::B);
        f.push(Tag::B);
        f.push(Tag::B);
        f.list.pushMarker();
        f.push(Tag::B);
        f.push(Tag::B);
        f.push(Tag::B);
        QVERIFY(before->inFormattingList); // the three after the marker count on their own
        QCOMPARE(f.list.size(), 7);
        f.push(Tag::B);
        QVERIFY(before->inFormattingList);
        QCOMPARE(f.list.size(), 7);
    }

    void searchStopsAtMarker()
    {
        Fixture f;
        ParserElement *outer = f.push(Tag::A);
        f.list.pushMarker();
        QCOMPARE(f.list.lastIndexAfterMarker(Tag::A), -1);
        ParserElement *inner = f.push(Tag::A);
        f.push(Tag::B);
        QCOMPARE(f.list.lastIndexAfterMarker(Tag::A), f.list.indexOf(inner));
        f.list.clearToLastMarker();
        QVERIFY(!inner->inFormattingList);
        QCOMPARE(f.list.size(), 1);
        QCOMPARE(f.list.lastIndexAfterMarker(Tag::A), f.list.indexOf(outer));
    }

    void replacedAndMovedEntriesKeepTheirCounts()
    {
        Fixture f;
        ParserElement *old = f.push(Tag::U);
        ParserElement replacement{nullptr, Tag::U};
        f.list.replaceElement(0, &replacement);
        QVERIFY(!old->inFormattingList);
        QVERIFY(replacement.inFormattingList);
        ActiveFormattingElements::Entry entry = f.list.at(0);
        f.list.removeAt(0);
        QCOMPARE(f.list.lastIndexAfterMarker(Tag::U), -1);
        f.list.pushMarker();
        f.list.insertAt(1, entry);
        QCOMPARE(f.list.lastIndexAfterMarker(Tag::U), 1);
        QVERIFY(replacement.inFormattingList);
    }
};

QTEST_GUILESS_MAIN(TestActiveFormattingElements)
#include "tst_active_formatting_elements.moc"
