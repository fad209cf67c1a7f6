#include "html/conformance/autofill.h"

#include "html/conformance/value_syntax.h"

#include <QList>
#include <QStringList>

namespace {

const QStringList &fieldNames()
{
    static const QStringList names = QStringLiteral(
        "name honorific-prefix given-name additional-name family-name honorific-suffix nickname "
        "username new-password current-password one-time-code organization-title organization "
        "street-address address-line1 address-line2 address-line3 address-level4 address-level3 "
        "address-level2 address-level1 country country-name postal-code cc-name cc-given-name "
        "cc-additional-name cc-family-name cc-number cc-exp cc-exp-month cc-exp-year cc-csc cc-type "
        "transaction-currency transaction-amount language bday bday-day bday-month bday-year sex "
        "url photo").split(u' ');
    return names;
}

// Fields that a "home", "work", … may stand before.
const QStringList &contactFieldNames()
{
    static const QStringList names = QStringLiteral(
        "tel tel-country-code tel-national tel-area-code tel-local tel-local-prefix "
        "tel-local-suffix tel-extension email impp").split(u' ');
    return names;
}

struct Token
{
    QString text; // lower case
    qsizetype position;
    qsizetype length;
};

} // namespace

ValueCheck checkAutofill(QStringView value, bool multiline)
{
    QList<Token> tokens;
    for (qsizetype i = 0; i < value.size();) {
        if (isHtmlSpace(value[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < value.size() && !isHtmlSpace(value[end]))
            ++end;
        tokens.append({value.sliced(i, end - i).toString().toLower(), i, end - i});
        i = end;
    }
    if (tokens.isEmpty())
        return valueProblem("autofill-empty");
    if (tokens.size() == 1 && (tokens[0].text == u"on" || tokens[0].text == u"off"))
        return {};
    const auto problem = [](const char *key, const Token &token) {
        return valueProblem(key, token.position, token.length, token.text);
    };
    qsizetype i = 0;
    if (tokens[i].text.startsWith(u"section-"))
        ++i;
    if (i < tokens.size() && (tokens[i].text == u"shipping" || tokens[i].text == u"billing"))
        ++i;
    bool contact = false;
    static const QStringList contactKinds = QStringLiteral("home work mobile fax pager").split(u' ');
    if (i < tokens.size() && contactKinds.contains(tokens[i].text)) {
        contact = true;
        ++i;
    }
    if (i == tokens.size())
        return problem("autofill-field-missing", tokens.last());
    const Token &field = tokens[i];
    const bool plain = fieldNames().contains(field.text);
    const bool contactField = contactFieldNames().contains(field.text);
    if (!plain && !contactField) {
        // A known token in the wrong place reads better as such than as an unknown name.
        const bool known = field.text == u"on" || field.text == u"off" || field.text == u"shipping"
                           || field.text == u"billing" || contactKinds.contains(field.text)
                           || field.text.startsWith(u"section-") || field.text == u"webauthn";
        return problem(known ? "autofill-order" : "autofill-unknown", field);
    }
    if (contact && !contactField)
        return problem("autofill-order", field);
    if (field.text == u"street-address" && !multiline)
        return problem("autofill-multiline", field);
    ++i;
    if (i < tokens.size() && tokens[i].text == u"webauthn")
        ++i;
    if (i < tokens.size())
        return problem("autofill-order", tokens[i]);
    return {};
}
