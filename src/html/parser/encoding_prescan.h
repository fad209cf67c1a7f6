#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The encoding a label names, as browsers read labels ("latin1" is "windows-1252", "sjis" is
// "Shift_JIS"), in the browsers' spelling; empty when no encoding has the label.
QByteArray encodingNameForLabel(QByteArrayView label);

// The name of the encoding that a page's first 1024 bytes declare, found as a browser finds it
// (<meta charset>, <meta http-equiv="Content-Type" content>, else <?xml encoding>), in the
// browsers' spelling ("windows-1252", "Shift_JIS"); empty when they declare none.
QByteArray declaredEncodingName(QByteArrayView bytes);
