#include "elements/folder_entries.h"
#include "foundation/error.h"
#include "platform/volumes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using FolderEntries::FolderEntry;
using FolderEntries::Glyph;
using Platform::Volume;
using Platform::VolumeKind;

namespace {

// One entry as a line: glyph letter (o open, c current, f closed), indent, text, path.
QString describe(const FolderEntry &entry)
{
    const char glyph = entry.glyph == Glyph::OpenFolder      ? 'o'
                       : entry.glyph == Glyph::CurrentFolder ? 'c'
                                                             : 'f';
    return u"%1 %2 %3 %4"_s.arg(QLatin1Char(glyph)).arg(entry.indent).arg(entry.text, entry.path);
}

QStringList describeAll(const QList<FolderEntry> &entries)
{
    QStringList lines;
    for (const FolderEntry &entry : entries)
        lines.append(describe(entry));
    return lines;
}

void makeFile(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

} // namespace

class TestPicturePickerEntries : public QObject
{
    Q_OBJECT

private slots:
    void folderEntries_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("subfolders");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("current");
        QTest::newRow("root") << u"/"_s << QStringList{u"usr"_s, u"home"_s}
                              << QStringList{u"c 2 / /"_s, u"f 10 home /home"_s,
                                             u"f 10 usr /usr"_s}
                              << 0;
        QTest::newRow("root, empty") << u"/"_s << QStringList() << QStringList{u"c 2 / /"_s} << 0;
        QTest::newRow("one down") << u"/home"_s << QStringList{u"anna"_s}
                                  << QStringList{u"o 2 / /"_s, u"c 6 home /home"_s,
                                                 u"f 10 anna /home/anna"_s}
                                  << 1;
        QTest::newRow("nested") << u"/home/anna/Bilder"_s
                                << QStringList{u"zoo"_s, u"Urlaub"_s, u"alt"_s}
                                << QStringList{u"o 2 / /"_s, u"o 6 home /home"_s,
                                               u"o 10 anna /home/anna"_s,
                                               u"c 14 Bilder /home/anna/Bilder"_s,
                                               u"f 18 alt /home/anna/Bilder/alt"_s,
                                               u"f 18 Urlaub /home/anna/Bilder/Urlaub"_s,
                                               u"f 18 zoo /home/anna/Bilder/zoo"_s}
                                << 3;
        QTest::newRow("deep") << u"/a/b/c/d/e/f/g"_s << QStringList{u"h"_s}
                              << QStringList{u"o 2 / /"_s, u"o 6 a /a"_s, u"o 10 b /a/b"_s,
                                             u"o 14 c /a/b/c"_s, u"o 18 d /a/b/c/d"_s,
                                             u"o 22 e /a/b/c/d/e"_s, u"o 26 f /a/b/c/d/e/f"_s,
                                             u"c 30 g /a/b/c/d/e/f/g"_s,
                                             u"f 34 h /a/b/c/d/e/f/g/h"_s}
                              << 7;
        QTest::newRow("blanks and dots in names")
            << u"/mnt/Meine Bilder"_s << QStringList{u"2024.01 Urlaub"_s}
            << QStringList{u"o 2 / /"_s, u"o 6 mnt /mnt"_s,
                           u"c 10 Meine Bilder /mnt/Meine Bilder"_s,
                           u"f 14 2024.01 Urlaub /mnt/Meine Bilder/2024.01 Urlaub"_s}
            << 2;
    }
    void folderEntries()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, subfolders);
        QFETCH(QStringList, entries);
        QFETCH(int, current);
        const QList<FolderEntry> built = FolderEntries::folderEntries(folder, subfolders);
        QCOMPARE(describeAll(built), entries);
        QCOMPARE(FolderEntries::currentEntry(built), current);
    }

    void namesSortWithoutRegardToCase()
    {
        QStringList names{u"b.gif"_s, u"Z.gif"_s, u"a2.jpg"_s, u"A.jpg"_s, u"Ärger.jpg"_s,
                          u"a.jpg"_s};
        FolderEntries::sortNames(names);
        QCOMPARE(names, (QStringList{u"A.jpg"_s, u"a.jpg"_s, u"a2.jpg"_s, u"Ärger.jpg"_s,
                                     u"b.gif"_s, u"Z.gif"_s}));
    }

    void fileEntries_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("picture mask")
            << u"*.jpg;*.gif"_s
            << QStringList{u"a.jpg"_s, u"b.gif"_s, u"FOTO.JPG"_s, u"Urlaub 1.jpg"_s,
                           u"zebra.GIF"_s};
        QTest::newRow("names") << u"a.jpg;b.gif"_s << QStringList{u"a.jpg"_s, u"b.gif"_s};
        QTest::newRow("blank kept") << u"a.jpg; b.gif"_s << QStringList{u"a.jpg"_s};
        QTest::newRow("blank kept at the end") << u"a.jpg ;b.gif"_s << QStringList{u"b.gif"_s};
        QTest::newRow("nothing matches") << u"*.png;*.bmp"_s << QStringList();
        QTest::newRow("empty patterns") << u";;"_s << QStringList();
    }
    void fileEntries()
    {
        QFETCH(QString, mask);
        QFETCH(QStringList, entries);
        QTemporaryDir dir;
        for (const char *name : {"zebra.GIF", "FOTO.JPG", "b.gif", "a.jpg", "Urlaub 1.jpg",
                                 "notiz.txt", ".vorschau.jpg", "bild.jpeg"})
            makeFile(dir.filePath(QString::fromUtf8(name)));
        QVERIFY(QDir(dir.path()).mkpath(u"ordner.jpg/innen.jpg"_s));
        QVERIFY(QDir(dir.path()).mkpath(u".versteckt"_s));
        makeFile(dir.filePath(u".versteckt/drin.jpg"_s));
        QCOMPARE(FolderEntries::fileEntries(dir.path(), mask), entries);
    }

    void busyPointerFromTheHundredthEntry_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("calls");
        QTest::newRow("100") << 100 << 0;
        QTest::newRow("101") << 101 << 1;
        QTest::newRow("250") << 250 << 1;
    }
    void busyPointerFromTheHundredthEntry()
    {
        QFETCH(int, files);
        QFETCH(int, calls);
        QTemporaryDir dir;
        // Split over both patterns: the count runs across them.
        for (int i = 0; i < files; ++i)
            makeFile(dir.filePath(u"p%1.%2"_s.arg(i).arg(i % 2 ? u"gif"_s : u"jpg"_s)));
        int called = 0;
        const QStringList names =
            FolderEntries::fileEntries(dir.path(), u"*.jpg;*.gif"_s, [&called] { ++called; });
        QCOMPARE(names.size(), files);
        QCOMPARE(called, calls);
    }

    void missingFolderIsNotFound()
    {
        QTemporaryDir dir;
        QString message;
        try {
            FolderEntries::fileEntries(dir.filePath(u"weg"_s), u"*.jpg"_s);
        } catch (const Error &error) {
            message = error.message();
        }
        QCOMPARE(message, u"File not found"_s);
    }

    void driveEntries_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("networkName");
        QTest::addColumn<QString>("text");
        QTest::newRow("fixed") << int(VolumeKind::Fixed) << u"System"_s << QString()
                               << u"/mnt/disk [system]"_s;
        QTest::newRow("fixed, no label") << int(VolumeKind::Fixed) << QString() << QString()
                                         << u"/mnt/disk []"_s;
        QTest::newRow("removable shows no label") << int(VolumeKind::Removable) << u"USB"_s
                                                  << QString() << u"/mnt/disk"_s;
        QTest::newRow("network") << int(VolumeKind::Network) << u"Share"_s << u"//Server/Bilder"_s
                                 << u"/mnt/disk //server/bilder"_s;
        QTest::newRow("network without name") << int(VolumeKind::Network) << u"Share"_s
                                              << QString() << u"/mnt/disk [share]"_s;
        QTest::newRow("cd") << int(VolumeKind::CdRom) << u"FOTOS_2024"_s << QString()
                            << u"/mnt/disk [fotos_2024]"_s;
        QTest::newRow("ram disk") << int(VolumeKind::RamDisk) << QString() << QString()
                                  << u"/mnt/disk []"_s;
    }
    void driveEntries()
    {
        QFETCH(int, kind);
        QFETCH(QString, label);
        QFETCH(QString, networkName);
        QFETCH(QString, text);
        const Volume volume{u"/mnt/disk"_s, VolumeKind(kind), label, networkName, 1};
        QCOMPARE(FolderEntries::driveEntryText(volume), text);
    }
};

QTEST_GUILESS_MAIN(TestPicturePickerEntries)
#include "tst_picture_picker_entries.moc"
