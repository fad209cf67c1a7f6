// The stack of open elements answers its scope questions from bookkeeping; here every answer is
// checked against the standard's own definition, a walk down the stack, over long random runs of
// pushes, pops and the changes in the middle that the adoption agency makes.

#include "html/parser/open_elements.h"

#include <QRandomGenerator>
#include <QtTest>

#include <deque>
#include <vector>

namespace {

using Boundary = OpenElements::Boundary;

// The standard's definition: from the current node down, the target ends the walk with "yes",
// a boundary of the scope with "no".
bool walkInScope(const std::vector<ParserElement *> &stack, int tag, Boundary scope)
{
    const unsigned flag = 1u << int(scope);
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        if ((*it)->tag == tag)
            return true;
        if (tagFlags((*it)->tag) & flag)
            return false;
    }
    return false;
}

int walkBoundary(const std::vector<ParserElement *> &stack, int index, Boundary kind)
{
    for (int i = index; i >= 0; --i) {
        if (tagFlags(stack[size_t(i)]->tag) & (1u << int(kind)))
            return i;
    }
    return -1;
}

int walkTopIndex(const std::vector<ParserElement *> &stack, int tag)
{
    for (int i = int(stack.size()) - 1; i >= 0; --i) {
        if (stack[size_t(i)]->tag == tag)
            return i;
    }
    return -1;
}

// Names the runs draw from: boundaries of every kind, ordinary elements, special ones, foreign
// integration points and a name the parser numbered on the way.
const int tags[] = {Tag::Html, Tag::Body, Tag::Div, Tag::P, Tag::Span, Tag::Table, Tag::Td,
                    Tag::Template, Tag::Button, Tag::Ul, Tag::Li, Tag::Dd, Tag::Address,
                    Tag::Select, Tag::B, Tag::Tr, Tag::MathMi, Tag::SvgForeignObject,
                    Tag::KnownCount + 3};

} // namespace

class TestOpenElements : public QObject
{
    Q_OBJECT

private slots:
    void answersAsTheWalkDoes_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 42u, 4711u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }

    void answersAsTheWalkDoes()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        std::deque<ParserElement> elements;
        std::vector<ParserElement *> reference;
        OpenElements stack;
        const auto make = [&] {
            ParserElement &element = elements.emplace_back();
            element.tag = tags[random.bounded(int(std::size(tags)))];
            return &element;
        };
        for (int step = 0; step < 3000; ++step) {
            const int size = int(reference.size());
            const int action = random.bounded(10);
            if (action < 5 || size < 2) {
                ParserElement *element = make();
                stack.push(element);
                reference.push_back(element);
            } else if (action < 7) {
                QCOMPARE(stack.pop(), reference.back());
                reference.pop_back();
            } else if (action == 7) {
                const int index = random.bounded(size);
                stack.removeAt(index);
                reference.erase(reference.begin() + index);
            } else if (action == 8) {
                const int index = random.bounded(size + 1);
                ParserElement *element = make();
                stack.insertAt(index, element);
                reference.insert(reference.begin() + index, element);
            } else {
                const int index = random.bounded(size);
                ParserElement *element = make();
                QCOMPARE(reference[size_t(index)]->stackIndex, index);
                stack.replaceAt(index, element);
                QCOMPARE(reference[size_t(index)]->stackIndex, -1);
                reference[size_t(index)] = element;
            }

            QCOMPARE(stack.size(), int(reference.size()));
            for (int i = 0; i < stack.size(); ++i) {
                QCOMPARE(stack.at(i), reference[size_t(i)]);
                QCOMPARE(stack.at(i)->stackIndex, i);
            }
            for (int tag : tags) {
                QCOMPARE(stack.topIndexOf(tag), walkTopIndex(reference, tag));
                for (Boundary scope : {Boundary::DefaultScope, Boundary::ListItemScope,
                                       Boundary::ButtonScope, Boundary::TableScope})
                    QCOMPARE(stack.inScope(tag, scope), walkInScope(reference, tag, scope));
            }
            const int top = stack.size() - 1;
            for (Boundary kind : {Boundary::Special, Boundary::SpecialForItems, Boundary::ModeDecider})
                QCOMPARE(stack.boundaryAtOrBelow(top, kind), walkBoundary(reference, top, kind));
            if (!reference.empty()) {
                const ParserElement *some = reference[size_t(random.bounded(int(reference.size())))];
                QCOMPARE(stack.inScope(some, Boundary::DefaultScope),
                         walkBoundary(reference, top, Boundary::DefaultScope) <= some->stackIndex);
            }
        }
    }

    // Elements taken off the stack say so, which the adoption agency and reconstruction rely on.
    void poppedElementsKnowTheyAreClosed()
    {
        ParserElement html{nullptr, Tag::Html}, body{nullptr, Tag::Body}, div{nullptr, Tag::Div};
        OpenElements stack;
        stack.push(&html);
        stack.push(&body);
        stack.push(&div);
        QCOMPARE(div.stackIndex, 2);
        stack.removeAt(1);
        QCOMPARE(body.stackIndex, -1);
        QCOMPARE(div.stackIndex, 1);
        QVERIFY(!stack.contains(Tag::Body));
        stack.pop();
        QCOMPARE(div.stackIndex, -1);
        QVERIFY(!stack.inScope(&div, Boundary::DefaultScope));
    }
};

QTEST_GUILESS_MAIN(TestOpenElements)
#include "tst_open_elements.moc"
