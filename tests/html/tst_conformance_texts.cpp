// Every message the page check can give has German: the rules' keys, the obsolete elements and
// attributes the tables name, and every parse error code of the tokenizer and the tree
// construction, enumerated from their own lists.

#include "html/conformance/conformance_catalog.h"
#include "html/conformance/conformance_texts.h"
#include "html/conformance/rule_keys.h"
#include "html/parser/html_tokenizer.h"
#include "html/parser/tree_construction_errors.h"

#include <QTest>

class ConformanceTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyKeyHasGerman_data();
    void everyKeyHasGerman();
    void argumentsAreFilledOnce();
    void unknownKeyShowsItself();
};

void ConformanceTextsTest::everyKeyHasGerman_data()
{
    QTest::addColumn<QString>("key");
    QStringList keys;
    for (const char *key : conformanceRuleKeys())
        keys.append(QString::fromLatin1(key));
    for (const char *code : HtmlTokenizer::errorCodes())
        keys.append(QString::fromLatin1(code));
    for (const char *code : treeConstructionErrorCodes())
        keys.append(QString::fromLatin1(code));
    keys.append(ConformanceCatalog::instance().textKeys());
    QVERIFY(keys.size() > 200);
    for (const QString &key : std::as_const(keys))
        QTest::newRow(qPrintable(key)) << key;
}

void ConformanceTextsTest::everyKeyHasGerman()
{
    QFETCH(QString, key);
    const QString pattern = ConformanceTexts::pattern(key);
    QVERIFY2(!pattern.isEmpty(), qPrintable(key + QStringLiteral(" has no German text")));
    // A sentence of our own, not the key or an English placeholder.
    QVERIFY(pattern != key);
    QVERIFY(pattern.endsWith(u'.') || pattern.endsWith(u'?'));
}

void ConformanceTextsTest::argumentsAreFilledOnce()
{
    // An attribute value that looks like a placeholder stays as it was typed.
    QCOMPARE(ConformanceTexts::text(QStringLiteral("attribute-not-allowed"), {QStringLiteral("%2"), QStringLiteral("p")}),
             QStringLiteral("Das Attribut „%2“ gibt es an <p> nicht."));
    QCOMPARE(ConformanceTexts::text(QStringLiteral("duplicate-id"), {QStringLiteral("kopf")}),
             QStringLiteral("Die id „kopf“ gibt es schon; jede id darf nur einmal vorkommen."));
}

void ConformanceTextsTest::unknownKeyShowsItself()
{
    QVERIFY(ConformanceTexts::pattern(QStringLiteral("no-such-key")).isNull());
    QCOMPARE(ConformanceTexts::text(QStringLiteral("no-such-key"), {}), QStringLiteral("no-such-key"));
}

QTEST_GUILESS_MAIN(ConformanceTextsTest)
#include "tst_conformance_texts.moc"
