// The tag help on any text at every position: it ends, the name it finds holds the position,
// a completion's range lies in the text, a tag pair's ranges lie in the text and hold '<'.

#include "html/html_completion.h"
#include "html/html_place.h"
#include "html/html_tag_pair.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool inside(const HtmlTagRange &range, const QString &text)
{
    return range.start >= 0 && range.start < range.end && range.end <= text.size()
           && text[range.start] == u'<';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The text as UTF-16, so that any code unit can occur; small, as every position is asked.
    QString text(qsizetype(std::min<size_t>(size, 4096) / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size_t(text.size()) * sizeof(QChar));
    for (qsizetype at = 0; at <= text.size(); ++at) {
        const HtmlPlace place = htmlPlaceAt(text, at);
        if (place.kind != HtmlPlace::Nothing)
            require(place.nameStart <= at && at <= place.nameEnd && place.nameEnd <= text.size());
        const HtmlCompletion completion = htmlCompletionAt(text, at);
        if (!completion.isEmpty()) {
            require(completion.from <= at && at <= completion.to && completion.to <= text.size());
            htmlCompletionRest(completion, text, at, completion.offers.constFirst());
        }
        if (const std::optional<HtmlTagPair> pair = htmlTagPairAt(text, at, 256))
            require(inside(pair->at, text) && inside(pair->partner, text));
    }
    return 0;
}
