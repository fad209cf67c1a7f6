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
        QTRY_COMPARE_WITH_TIMEOUT(changes.size(), during + 1, 500); // the last write
    }

    void missingFileIsFollowedWhenItComesBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"seite.html"_s);
        FileFollower follower;
        follower.follow(path);
        QSignalSpy changes(&follower, &FileFollower::changed);
        writeFile(dir.filePath(u"andere.html"_s), "x"); // the folder's other files are no news
        QVERIFY(!changes.wait(300));
        writeFile(path, "da");
        QVERIFY(changes.wait(1000));
        QVERIFY(QFile::remove(path));
        QVERIFY(!changes.wait(300));
        writeFile(path, "wieder da");
        QVERIFY(changes.wait(1000));

        follower.stop();
        writeFile(path, "nach dem Ende");
        QVERIFY(!changes.wait(300));
    }
};

QTEST_GUILESS_MAIN(TestFileFollower)
#include "tst_file_follower.moc"
