#include "html/spelling_words.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

// Names of U+00A0 ... U+00FF, in order.
constexpr const char16_t *latin1Names[] = {
    u"nbsp", u"iexcl", u"cent", u"pound", u"curren", u"yen", u"brvbar", u"sect", u"uml", u"copy",
    u"ordf", u"laquo", u"not", u"shy", u"reg", u"macr", u"deg", u"plusmn", u"sup2", u"sup3",
    u"acute", u"micro", u"para", u"middot", u"cedil", u"sup1", u"ordm", u"raquo", u"frac14",
    u"frac12", u"frac34", u"iquest", u"Agrave", u"Aacute", u"Acirc", u"Atilde", u"Auml", u"Aring",
    u"AElig", u"Ccedil", u"Egrave", u"Eacute", u"Ecirc", u"Euml", u"Igrave", u"Iacute", u"Icirc",
    u"Iuml", u"ETH", u"Ntilde", u"Ograve", u"Oacute", u"Ocirc", u"Otilde", u"Ouml", u"times",
    u"Oslash", u"Ugrave", u"Uacute", u"Ucirc", u"Uuml", u"Yacute", u"THORN", u"szlig", u"agrave",
    u"aacute", u"acirc", u"atilde", u"auml", u"aring", u"aelig", u"ccedil", u"egrave", u"eacute",
    u"ecirc", u"euml", u"igrave", u"iacute", u"icirc", u"iuml", u"eth", u"ntilde", u"ograve",
    u"oacute", u"ocirc", u"otilde", u"ouml", u"divide", u"oslash", u"ugrave", u"uacute", u"ucirc",
    u"uuml", u"yacute", u"thorn", u"yuml"};
static_assert(std::size(latin1Names) == 0x60);

struct NamedCharacter
{
    const char16_t *name;
    char16_t character;
};

constexpr NamedCharacter otherNames[] = {
    {u"amp", u'&'},        {u"lt", u'<'},          {u"gt", u'>'},         {u"quot", u'"'},
    {u"apos", u'\''},      {u"OElig", 0x152},      {u"oelig", 0x153},     {u"Scaron", 0x160},
    {u"scaron", 0x161},    {u"Yuml", 0x178},       {u"ensp", 0x2002},     {u"emsp", 0x2003},
    {u"thinsp", 0x2009},   {u"ndash", 0x2013},     {u"mdash", 0x2014},    {u"lsquo", 0x2018},
    {u"rsquo", 0x2019},    {u"sbquo", 0x201a},     {u"ldquo", 0x201c},    {u"rdquo", 0x201d},
    {u"bdquo", 0x201e},    {u"hellip", 0x2026},    {u"euro", 0x20ac},     {u"trade", 0x2122},
};

const QHash<QStringView, char16_t> &namedCharacters()
{
    static const QHash<QStringView, char16_t> table = [] {
        QHash<QStringView, char16_t> names;
        for (int i = 0; i < int(std::size(latin1Names)); ++i)
            names.insert(QStringView(latin1Names[i]), char16_t(0xa0 + i));
        for (const NamedCharacter &named : otherNames)
            names.insert(QStringView(named.name), named.character);
        return names;
    }();
    return table;
}

// Stands for a reference this program does not know: it belongs to the word and keeps the
// word from being checked.
constexpr char16_t unknownCharacter = u'\x1';
constexpr char16_t softHyphen = 0xad;

// A piece of readable text with its references read, and where each character came from.
class DecodedText
{
public:
    void decode(QStringView line, int from, int to)
    {
        int i = from;
        while (i < to) {
            if (line[i] == u'&' && reference(line, i, to))
                continue;
            if (line[i] != softHyphen) // a hint where to break a line, not part of the word
                append(line[i], i, i + 1, false);
            ++i;
        }
    }

