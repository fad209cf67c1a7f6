#pragma once

// The subtags of language tags, generated from iso-codes and the language subtag registry by
// scripts/generate-html-tables. Codes of one length are packed in one sorted string, lower case.
namespace LanguageSubtagTables {

struct SubtagPair
{
    const char *code;
    const char *other; // the prefix of an extended language, what replaces a deprecated subtag
};

extern const char languages2[];
extern const char languages3[];
extern const char scripts[];
extern const char regions2[];
extern const char regions3[];

extern const SubtagPair extlangs[];
extern const int extlangCount;
extern const SubtagPair deprecatedLanguages[];
extern const int deprecatedLanguagesCount;
extern const SubtagPair deprecatedTags[];
extern const int deprecatedTagsCount;
extern const SubtagPair deprecatedRegions[];
extern const int deprecatedRegionsCount;
extern const SubtagPair suppressScripts[];
extern const int suppressScriptCount;

} // namespace LanguageSubtagTables
