#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Reading and writing whole files, with the messages the user sees when that fails.

// Reads a file whole. Throws "Cannot open file <path>".
QByteArray readWholeFile(const QString &path);

// Replaces a file atomically: a failed write leaves an existing file as it was.
// Throws "Cannot create file <path>".
void writeWholeFile(const QString &path, QByteArrayView bytes);

// The preview copy look.html in the current working folder, created anew or truncated.
inline constexpr char previewCopyName[] = "look.html";
void writePreviewCopy(QByteArrayView bytes);
