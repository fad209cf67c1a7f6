#include "foundation/error.h"
#include "platform/volumes.h"
#include "platform/working_folder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using Platform::Volume;
using Platform::VolumeKind;

Q_DECLARE_METATYPE(Platform::VolumeKind)

namespace {

quint64 deviceOf(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_dev : 0;
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

// Restores the working folder a test moves.
struct WorkingFolderGuard
{
    QString folder = Platform::currentFolder();
    ~WorkingFolderGuard() { Platform::setCurrentFolder(folder); }
};

} // namespace

class TestVolumes : public QObject
{
    Q_OBJECT

private slots:
    void kinds_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("removable");
        QTest::addColumn<VolumeKind>("kind");
        QTest::newRow("ext4 disk") << u"ext4"_s << u"/dev/sda1"_s << false << VolumeKind::Fixed;
        QTest::newRow("overlay root") << u"overlay"_s << u"overlay"_s << false << VolumeKind::Fixed;
        QTest::newRow("usb stick") << u"vfat"_s << u"/dev/sdb1"_s << true << VolumeKind::Removable;
        QTest::newRow("cifs share") << u"cifs"_s << u"//server/Bilder"_s << false
                                    << VolumeKind::Network;
        QTest::newRow("nfs") << u"nfs4"_s << u"server:/export"_s << false << VolumeKind::Network;
        QTest::newRow("sshfs") << u"fuse.sshfs"_s << u"me@host:"_s << false << VolumeKind::Network;
        QTest::newRow("dvd by type") << u"udf"_s << u"/dev/sdc"_s << true << VolumeKind::CdRom;
        QTest::newRow("cd by device") << u"auto"_s << u"/dev/sr0"_s << true << VolumeKind::CdRom;
        QTest::newRow("tmpfs") << u"tmpfs"_s << u"tmpfs"_s << false << VolumeKind::RamDisk;
        QTest::newRow("proc") << u"proc"_s << u"proc"_s << false << VolumeKind::Other;
        QTest::newRow("autofs") << u"autofs"_s << u"systemd-1"_s << false << VolumeKind::Other;
    }
    void kinds()
    {
        QFETCH(QString, type);
        QFETCH(QString, device);
        QFETCH(bool, removable);
        QFETCH(VolumeKind, kind);
        QCOMPARE(Platform::volumeKind(type, device, removable), kind);
    }

    void offeredMountPoints_data()
    {
        QTest::addColumn<QString>("mountPoint");
        QTest::addColumn<bool>("offered");
        QTest::newRow("root") << u"/"_s << true;
        QTest::newRow("home itself") << u"/home"_s << true;
        QTest::newRow("under home") << u"/home/anna/Bilder"_s << true;
        QTest::newRow("homework") << u"/homework"_s << false;
        QTest::newRow("usb") << u"/media/anna/USB"_s << true;
        QTest::newRow("run media") << u"/run/media/anna/USB"_s << true;
        QTest::newRow("run") << u"/run"_s << false;
        QTest::newRow("mnt") << u"/mnt/share"_s << true;
        QTest::newRow("mntx") << u"/mntx"_s << false;
        QTest::newRow("dev shm") << u"/dev/shm"_s << false;
        QTest::newRow("boot") << u"/boot/efi"_s << false;
    }
    void offeredMountPoints()
    {
        QFETCH(QString, mountPoint);
        QFETCH(bool, offered);
        QCOMPARE(Platform::isOfferedMountPoint(mountPoint), offered);
    }

    void volumeOfAPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("root");
        QTest::newRow("root itself") << u"/"_s << u"/"_s;
        QTest::newRow("on root") << u"/tmp/x"_s << u"/"_s;
        QTest::newRow("mount point") << u"/media/usb"_s << u"/media/usb"_s;
        QTest::newRow("under mount") << u"/media/usb/Bilder"_s << u"/media/usb"_s;
        QTest::newRow("same prefix, other folder") << u"/media/usb2/x"_s << u"/"_s;
        QTest::newRow("nested mounts") << u"/media/usb/inner/x"_s << u"/media/usb/inner"_s;
    }
    void volumeOfAPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, root);
        const QList<Volume> volumes{{u"/"_s}, {u"/media/usb"_s}, {u"/media/usb/inner"_s}};
        QCOMPARE(Platform::volumeRootOf(path, volumes), root);
    }

    void mountTableListsTheRootOnce()
    {
        const QList<Volume> volumes = Platform::volumes();
        QVERIFY(!volumes.isEmpty());
        QCOMPARE(volumes.constFirst().root, u"/"_s);
        QVERIFY(volumes.constFirst().device != 0);
        for (qsizetype i = 1; i < volumes.size(); ++i) {
            QVERIFY(volumes.at(i - 1).root < volumes.at(i).root);
            QVERIFY(volumes.at(i).kind != VolumeKind::Other);
        }
    }

    void volumeChangeReturnsToTheFolderLastCurrent()
    {
        WorkingFolderGuard guard;
        QTemporaryDir dir;
        const QString root = QDir(dir.path()).canonicalPath();
        QVERIFY(QDir(root).mkpath(u"Bilder/Urlaub"_s));
        const Volume volume{root, VolumeKind::Fixed, {}, {}, deviceOf(root)};
        const QList<Volume> volumes{{u"/"_s, VolumeKind::Fixed, {}, {}, deviceOf(u"/"_s)}, volume};

        Platform::noteFolder(root + u"/Bilder/Urlaub"_s);
        Platform::noteFolder(u"/"_s); // more recent, but on another volume
        Platform::changeToVolume(volume, volumes);
        QCOMPARE(Platform::currentFolder(), root + u"/Bilder/Urlaub"_s);

        // Gone since: the volume's root instead.
        QVERIFY(QDir(root).rmdir(u"Bilder/Urlaub"_s));
        Platform::setCurrentFolder(u"/"_s);
        Platform::changeToVolume(volume, volumes);
        QCOMPARE(Platform::currentFolder(), root);
    }

    void volumeTakenAwayIsNotFound()
    {
        WorkingFolderGuard guard;
        QTemporaryDir dir;
        const QString root = QDir(dir.path()).canonicalPath();
        // Listed with another file system's device: what an unmounted volume leaves behind.
        const Volume volume{root, VolumeKind::Removable, {}, {}, deviceOf(root) + 1};
        const QString before = Platform::currentFolder();
        QCOMPARE(thrownMessage([&] { Platform::changeToVolume(volume, {volume}); }),
                 u"File not found"_s);
        QCOMPARE(Platform::currentFolder(), before);
    }
};

QTEST_GUILESS_MAIN(TestVolumes)
#include "tst_volumes.moc"