    void collectWords(QList<SpellingWord> &words) const
    {
        const int n = int(m_text.size());
        int i = 0;
        while (i < n) {
            while (i < n && m_text[i].isSpace())
                ++i;
            const int chunkStart = i;
            while (i < n && !m_text[i].isSpace())
                ++i;
            if (!isAddress(QStringView(m_text).sliced(chunkStart, i - chunkStart)))
                collectChunkWords(chunkStart, i, words);
        }
    }

private:
    static bool isWordCharacter(QChar c)
    {
        return c.isLetterOrNumber() || c.isMark() || c == u'_' || c == unknownCharacter;
    }

    // Web and e-mail addresses and file names are no words: "www.example.de", "a@b.de",
    // "index.html"; nor is markup shown as text ("&lt;br&gt;" on a page about HTML).
    static bool isAddress(QStringView chunk)
    {
        if (chunk.contains(u'<') || chunk.contains(u'>') || chunk.contains(u'@') || chunk.contains(u"://")
            || chunk.startsWith(u"www.", Qt::CaseInsensitive))
            return true;
        for (qsizetype i = 1; i + 1 < chunk.size(); ++i) {
            if ((chunk[i] == u'.' || chunk[i] == u'/') && chunk[i - 1].isLetterOrNumber()
                && chunk[i + 1].isLetterOrNumber())
                return true;
        }
        return false;
    }

    void collectChunkWords(int from, int to, QList<SpellingWord> &words) const
    {
        int i = from;
        while (i < to) {
            while (i < to && !isWordCharacter(m_text[i]))
                ++i;
            const int start = i;
            // Hyphens join the parts of a compound ("E-Mail"), but only between them.
            while (i < to && (isWordCharacter(m_text[i])
                              || (m_text[i] == u'-' && i + 1 < to && isWordCharacter(m_text[i + 1]))))
                ++i;
            if (i > start)
                addWord(start, i, words);
        }
    }

    void addWord(int start, int end, QList<SpellingWord> &words) const
    {
        const QStringView word = QStringView(m_text).sliced(start, end - start);
        int letters = 0;
        bool lowerCase = false;
        bool fromReference = false;
        for (int i = start; i < end; ++i) {
            const QChar c = m_text[i];
            if (c.isNumber() || c == u'_' || c == unknownCharacter)
                return;
            letters += c.isLetter();
            lowerCase = lowerCase || c.isLower();
            fromReference = fromReference || m_fromReference[i];
        }
        // Single letters and words in capitals only ("HTML") are left alone, as in word processors.
        if (letters < 2 || !lowerCase)
            return;
        words.append({m_sourceStart[start], m_sourceEnd[end - 1], word.toString(), fromReference,
                      end < m_text.size() && m_text[end] == u'.'});
    }

    // At a '&': reads a reference ending in ';' and moves past it, or returns false.
    bool reference(QStringView line, int &i, int to)
    {
        int end = i + 1;
        const bool numeric = end < to && line[end] == u'#';
        const bool hex = numeric && end + 1 < to && (line[end + 1] == u'x' || line[end + 1] == u'X');
        end += numeric + hex;
        const int nameStart = end;
        while (end < to && end - nameStart < 32 && line[end].isLetterOrNumber() && line[end].unicode() < 0x80)
            ++end;
        if (end == nameStart || end >= to || line[end] != u';')
            return false;
        const QStringView name = line.sliced(nameStart, end - nameStart);
        char32_t character = unknownCharacter;
        if (numeric) {
            bool ok = false;
            const uint value = name.toUInt(&ok, hex ? 16 : 10);
            if (ok && value > 0 && value <= 0x10ffff && !(value >= 0xd800 && value <= 0xdfff))
                character = value;
        } else {
            character = namedCharacters().value(name, unknownCharacter);
        }
        const int start = i;
        i = end + 1;
        if (character == softHyphen)
            return true;
        if (QChar::requiresSurrogates(character)) {
            append(QChar(QChar::highSurrogate(character)), start, i, true);
            append(QChar(QChar::lowSurrogate(character)), start, i, true);
        } else {
            append(QChar(char16_t(character)), start, i, true);
        }
        return true;
    }

