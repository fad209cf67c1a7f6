#pragma once

#include <QString>
#include <QStringList>

namespace Platform {

// The process's current working folder as a full path; empty if it cannot be read (it was
// removed, for one).
QString currentFolder();

// Makes path the current working folder. Returns 0, or the errno of the failure.
int setCurrentFolder(const QString &path);

// As setCurrentFolder(), but a failure throws the framework's message for its errno.
void changeFolder(const QString &path);

// The folders recorded as current with noteFolder(), most recent first. A volume's folder last
// current is the first of these that lies on it.
QStringList recentFolders();

// Records a folder as current, once a navigation to it has succeeded as a whole (a folder that
// could be entered but not listed is not remembered).
void noteFolder(const QString &path);

} // namespace Platform
