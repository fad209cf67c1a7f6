// Reading eigene.lst from arbitrary bytes, and writing back what was read.

#include "document/codepage1252.h"
#include "document/tag_list.h"
#include "foundation/error.h"

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
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const TagList::Contents contents = TagList::parse(bytes);

    for (const QString &entry : contents.entries) {
        require(entry.size() <= TagList::maxEntryLength);
        require(!entry.contains(u'\r') && !entry.contains(u'\n') && !entry.contains(QChar(0)));
        TagList::checkEntry(entry); // whatever was read may be added again
    }
    // What is read is written back so that it reads as the same list.
    const QByteArray written = TagList::serialize(contents.entries);
    const TagList::Contents again = TagList::parse(written);
    require(again.entries == contents.entries);
    require(again.cutLines.isEmpty());
    // Nothing before the first NUL is lost but the cut tails of over-long lines.
    if (contents.cutLines.isEmpty()) {
        const qsizetype end = bytes.indexOf('\0');
        const QByteArrayView read = end < 0 ? bytes : bytes.first(end);
        QByteArray withoutBreaks = read.toByteArray();
        withoutBreaks.replace('\r', "").replace('\n', "");
        require(withoutBreaks == CodePage1252::encode(contents.entries.join(QString())));
    }
    return 0;
}
