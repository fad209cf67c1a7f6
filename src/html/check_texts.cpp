#include "html/check_texts.h"

#include "html/check_protocol.h"
#include "html/conformance/conformance_texts.h"

using namespace Qt::StringLiterals;

namespace {

QString counted(int count, const QString &one, const QString &many)
{
    return u"%1 %2"_s.arg(count).arg(count == 1 ? one : many);
}

} // namespace

QString CheckTexts::pattern(const QString &key)
{
    return ConformanceTexts::pattern(key);
}

QString CheckTexts::text(const CheckMessage &message)
{
    return ConformanceTexts::text(message.key, message.arguments);
}

QString CheckTexts::levelName(CheckLevel level)
{
    switch (level) {
    case CheckLevel::Error: return u"Fehler"_s;
    case CheckLevel::Warning: return u"Warnung"_s;
    case CheckLevel::Hint: break;
    }
    return u"Hinweis"_s;
}

QString CheckTexts::summary(int errors, int warnings, int hints)
{
    if (errors == 0 && warnings == 0 && hints == 0)
        return u"Keine Probleme gefunden"_s;
    QString text = counted(errors, u"Fehler"_s, u"Fehler"_s) + u", "_s
        + counted(warnings, u"Warnung"_s, u"Warnungen"_s);
    if (hints > 0)
        text += u", "_s + counted(hints, u"Hinweis"_s, u"Hinweise"_s);
    return text;
}
