#include "app/main_window.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

// Files users throw at the editor: each gives the program's message or works; nothing crashes,
// hangs, or damages a file that was there.
class TestFileFaults : public QObject
{
    Q_OBJECT

private:
    static Form1 *form1() { return windows().form1; }

    static void open(ProgramFixture &program, const QString &path)
    {
        program.fileAnswers.push_back(ProgramFixture::choose(path));
        form1()->Button2->click();
    }
    static void save(ProgramFixture &program, const QString &path)
    {
        program.fileAnswers.push_back(ProgramFixture::choose(path));
        form1()->Button3->click();
        form1()->Timer1.stop();
        form1()->Timer2.stop();
    }

private slots:
    void bigAndStrangeFilesRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QByteArray every;
        for (int i = 0; i < 4096; ++i)
            every.append(char(i % 256 == '\r' || i % 256 == '\n' ? 'x' : i % 256));
        QTest::newRow("binary with NUL bytes") << every;
        QTest::newRow("a line of a million characters") << QByteArray(1'000'000, 'a') + "\r\nend";
        QByteArray big;
        const QByteArray line = "<tr><td>Eine Zeile einer groszen Seite</td></tr>\r\n";
        while (big.size() < 50 * 1024 * 1024)
            big += line;
        QTest::newRow("a 50 MiB page") << big;
    }
    void bigAndStrangeFilesRoundTrip()
    {
        QFETCH(QByteArray, contents);
        ProgramFixture program;
        program.write(u"in.html"_s, contents);
        open(program, program.path(u"in.html"_s));
        QCOMPARE(program.errors, QStringList());
        QVERIFY(form1()->HPQT->bytes() == contents);
        QVERIFY(program.read(u"look.html"_s) == contents);
        save(program, program.path(u"out.html"_s));
        QCOMPARE(program.errors, QStringList());
        QVERIFY(program.read(u"out.html"_s) == contents);
    }

    void fileVanishingBeforeItIsRead()
    {
        ProgramFixture program;
        program.write(u"gone.html"_s, "x");
        const QString path = program.path(u"gone.html"_s);
        program.fileAnswers.push_back([path](FileDialog &dialog) {
            dialog.setFileName(path);
            QFile::remove(path);
            return true;
        });
        form1()->Button2->click();
        QCOMPARE(program.errors, QStringList{u"Cannot open file %1."_s.arg(path)});
        QCOMPARE(form1()->HPQT->bytes(), QByteArray());
    }

    void openingAFolder()
    {
        ProgramFixture program;
        QDir().mkpath(program.path(u"folder"_s));
        open(program, program.path(u"folder"_s));
        QCOMPARE(program.errors.size(), 1);
        QVERIFY(program.errors.constFirst().startsWith(u"Cannot open file "_s));
    }

    void savingOverAFolderKeepsIt()
    {
        ProgramFixture program;
        QDir().mkpath(program.path(u"folder/inside"_s));
        form1()->HPQT->insertPlainText(u"text"_s);
        save(program, program.path(u"folder"_s));
        QCOMPARE(program.errors, QStringList{u"Cannot create file %1."_s.arg(program.path(u"folder"_s))});
        QVERIFY(QDir(program.path(u"folder/inside"_s)).exists());
    }

    void savingThroughALinkKeepsTheLink()
    {
        ProgramFixture program;
        program.write(u"real.html"_s, "old");
        QVERIFY(QFile::link(program.path(u"real.html"_s), program.path(u"link.html"_s)));
        form1()->HPQT->insertPlainText(u"new"_s);
        save(program, program.path(u"link.html"_s));
        QCOMPARE(program.errors, QStringList());
        QVERIFY(QFileInfo(program.path(u"link.html"_s)).isSymLink());
        QCOMPARE(program.read(u"real.html"_s), QByteArray("new"));
    }

    void savingToADeviceWritesIntoIt()
    {
        ProgramFixture program;
        form1()->HPQT->insertPlainText(u"nothing to keep"_s);
        save(program, u"/dev/null"_s);
        QCOMPARE(program.errors, QStringList());
        QVERIFY(QFileInfo(u"/dev/null"_s).exists() && !QFileInfo(u"/dev/null"_s).isFile());
        save(program, u"/dev/full"_s);
        QCOMPARE(program.errors, QStringList{u"Cannot create file /dev/full."_s});
        QVERIFY(!QFileInfo(u"/dev/full"_s).isFile());
    }

    void fullDiskKeepsTheOldFile()
    {
        if (geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        ProgramFixture program;
        const QString disk = program.path(u"disk"_s);
        QDir().mkpath(disk);
        if (QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s,
                                           u"tmpfs"_s, disk}) != 0)
            QSKIP("this machine does not let a test mount a file system");
        const auto unmount = qScopeGuard([&] {
            QDir::setCurrent(program.path(QString()));
            if (QProcess::execute(u"umount"_s, {disk}) != 0)
                QProcess::execute(u"umount"_s, {u"-l"_s, disk});
        });
        program.write(u"disk/page.html"_s, "the old page");
        form1()->HPQT->insertPlainText(QString(200 * 1024, u'x'));
        save(program, disk + u"/page.html"_s);
        QCOMPARE(program.errors, QStringList{u"Cannot create file %1/page.html."_s.arg(disk)});
        QCOMPARE(program.read(u"disk/page.html"_s), QByteArray("the old page"));
        QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{u"page.html"_s});

        // look.html in a full folder: the program says so and goes on.
        QDir::setCurrent(disk);
        program.errors.clear();
        QTest::keyClicks(form1()->HPQT, u"y"_s);
        QCOMPARE(program.errors.size(), 1);
        QCOMPARE(form1()->HPQT->length(), 200 * 1024 + 1);
    }

    void folderWithoutWriteAccess()
    {
        ProgramFixture program;
        const QString locked = program.path(u"locked"_s);
        QDir().mkpath(locked);
        program.write(u"locked/page.html"_s, "old");
        bool lockedForRoot = false;
        if (geteuid() == 0) {
            lockedForRoot = QProcess::execute(u"chattr"_s, {u"+i"_s, locked}) == 0;
            if (!lockedForRoot)
                QSKIP("chattr is not available to make a folder unwritable for root");
        } else {
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        }
        const auto unlock = qScopeGuard([&] {
            if (lockedForRoot)
                QProcess::execute(u"chattr"_s, {u"-i"_s, locked});
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        form1()->HPQT->insertPlainText(u"new"_s);
        save(program, locked + u"/other.html"_s);
        QCOMPARE(program.errors, QStringList{u"Cannot create file %1/other.html."_s.arg(locked)});
        // The page that is there can still be written in place, as the user may expect.
        program.errors.clear();
        save(program, locked + u"/page.html"_s);
        QCOMPARE(program.errors, QStringList());
        QCOMPARE(program.read(u"locked/page.html"_s), QByteArray("new"));
    }
};

QTEST_MAIN(TestFileFaults)
#include "tst_file_faults.moc"
