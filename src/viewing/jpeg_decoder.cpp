#include "viewing/jpeg_decoder.h"

#include "foundation/error.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace {

// libjpeg's error manager with a way back: on an error it jumps to the decoder instead of
// ending the process.
struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failWithMessage(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->escape, 1);
}

// Warnings (level -1) mean corrupt data that libjpeg would paper over with grey; we refuse
// them like errors. Trace messages (level 0 and up) are ignored.
void onMessage(j_common_ptr info, int level)
{
    if (level < 0)
        failWithMessage(info);
}

// Everything between setjmp and the last libjpeg call lives here, with no object that needs a
// destructor, so a jump back out skips nothing. The image is owned by the caller.
bool decodeInto(jpeg_decompress_struct &info, ErrorManager &manager, QByteArrayView stream,
                QImage &image)
{
    if (setjmp(manager.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(stream.data()),
                 static_cast<unsigned long>(stream.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);

    // A stream may claim up to 65500 x 65500 pixels; refuse that before allocating for it.
    constexpr unsigned long long maxPixels = 64ull * 1024 * 1024;
    if (static_cast<unsigned long long>(info.output_width) * info.output_height <= maxPixels)
        image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) {
        std::snprintf(manager.message, sizeof manager.message,
                      "Picture of %u x %u pixels is too large", info.output_width,
                      info.output_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage decodeJpeg(QByteArrayView stream)
{
    jpeg_decompress_struct info{};
    ErrorManager manager{};
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = failWithMessage;
    manager.base.emit_message = onMessage;

    QImage image;
    if (!decodeInto(info, manager, stream, image))
        throw Error(u"Cannot decode picture: %1"_s.arg(QString::fromLocal8Bit(manager.message)));
    return image;
}