    void append(QChar c, int sourceStart, int sourceEnd, bool fromReference)
    {
        m_text.append(c);
        m_sourceStart.append(sourceStart);
        m_sourceEnd.append(sourceEnd);
        m_fromReference.append(fromReference);
    }

    QString m_text;
    QList<int> m_sourceStart;
    QList<int> m_sourceEnd;
    QList<bool> m_fromReference;
};

void addWords(QStringView line, int from, int to, QList<SpellingWord> &words)
{
    if (from >= to)
        return;
    DecodedText text;
    text.decode(line, from, to);
    text.collectWords(words);
}

bool checkedAttribute(QStringView name)
{
    return name.compare(u"alt", Qt::CaseInsensitive) == 0
           || name.compare(u"title", Qt::CaseInsensitive) == 0;
}

} // namespace

QList<SpellingWord> spellingWords(QStringView line, int state, const QList<HtmlSpan> &spans)
{
    QList<SpellingWord> words;
    const int place = state & HtmlState::PlaceMask;
    const int rawBits = (state & HtmlState::RawMask) == HtmlState::RawMask ? 0 : state & HtmlState::RawMask;
    // Script or style content runs until its end tag; a start tag of either makes content
    // of its kind follow once it closes.
    bool raw = place == HtmlState::Text && rawBits != 0;
    bool rawAfterTag = place != HtmlState::Text && rawBits != 0;
    QStringView attribute;
    int textStart = 0; // where the readable text before the current span began
    for (const HtmlSpan &span : spans) {
        if (span.kind == HtmlKind::Entity)
            continue; // references are part of the text around them
        if (!raw)
            addWords(line, textStart, span.start, words);
        textStart = span.start + span.length;
        const QStringView piece = line.sliced(span.start, span.length);
        switch (span.kind) {
        case HtmlKind::Tag:
            // Neighbouring tags come as one span ("</p><script>"): read it tag by tag.
            for (qsizetype i = 0; i < piece.size(); ++i) {
                if (piece[i] == u'<') {
                    raw = false;
                    attribute = {};
                    qsizetype end = i + 1;
                    while (end < piece.size() && piece[end] != u'>' && piece[end] != u'<'
                           && piece[end] != u'/')
                        ++end;
                    const QStringView name = piece.sliced(i + 1, end - i - 1);
                    rawAfterTag = name.compare(u"script", Qt::CaseInsensitive) == 0
                                  || name.compare(u"style", Qt::CaseInsensitive) == 0;
                } else if (piece[i] == u'>') {
                    raw = rawAfterTag && !(i > 0 && piece[i - 1] == u'/');
                    rawAfterTag = false;
                }
            }
            break;
        case HtmlKind::AttributeName:
            attribute = piece;
            break;
        case HtmlKind::AttributeValue:
            if (checkedAttribute(attribute)) {
                const bool quoted = piece.startsWith(u'"') || piece.startsWith(u'\'');
                const bool closed = quoted && piece.size() > 1 && piece.endsWith(piece.front());
                addWords(line, span.start + quoted, span.start + span.length - closed, words);
            }
            attribute = {};
            break;
        default:
            break;
        }
    }
    if (!raw)
        addWords(line, textStart, int(line.size()), words);
    return words;
}

QList<SpellingWord> spellingWords(QStringView line, int state)
{
    QList<HtmlSpan> spans;
    lexHtmlLine(line, state, spans);
    return spellingWords(line, state, spans);
}

QString withCharacterReferences(QStringView word)
{
    QString written;
    for (const QChar c : word) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            written.append(c);
        else if (u >= 0xa0 && u <= 0xff)
            written.append(u'&').append(QStringView(latin1Names[u - 0xa0])).append(u';');
        else
            written.append(u"&#"_s + QString::number(u) + u';');
    }
    return written;
}
