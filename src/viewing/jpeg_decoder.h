#pragma once

#include <QByteArrayView>
#include <QImage>

// Decodes a JPEG stream held in memory with libjpeg. Any fault in the stream, a warning about
// corrupt data included, throws Error with libjpeg's own description; nothing leaks.
QImage decodeJpeg(QByteArrayView stream);
