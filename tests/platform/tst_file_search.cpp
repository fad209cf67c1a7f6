#include "foundation/error.h"
#include "platform/file_search.h"
#include "platform/io_errors.h"
#include "platform/working_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void makeFile(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

QStringList sorted(QStringList names)
{
    std::sort(names.begin(), names.end());
    return names;
}

QString thrownMessage(const std::function<void()> &work)
{
    try {
        work();
    } catch (const Error &error) {
        return error.message();
    }
    return {};
}

// A folder with one of every kind of entry the searches must tell apart.
class Tree
{
public:
    Tree()
    {
        const QString d = dir.path();
        for (const char *name : {"a.jpg", "FOTO.JPG", "b.gif", "c.png", ".hidden.jpg", " d.jpg"})
            makeFile(d + u'/' + QLatin1StringView(name));
        QDir(d).mkdir(u"folder.jpg"_s);
        QDir(d).mkdir(u"Bilder"_s);
        QDir(d).mkdir(u".versteckt"_s);
        ::mkfifo(QFile::encodeName(d + u"/pipe.jpg"_s).constData(), 0600);
        QFile::link(d + u"/a.jpg"_s, d + u"/link.jpg"_s);
        QFile::link(d + u"/nowhere"_s, d + u"/dangling.jpg"_s);
        QFile::link(d + u"/Bilder"_s, d + u"/linked folder"_s);
    }
    QTemporaryDir dir;
};

} // namespace

class TestFileSearch : public QObject
{
    Q_OBJECT

private slots:
    void wildcard_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        QTest::newRow("capital extension") << u"FOTO.JPG"_s << u"*.jpg"_s << true;
        QTest::newRow("capital pattern") << u"foto.jpg"_s << u"*.JPG"_s << true;
        QTest::newRow("umlaut either case") << u"Ärger.jpg"_s << u"ä*"_s << true;
        QTest::newRow("longer extension") << u"foto.jpeg"_s << u"*.jpg"_s << false;
        QTest::newRow("extension not at the end") << u"x.jpg.txt"_s << u"*.jpg"_s << false;
        QTest::newRow("leading blank kept") << u"b.gif"_s << u" *.gif"_s << false;
        QTest::newRow("leading blank matched") << u" b.gif"_s << u" *.gif"_s << true;
        QTest::newRow("question mark is one") << u"abc"_s << u"a?c"_s << true;
        QTest::newRow("question mark not none") << u"ac"_s << u"a?c"_s << false;
        QTest::newRow("star may be empty") << u".jpg"_s << u"*.jpg"_s << true;
        QTest::newRow("backtracking") << u"mississippi.gif"_s << u"*sip*.gif"_s << true;
        QTest::newRow("backtracking fails") << u"mississippi.gif"_s << u"*sipx*.gif"_s << false;
        QTest::newRow("semicolon is literal") << u"a.jpg"_s << u"*.jpg;*.gif"_s << false;
        QTest::newRow("empty pattern") << u"a"_s << QString() << false;
        QTest::newRow("brackets literal") << u"[1].jpg"_s << u"[1].jpg"_s << true;
    }
    void wildcard()
    {
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(Platform::matchesWildcard(name, pattern), matches);
    }

    void filesLeaveOutFoldersHiddenAndSystemEntries_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("jpg") << u"*.jpg"_s
                             << QStringList{u" d.jpg"_s, u"FOTO.JPG"_s, u"a.jpg"_s, u"link.jpg"_s};
        QTest::newRow("gif") << u"*.gif"_s << QStringList{u"b.gif"_s};
        QTest::newRow("one name") << u"A.JPG"_s << QStringList{u"a.jpg"_s};
        QTest::newRow("everything") << u"*"_s
                                    << QStringList{u" d.jpg"_s, u"FOTO.JPG"_s, u"a.jpg"_s,
                                                   u"b.gif"_s, u"c.png"_s, u"link.jpg"_s};
    }
    void filesLeaveOutFoldersHiddenAndSystemEntries()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, found);
        Tree tree;
        QStringList names;
        Platform::findFiles(tree.dir.path(), pattern,
                            [&names](const QString &name) { names.append(name); });
        QCOMPARE(sorted(names), found);
    }

    void subfoldersLeaveOutHiddenOnes()
    {
        Tree tree;
        QCOMPARE(sorted(Platform::findSubfolders(tree.dir.path())),
                 (QStringList{u"Bilder"_s, u"folder.jpg"_s, u"linked folder"_s}));
    }

    void unreadableFolderGivesItsMessage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << u"gone"_s << u"File not found"_s;
        QTest::newRow("a file") << u"a.jpg"_s << u"Invalid filename"_s;
    }
    void unreadableFolderGivesItsMessage()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        Tree tree;
        const QString path = tree.dir.filePath(name);
        QCOMPARE(thrownMessage([&] { Platform::findSubfolders(path); }), message);
        QCOMPARE(thrownMessage([&] { Platform::findFiles(path, u"*"_s, [](const QString &) {}); }),
                 message);

        const QString before = Platform::currentFolder();
        QCOMPARE(thrownMessage([&] { Platform::changeFolder(path); }), message);
        QCOMPARE(Platform::currentFolder(), before);
    }

    void errorMessages_data()
    {
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<QString>("message");
        QTest::newRow("ENOENT") << ENOENT << u"File not found"_s;
        QTest::newRow("ENOTDIR") << ENOTDIR << u"Invalid filename"_s;
        QTest::newRow("EMFILE") << EMFILE << u"Too many open files"_s;
        QTest::newRow("ENFILE") << ENFILE << u"Too many open files"_s;
        QTest::newRow("EACCES") << EACCES << u"File access denied"_s;
        QTest::newRow("EPERM") << EPERM << u"File access denied"_s;
        // The numbers are this platform's: 5 is an input/output error here, not access.
        QTest::newRow("EIO") << EIO << u"I/O error 5"_s;
        QTest::newRow("ELOOP") << ELOOP << u"I/O error %1"_s.arg(ELOOP);
        QTest::newRow("ENOMEDIUM") << ENOMEDIUM << u"I/O error %1"_s.arg(ENOMEDIUM);
    }
    void errorMessages()
    {
        QFETCH(int, errorNumber);
        QFETCH(QString, message);
        QCOMPARE(Platform::ioErrorMessage(errorNumber), message);
    }

    void workingFolderFollowsAndReportsFullPath()
    {
        Tree tree;
        const QString before = Platform::currentFolder();
        QCOMPARE(Platform::setCurrentFolder(tree.dir.filePath(u"Bilder"_s)), 0);
        QCOMPARE(Platform::currentFolder(), QDir(tree.dir.path()).canonicalPath() + u"/Bilder"_s);
        QCOMPARE(QDir::currentPath(), Platform::currentFolder());
        QCOMPARE(Platform::setCurrentFolder(u".."_s), 0);
        QCOMPARE(Platform::currentFolder(), QDir(tree.dir.path()).canonicalPath());
        QCOMPARE(Platform::setCurrentFolder(QString()), ENOENT);
        QCOMPARE(Platform::setCurrentFolder(before), 0);
    }
};

QTEST_GUILESS_MAIN(TestFileSearch)
#include "tst_file_search.moc"
