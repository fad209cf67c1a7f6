#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The two ways a command appends text at the end of an editor, on the byte form of the text.
// Each gives the new text, or nothing when the text would stay as it is.

// Every CR LF pair stays; every CR not followed by LF and every LF not preceded by CR becomes
// CR LF. Code page 1252 has no double-byte characters, so every byte is looked at.
QByteArray normalizeLineBreaks(QByteArrayView text);

// The current text followed by s, unchanged.
std::optional<QByteArray> appendRaw(QByteArrayView current, QByteArrayView s);

// The current text followed by s, with all line breaks of the whole result normalised.
std::optional<QByteArray> appendLines(QByteArrayView current, QByteArrayView s);

// The editor form of a text: CR, LF and CR LF each become one "\n".
QString toEditorLineBreaks(QStringView text);
