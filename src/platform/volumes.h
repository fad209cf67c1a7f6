#pragma once

#include <QList>
#include <QString>

namespace Platform {

// What kind of medium a mounted file system lives on; Other is never offered to the user.
enum class VolumeKind { Removable, Fixed, Network, CdRom, RamDisk, Other };

// A mounted file system the user may pick, known by its mount point.
struct Volume
{
    QString root;        // the mount point, "/" or "/media/usb"
    VolumeKind kind = VolumeKind::Fixed;
    QString label;       // the volume label, empty when it has none
    QString networkName; // for network volumes: the share it is connected to, if known
    quint64 device = 0;  // the file system's device number when it was listed
};

// The kind of a file system by its type and device, as the mount table names them;
// removableMedium is the device's own removable flag.
VolumeKind volumeKind(const QString &fileSystemType, const QString &device, bool removableMedium);

// Whether a mount point is one the user picks from: the root, or a mount at or under /home,
// /media, /mnt or /run/media.
bool isOfferedMountPoint(const QString &mountPoint);

// The mounted volumes the user may pick, sorted by mount point, each mount point once.
QList<Volume> volumes();

// The mount point of the volume among the given ones that holds path (the longest mount point
// that is path or one of its parents); empty if none does.
QString volumeRootOf(const QString &path, const QList<Volume> &volumes);

// Makes the folder last current on the volume the current working folder, or its root if that
// folder is gone. Throws "File not found" if the volume is no longer mounted, or the framework's
// message for the failure.
void changeToVolume(const Volume &volume, const QList<Volume> &volumes);

} // namespace Platform
