#include "platform/volumes.h"

#include "platform/io_errors.h"
#include "platform/working_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <mntent.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace Platform {

namespace {

bool isAtOrUnder(const QString &path, const QString &folder)
{
    if (folder == u"/"_s)
        return path.startsWith(u'/');
    return path == folder || (path.startsWith(folder) && path.at(folder.size()) == u'/');
}

quint64 deviceOf(const QString &path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    return status.st_dev;
}

// The removable flag of the disk that a block device (or its partition) belongs to.
bool hasRemovableMedium(const QString &device)
{
    if (!device.startsWith(u"/dev/"_s))
        return false;
    const QString node = QFileInfo(device).canonicalFilePath();
    if (node.isEmpty())
        return false;
    QString block = QFileInfo(u"/sys/class/block/"_s + QFileInfo(node).fileName())
                        .canonicalFilePath();
    if (block.isEmpty())
        return false;
    if (QFile::exists(block + u"/partition"_s))
        block = QFileInfo(block).path();
    QFile flag(block + u"/removable"_s);
    return flag.open(QIODevice::ReadOnly) && flag.read(1) == "1";
}

} // namespace

VolumeKind volumeKind(const QString &fileSystemType, const QString &device, bool removableMedium)
{
    static const QSet<QString> network = {
        u"nfs"_s,  u"nfs4"_s,       u"cifs"_s, u"smb3"_s,      u"smbfs"_s,          u"9p"_s,
        u"ceph"_s, u"glusterfs"_s,  u"afs"_s,  u"ncpfs"_s,     u"fuse.sshfs"_s,     u"davfs"_s,
        u"fuse.davfs2"_s, u"fuse.glusterfs"_s, u"fuse.rclone"_s};
    static const QSet<QString> memory = {u"tmpfs"_s, u"ramfs"_s};
    static const QSet<QString> disc = {u"iso9660"_s, u"udf"_s};
    static const QSet<QString> pseudo = {
        u"proc"_s,     u"sysfs"_s,   u"devpts"_s,     u"devtmpfs"_s,   u"cgroup"_s,
        u"cgroup2"_s,  u"autofs"_s,  u"mqueue"_s,     u"debugfs"_s,    u"tracefs"_s,
        u"securityfs"_s, u"pstore"_s, u"bpf"_s,       u"configfs"_s,   u"fusectl"_s,
        u"hugetlbfs"_s, u"binfmt_misc"_s, u"efivarfs"_s, u"rpc_pipefs"_s, u"nsfs"_s,
        u"fuse.gvfsd-fuse"_s, u"fuse.portal"_s, u"rootfs"_s};
    if (network.contains(fileSystemType))
        return VolumeKind::Network;
    if (memory.contains(fileSystemType))
        return VolumeKind::RamDisk;
    if (disc.contains(fileSystemType) || device.startsWith(u"/dev/sr"_s))
        return VolumeKind::CdRom;
    if (pseudo.contains(fileSystemType))
        return VolumeKind::Other;
    if (removableMedium)
        return VolumeKind::Removable;
    return VolumeKind::Fixed;
}

bool isOfferedMountPoint(const QString &mountPoint)
{
    if (mountPoint == u"/"_s)
        return true;
    for (const QString &place : {u"/home"_s, u"/media"_s, u"/mnt"_s, u"/run/media"_s}) {
        if (isAtOrUnder(mountPoint, place))
            return true;
    }
    return false;
}

QList<Volume> volumes()
{
    QList<Volume> found;
    FILE *table = ::setmntent("/proc/self/mounts", "r");
    if (!table)
        return found;
    mntent entry;
    char buffer[4096];
    while (::getmntent_r(table, &entry, buffer, sizeof buffer)) {
        const QString root = QFile::decodeName(entry.mnt_dir);
        if (!isOfferedMountPoint(root))
            continue;
        const QString type = QString::fromLocal8Bit(entry.mnt_type);
        const QString device = QFile::decodeName(entry.mnt_fsname);
        Volume volume;
        volume.root = root;
        volume.kind = volumeKind(type, device, hasRemovableMedium(device));
        if (volume.kind == VolumeKind::Other)
            continue;
        if (volume.kind == VolumeKind::Network)
            volume.networkName = device;
        // A later mount on the same point covers the earlier one.
        found.removeIf([&root](const Volume &v) { return v.root == root; });
        found.append(volume);
    }
    ::endmntent(table);
    for (Volume &volume : found) {
        volume.label = QStorageInfo(volume.root).name();
        volume.device = deviceOf(volume.root);
    }
    std::sort(found.begin(), found.end(),
              [](const Volume &a, const Volume &b) { return a.root < b.root; });
    return found;
}

QString volumeRootOf(const QString &path, const QList<Volume> &volumes)
{
    QString best;
    for (const Volume &volume : volumes) {
        if (isAtOrUnder(path, volume.root) && volume.root.size() > best.size())
            best = volume.root;
    }
    return best;
}

void changeToVolume(const Volume &volume, const QList<Volume> &volumes)
{
    // A volume taken away since the list was made leaves at most an empty folder behind.
    if (volume.device == 0 || deviceOf(volume.root) != volume.device)
        throwIoError(ENOENT);
    for (const QString &folder : recentFolders()) {
        if (volumeRootOf(folder, volumes) != volume.root)
            continue;
        const int failure = setCurrentFolder(folder);
        if (failure == 0)
            return;
        if (failure != ENOENT && failure != ENOTDIR)
            throwIoError(failure);
        break; // the folder last current is gone: its volume's root it is
    }
    changeFolder(volume.root);
}

} // namespace Platform
