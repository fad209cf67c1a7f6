// The page check against the standard validator, on the validator's own conformance pages
// (tests/data/conformance, with what the validator reports on each in truth.json): how often
// the verdicts agree (any Fehler or not against any error or not), and whether a message of
// ours stands on the lines the validator marks.

#include "html/conformance/page_conformance.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>

namespace {

struct Finding
{
    bool error;
    int firstLine;
    int lastLine;
};

QString dataFolder()
{
    return QStringLiteral(TAGSCHMIED_CONFORMANCE_DATA);
}

QHash<QString, QList<Finding>> readTruth()
{
    QFile file(dataFolder() + QStringLiteral("/truth.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QHash<QString, QList<Finding>> truth;
    const QJsonObject pages = QJsonDocument::fromJson(file.readAll()).object();
    for (auto page = pages.begin(); page != pages.end(); ++page) {
        QList<Finding> findings;
        for (const QJsonValue &entry : page.value().toArray()) {
            const QJsonArray fields = entry.toArray();
            findings.append({fields[0].toString() == u"error", fields[1].toInt(), fields[2].toInt()});
        }
        truth.insert(page.key(), findings);
    }
    return truth;
}

bool covers(const Finding &finding, int line)
{
    return line >= finding.firstLine && line <= finding.lastLine;
}

bool isPresentationalWarning(const CheckMessage &message)
{
    return message.level == CheckLevel::Warning
        && (message.key.startsWith(u"obsolete-element-") || message.key.startsWith(u"obsolete-attribute-"));
}

double percent(qsizetype part, qsizetype whole)
{
    return whole ? 100.0 * double(part) / double(whole) : 100.0;
}

} // namespace

class ConformanceCorpusTest : public QObject
{
    Q_OBJECT

private slots:
    void verdictsAgreeWithTheValidator();
};

void ConformanceCorpusTest::verdictsAgreeWithTheValidator()
{
    const QHash<QString, QList<Finding>> truth = readTruth();
    QVERIFY2(truth.size() > 200, "tests/data/conformance/truth.json is missing or short");

    int agreeing = 0;
    int warnedInstead = 0; // the validator's errors that are our Warnungen for old presentational markup
    qsizetype validatorLines = 0, validatorLinesMarked = 0;
    qsizetype ourLines = 0, ourLinesConfirmed = 0;
    QStringList disagreements;
    QStringList pages = truth.keys();
    pages.sort();
    for (const QString &path : std::as_const(pages)) {
        QFile file(dataFolder() + u'/' + path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QString page = QString::fromUtf8(file.readAll());
        const QList<CheckMessage> messages = checkPage(page);
        const QList<Finding> &theirs = truth[path];

        const bool validatorError = std::any_of(theirs.cbegin(), theirs.cend(), [](const Finding &f) { return f.error; });
        const bool ourError = std::any_of(messages.cbegin(), messages.cend(),
                                          [](const CheckMessage &m) { return m.level == CheckLevel::Error; });
        if (validatorError == ourError) {
            ++agreeing;
        } else {
            const bool onlyPresentational = validatorError && std::all_of(theirs.cbegin(), theirs.cend(), [&](const Finding &f) {
                return !f.error || std::any_of(messages.cbegin(), messages.cend(), [&](const CheckMessage &m) {
                    return isPresentationalWarning(m) && covers(f, m.line);
                });
            });
            warnedInstead += onlyPresentational;
            disagreements.append(QStringLiteral("%1 (validator: %2, ours: %3%4)")
                                     .arg(path, validatorError ? QStringLiteral("error") : QStringLiteral("none"),
                                          ourError ? QStringLiteral("Fehler") : QStringLiteral("none"),
                                          onlyPresentational ? QStringLiteral(", old presentational markup") : QString()));
        }

        QSet<int> seen;
        for (const Finding &finding : theirs) {
            if (!finding.error || seen.contains(finding.firstLine))
                continue;
            seen.insert(finding.firstLine);
            ++validatorLines;
            validatorLinesMarked += std::any_of(messages.cbegin(), messages.cend(),
                                                [&](const CheckMessage &m) { return covers(finding, m.line); });
        }
        QSet<int> ours;
        for (const CheckMessage &message : messages) {
            if (message.level == CheckLevel::Hint || ours.contains(message.line))
                continue;
            ours.insert(message.line);
            ++ourLines;
            ourLinesConfirmed += std::any_of(theirs.cbegin(), theirs.cend(),
                                             [&](const Finding &f) { return covers(f, message.line); });
        }
    }

    const double agreement = percent(agreeing, pages.size());
    qInfo("Verdict agrees on %d of %lld pages: %.1f%%", agreeing, qlonglong(pages.size()), agreement);
    qInfo("Old presentational markup, an error to the validator and a Warnung here: %d pages "
          "(%.1f%% if counted as agreeing)",
          warnedInstead, percent(agreeing + warnedInstead, pages.size()));
    qInfo("The validator's error lines with a message of ours: %lld of %lld (%.1f%%)",
          qlonglong(validatorLinesMarked), qlonglong(validatorLines), percent(validatorLinesMarked, validatorLines));
    qInfo("Our Fehler and Warnung lines the validator confirms: %lld of %lld (%.1f%%)",
          qlonglong(ourLinesConfirmed), qlonglong(ourLines), percent(ourLinesConfirmed, ourLines));
    for (const QString &disagreement : std::as_const(disagreements))
        qInfo("  differs: %s", qPrintable(disagreement));
    QVERIFY2(agreement >= 95.0, qPrintable(QStringLiteral("verdict agreement %1% is below 95%").arg(agreement)));
}

QTEST_GUILESS_MAIN(ConformanceCorpusTest)
#include "tst_conformance_corpus.moc"
