// Reading the check helper's answer from arbitrary bytes (a helper that died half-way writes
// anything), and what was read written and read again.

#include "html/check_protocol.h"
#include "html/check_texts.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QList<CheckMessage>> messages = decodeCheckAnswer(bytes);
    if (!messages)
        return 0;
    QByteArray again;
    for (const CheckMessage &message : *messages) {
        require(message.line >= 0 && message.column >= 0);
        CheckTexts::text(message); // any arguments fill any pattern
        again += encodeCheckMessage(message);
    }
    again += encodeCheckEnd(messages->size());
    require(decodeCheckAnswer(again) == messages);
    return 0;
}
