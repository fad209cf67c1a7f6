#include "html/conformance/language_tags.h"

#include "html/conformance/language_subtag_tables.h"

#include <QList>

#include <algorithm>
#include <cstring>

using namespace LanguageSubtagTables;

namespace {

// Whether the sorted string of codes of the given width holds `code`.
bool packedContains(const char *table, QStringView code, qsizetype width)
{
    if (code.size() != width)
        return false;
    const QByteArray wanted = code.toLatin1();
    qsizetype low = 0;
    qsizetype high = qsizetype(std::strlen(table)) / width;
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        const int order = std::strncmp(table + middle * width, wanted.constData(), size_t(width));
        if (order == 0)
            return true;
        if (order < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return false;
}

const SubtagPair *findPair(const SubtagPair *pairs, int count, QStringView code)
{
    const QByteArray wanted = code.toLatin1();
    const SubtagPair *end = pairs + count;
    const SubtagPair *found = std::lower_bound(pairs, end, wanted, [](const SubtagPair &pair, const QByteArray &key) {
        return std::strcmp(pair.code, key.constData()) < 0;
    });
    return found != end && wanted == found->code ? found : nullptr;
}

bool isAlpha(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z');
    });
}

bool isDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
}

bool isAlphanumeric(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
    });
}

bool isPrivateUseLanguage(QStringView code)
{
    return code.size() == 3 && code >= u"qaa" && code <= u"qtz";
}

bool isPrivateUseRegion(QStringView code)
{
    return code == u"aa" || code == u"zz" || (code >= u"qm" && code <= u"qz") || (code >= u"xa" && code <= u"xz");
}

bool isKnownLanguage(QStringView code)
{
    return packedContains(languages2, code, 2) || packedContains(languages3, code, 3)
           || isPrivateUseLanguage(code) || findPair(deprecatedLanguages, deprecatedLanguagesCount, code);
}

bool isVariant(QStringView subtag)
{
    return isAlphanumeric(subtag)
           && ((subtag.size() >= 5 && subtag.size() <= 8) || (subtag.size() == 4 && subtag[0].isDigit()));
}

struct Subtag
{
    QStringView text; // lower case
    qsizetype position;
};

// Reads the subtags in their order: language, extended languages, script, region, variants,
// extensions, private use. The first error wins; a warning is kept until the end.
class LanguageTagReader
{
public:
    explicit LanguageTagReader(const QString &lower) : m_lower(lower)
    {
        qsizetype start = 0;
        for (;;) {
            const qsizetype dash = m_lower.indexOf(u'-', start);
            const qsizetype end = dash < 0 ? m_lower.size() : dash;
            m_subtags.append({QStringView(m_lower).sliced(start, end - start), start});
            if (dash < 0)
                break;
            start = dash + 1;
        }
    }

    ValueCheck read()
    {
        if (const SubtagPair *tag = findPair(deprecatedTags, deprecatedTagsCount, m_lower))
            return valueWarning("lang-tag-deprecated", 0, m_lower.size(), QString::fromLatin1(tag->other));
        if (m_subtags[0].text == u"x")
            return privateUse();
        const Subtag language = m_subtags[0];
        if (!isAlpha(language.text) || language.text.size() < 2 || language.text.size() > 8)
            return bad("lang-language-invalid", language);
        if (!isKnownLanguage(language.text))
            return bad("lang-language-unknown", language);
        if (const SubtagPair *old = findPair(deprecatedLanguages, deprecatedLanguagesCount, language.text))
            warn("lang-language-deprecated", language, QString::fromLatin1(old->other));
        m_next = 1;
        if (ValueCheck problem = extendedLanguages(language.text))
            return problem;
        if (ValueCheck problem = script(language.text))
            return problem;
        if (ValueCheck problem = region())
            return problem;
        while (m_next < m_subtags.size() && isVariant(m_subtags[m_next].text))
            ++m_next;
        if (ValueCheck problem = extensions())
            return problem;
        if (m_next < m_subtags.size())
            return m_subtags[m_next].text == u"x" ? privateUse() : bad("lang-subtag-invalid", m_subtags[m_next]);
        return m_warning;
    }

private:
    ValueProblem bad(const char *key, const Subtag &subtag) const
    {
        return valueProblem(key, subtag.position, subtag.text.size(), subtag.text.toString());
    }
    void warn(const char *key, const Subtag &subtag, const QString &detail)
    {
        if (!m_warning)
            m_warning = valueWarning(key, subtag.position, subtag.text.size(), detail);
    }
    bool more() const { return m_next < m_subtags.size(); }

