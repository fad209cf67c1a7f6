// The spin field's reading rules on arbitrary text.

#include "elements/spin_reading.h"

#include <QString>

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
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<qint32> value = SpinReading::parse(text);

    // What reads as a number is written back as a decimal that reads as the same number.
    if (value) {
        require(SpinReading::parse(QString::number(*value)) == value);
        require(SpinReading::valueOf(text, 0) == *value);
    } else {
        require(SpinReading::valueOf(text, 0) == 0);
        require(SpinReading::valueOf(text, -7) == -7);
    }
    // Stepping never wraps to the other sign.
    const qint32 start = value.value_or(0);
    const qint32 up = SpinReading::stepped(start, 1, 0, 0);
    const qint32 down = SpinReading::stepped(start, -1, 0, 0);
    require(up >= start && down <= start);
    require(up - start <= 1 && start - down <= 1);
    return 0;
}
