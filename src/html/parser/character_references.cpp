#include "html/parser/character_references.h"

#include <algorithm>

namespace {

using CharacterReferenceTable::entries;
using CharacterReferenceTable::names;

char nameAt(const CharacterReferenceEntry &entry, qsizetype index)
{
    return names[entry.nameOffset + index];
}

} // namespace

CharacterReferenceMatch longestCharacterReference(QStringView text)
{
    // [low, high) holds the names that start with the characters read so far; sorted by code
    // unit, the one that is exactly those characters comes first, the others sort by their next
    // character. Each character narrows the range by two binary searches.
    const CharacterReferenceEntry *low = entries;
    const CharacterReferenceEntry *high = entries + CharacterReferenceTable::entryCount;
    const CharacterReferenceEntry *best = nullptr;
    for (qsizetype read = 0;; ++read) {
        if (low < high && low->nameLength == read) {
            best = low;
            ++low;
        }
        if (read == text.size() || low == high)
            break;
        const char16_t c = text[read].unicode();
        if (c >= 0x80)
            break;
        low = std::lower_bound(low, high, c, [read](const CharacterReferenceEntry &entry, char16_t wanted) {
            return char16_t(uchar(nameAt(entry, read))) < wanted;
        });
        high = std::upper_bound(low, high, c, [read](char16_t wanted, const CharacterReferenceEntry &entry) {
            return wanted < char16_t(uchar(nameAt(entry, read)));
        });
    }
    CharacterReferenceMatch match;
    if (!best)
        return match;
    match.length = best->nameLength;
    match.value[0] = best->value[0];
    match.value[1] = best->value[1];
    match.valueLength = best->value[1] ? 2 : 1;
    match.endsWithSemicolon = nameAt(*best, best->nameLength - 1) == ';';
    return match;
}