    ValueCheck extendedLanguages(QStringView language)
    {
        for (int count = 0; more() && count < 3; ++count) {
            const Subtag subtag = m_subtags[m_next];
            if (subtag.text.size() != 3 || !isAlpha(subtag.text))
                break;
            const SubtagPair *extlang = findPair(extlangs, extlangCount, subtag.text);
            if (!extlang || language != QLatin1StringView(extlang->other))
                return bad("lang-extlang-bad", subtag);
            ++m_next;
        }
        return {};
    }

    ValueCheck script(QStringView language)
    {
        if (!more() || m_subtags[m_next].text.size() != 4 || !isAlpha(m_subtags[m_next].text))
            return {};
        const Subtag subtag = m_subtags[m_next++];
        const bool privateUse = subtag.text >= u"qaaa" && subtag.text <= u"qabx";
        if (!privateUse && !packedContains(scripts, subtag.text, 4))
            return bad("lang-script-unknown", subtag);
        const SubtagPair *suppressed = findPair(suppressScripts, suppressScriptCount, language);
        if (suppressed && subtag.text == QLatin1StringView(suppressed->other))
            warn("lang-script-redundant", subtag, subtag.text.toString());
        return {};
    }

    ValueCheck region()
    {
        if (!more())
            return {};
        const Subtag subtag = m_subtags[m_next];
        if (subtag.text.size() == 2 && isAlpha(subtag.text)) {
            ++m_next;
            if (const SubtagPair *old = findPair(deprecatedRegions, deprecatedRegionsCount, subtag.text)) {
                warn("lang-region-deprecated", subtag, QString::fromLatin1(old->other).toUpper());
                return {};
            }
            if (!packedContains(regions2, subtag.text, 2) && !isPrivateUseRegion(subtag.text))
                return bad("lang-region-unknown", subtag);
        } else if (subtag.text.size() == 3 && isDigits(subtag.text)) {
            ++m_next;
            if (!packedContains(regions3, subtag.text, 3))
                return bad("lang-region-unknown", subtag);
        }
        return {};
    }

    // Only the extensions "u" (locale) and "t" (transformed content) are defined.
    ValueCheck extensions()
    {
        QString seen;
        while (more() && m_subtags[m_next].text.size() == 1 && m_subtags[m_next].text != u"x") {
            const Subtag singleton = m_subtags[m_next++];
            if ((singleton.text != u"u" && singleton.text != u"t") || seen.contains(singleton.text[0]))
                return bad("lang-extension-unknown", singleton);
            seen += singleton.text[0];
            int parts = 0;
            while (more() && m_subtags[m_next].text.size() >= 2 && m_subtags[m_next].text.size() <= 8
                   && isAlphanumeric(m_subtags[m_next].text)) {
                ++m_next;
                ++parts;
            }
            if (parts == 0)
                return bad("lang-subtag-invalid", singleton);
        }
        return {};
    }

    ValueCheck privateUse()
    {
        const Subtag x = m_subtags[m_next];
        if (m_next + 1 == m_subtags.size())
            return bad("lang-subtag-invalid", x);
        for (qsizetype i = m_next + 1; i < m_subtags.size(); ++i) {
            if (!isAlphanumeric(m_subtags[i].text) || m_subtags[i].text.size() > 8)
                return bad("lang-subtag-invalid", m_subtags[i]);
        }
        m_next = m_subtags.size();
        return m_warning;
    }

    QString m_lower;
    QList<Subtag> m_subtags;
    qsizetype m_next = 0;
    ValueCheck m_warning;
};

} // namespace

ValueCheck checkLanguageTag(QStringView value)
{
    if (value.isEmpty())
        return {};
    return LanguageTagReader(value.toString().toLower()).read();
}
