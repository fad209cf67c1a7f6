// Line-break normalising and appending on arbitrary bytes.

#include "document/append_operations.h"
#include "document/line_model.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool onlyPairedBreaks(QByteArrayView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.isEmpty() ? 0 : qsizetype(data[0]) % (input.size() + 1);
    const QByteArrayView current = input.first(split);
    const QByteArrayView appended = input.sliced(split);

    const QByteArray normalized = normalizeLineBreaks(input);
    require(onlyPairedBreaks(normalized));
    require(normalizeLineBreaks(normalized) == normalized);
    QByteArray withoutBreaks = input.toByteArray();
    withoutBreaks.replace('\r', "").replace('\n', "");
    QByteArray normalizedWithoutBreaks = normalized;
    normalizedWithoutBreaks.replace('\r', "").replace('\n', "");
    require(withoutBreaks == normalizedWithoutBreaks);

    const std::optional<QByteArray> lines = appendLines(current, appended);
    require(lines.value_or(current.toByteArray()) == normalizeLineBreaks(current.toByteArray() + appended.toByteArray()));
    const std::optional<QByteArray> raw = appendRaw(current, appended);
    require(raw.has_value() == !appended.isEmpty());

    const qsizetype count = LineModel::lineCount(normalized);
    qsizetype total = 0;
    for (qsizetype i = 0; i < count; ++i)
        total += LineModel::line(normalized, i).size() + 2;
    require(total >= normalized.size() && total <= normalized.size() + 2);
    return 0;
}
