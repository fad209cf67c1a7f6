#pragma once

#include <QStringView>

#include <cstdint>

// A named character reference the tokenizer found: how many characters of its name it read
// (without the '&'), and what it stands for in UTF-16 (one or two code units).
struct CharacterReferenceMatch
{
    qsizetype length = 0; // 0: no name of the table starts the text
    char16_t value[2] = {0, 0};
    qsizetype valueLength = 0;
    bool endsWithSemicolon = false;
};

// The longest name of the standard's table at the start of `text`, the text after the '&'.
// Legacy names match without their ";" too ("&notin" reads "&not" and "in").
CharacterReferenceMatch longestCharacterReference(QStringView text);

// The generated table (character_reference_table.cpp): the names, sorted by code unit and
// joined into one ASCII text, each entry pointing into it.
struct CharacterReferenceEntry
{
    std::uint16_t nameOffset;
    std::uint8_t nameLength;
    char16_t value[2]; // the second is 0 for a single code unit
};

namespace CharacterReferenceTable {
extern const char names[];
extern const CharacterReferenceEntry entries[];
extern const int entryCount;
} // namespace CharacterReferenceTable
