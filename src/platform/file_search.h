#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace Platform {

// Whether a file name matches a wildcard pattern ("*" any run, "?" one character), without
// regard to case. Every other character, blanks included, stands for itself.
bool matchesWildcard(QStringView name, QStringView pattern);

// Runs found(name) for every plain file in folder whose name matches pattern, in the order
// the folder holds them. Folders, hidden (dot) files and system entries (devices, pipes,
// sockets, dangling links) are skipped. Throws the framework's message if the folder cannot be
// read.
void findFiles(const QString &folder, const QString &pattern,
               const std::function<void(const QString &name)> &found);

// The folders in folder, without ".", ".." and hidden (dot) folders, in the order the folder
// holds them. A link to a folder counts as a folder. Throws as findFiles() does.
QStringList findSubfolders(const QString &folder);

} // namespace Platform
