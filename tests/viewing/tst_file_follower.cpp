#include "viewing/file_follower.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestFileFollower : public QObject
{
    Q_OBJECT

private slots:
    // Typing rewrites the file every few milliseconds; the news must still come while it goes on.
    void steadyWritesAreReportedWhileTheyGoOn()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"look.html"_s);
        writeFile(path, "a");
        FileFollower follower;
        follower.follow(path);
        QSignalSpy changes(&follower, &FileFollower::changed);
        QElapsedTimer writing;
        writing.start();
        for (int i = 0; writing.elapsed() < 1000; ++i) {
            writeFile(path, QByteArray::number(i));
            QTest::qWait(15);
        }
        QVERIFY2(changes.size() >= 2, qPrintable(QString::number(changes.size())));
        const qsizetype during = changes.size();
        writeFile(path, "the last");
        QTRY_VERIFY_WITH_TIMEOUT(changes.size() > during, 500);
    }
};

QTEST_GUILESS_MAIN(TestFileFollower)
#include "tst_file_follower.moc"
