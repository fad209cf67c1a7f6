#include "html/conformance/value_texts.h"

#include <QHash>

namespace {

struct Text
{
    const char16_t *key;
    const char16_t *pattern;
};

const Text texts[] = {
    // Keywords and boolean attributes.
    {u"value-keyword", u"„%2“ ist kein Wert von „%1“ an <%3>; erlaubt sind: %4."},
    {u"value-keyword-in-set", u"„%1“ an <%3> kennt das Wort in „%2“ nicht; erlaubt sind: %4."},
    {u"value-duplicate-token", u"„%4“ steht in „%1“ zweimal; einmal genügt."},
    {u"value-boolean",
     u"„%1“ gilt schon durch sein Dasein: schreiben Sie nur %1 (oder %1=\"%1\"), nicht %1=\"%2\"."},

    // Numbers.
    {u"value-number-empty", u"„%1“ an <%3> braucht eine Zahl als Wert."},
    {u"value-non-negative-integer",
     u"Der Wert „%2“ von %1 muss eine ganze Zahl ohne Einheit und ohne Leerzeichen sein, z. B. %1=\"%4\"."},
    {u"value-positive-integer",
     u"Der Wert „%2“ von %1 muss eine ganze Zahl größer als 0 sein, ohne Einheit, z. B. %1=\"%4\"."},
    {u"value-integer", u"Der Wert „%2“ von %1 muss eine ganze Zahl sein (ohne „+“, Leerzeichen oder Einheit), z. B. %1=\"%4\"."},
    {u"value-float", u"Der Wert „%2“ von %1 muss eine Zahl sein, mit Punkt und ohne Einheit, z. B. 1.5, -3 oder 2e3."},
    {u"value-float-trailing-point", u"Die Zahl „%2“ von %1 darf nicht mit dem Punkt enden: schreiben Sie %4 oder eine Nachkommastelle."},
    {u"value-zero", u"Der Wert von %1 muss größer als 0 sein, nicht „%2“."},
    {u"value-negative", u"Der Wert von %1 darf nicht negativ sein, nicht „%2“."},
    {u"value-too-large", u"Der Wert „%2“ von %1 ist zu groß: höchstens %4."},
    {u"value-too-small", u"Der Wert „%2“ von %1 ist zu klein: mindestens %4."},

    // Dates and times.
    {u"value-year", u"„%2“ ist keine Jahreszahl: schreiben Sie vier Ziffern, z. B. 2024."},
    {u"value-month", u"„%2“ ist kein Monat für %1: schreiben Sie JJJJ-MM, z. B. 2024-03."},
    {u"value-date", u"„%2“ ist kein Datum für %1: schreiben Sie JJJJ-MM-TT, z. B. 2024-03-31."},
    {u"value-yearless-date", u"„%2“ ist kein Tag im Jahr: schreiben Sie MM-TT, z. B. 12-24."},
    {u"value-time", u"„%2“ ist keine Uhrzeit für %1: schreiben Sie hh:mm oder hh:mm:ss, z. B. 14:30."},
    {u"value-local-date-time",
     u"„%2“ ist kein Zeitpunkt für %1: schreiben Sie JJJJ-MM-TTThh:mm, z. B. 2024-03-31T14:30."},
    {u"value-timezone", u"„%2“ ist keine Zeitzone: schreiben Sie Z oder +hh:mm, z. B. +01:00."},
    {u"value-global-date-time",
     u"„%2“ ist kein Zeitpunkt mit Zeitzone: schreiben Sie z. B. 2024-03-31T14:30+02:00 oder 2024-03-31T12:30Z."},
    {u"value-week", u"„%2“ ist keine Kalenderwoche für %1: schreiben Sie JJJJ-Www, z. B. 2024-W13."},
    {u"value-duration", u"„%2“ ist keine Dauer: schreiben Sie z. B. PT1H30M oder 1h 30m."},
    {u"value-date-or-time",
     u"„%2“ versteht <time> nicht als Datum oder Zeit: schreiben Sie z. B. 2024-03-31, 14:30, 2024-03-31T14:30+01:00 oder PT2H."},
    {u"value-date-optional-time",
     u"„%2“ ist für %1 an <%3> kein Datum: schreiben Sie JJJJ-MM-TT oder mit Uhrzeit und Zeitzone, z. B. 2024-03-31T14:30Z."},
    {u"value-year-zero", u"Das Jahr in „%2“ muss mindestens 0001 sein."},
    {u"value-year-unusual", u"Das Jahr %4 in „%2“ ist ungewöhnlich: vertippt?"},
    {u"value-month-range", u"Den Monat in „%2“ gibt es nicht: Monate gehen von 01 bis 12."},
    {u"value-day-range", u"Den Tag in „%2“ gibt es nicht: dieser Monat hat %4 Tage."},
    {u"value-week-range", u"Die Woche in „%2“ gibt es nicht: dieses Jahr hat %4 Wochen."},
    {u"value-hour-range", u"Die Stunde in „%2“ gibt es nicht: Stunden gehen von 00 bis 23."},
    {u"value-minute-range", u"Die Minute in „%2“ gibt es nicht: Minuten gehen von 00 bis 59."},
    {u"value-second-range", u"Die Sekunde in „%2“ gibt es nicht: Sekunden gehen von 00 bis 59."},
    {u"value-fraction-digits", u"„%2“: Sekundenbruchteile haben höchstens drei Ziffern."},
    {u"value-timezone-hour-range", u"Die Zeitzone in „%2“ gibt es nicht: höchstens 23 Stunden Abstand."},
    {u"value-timezone-minus-zero", u"„%2“: die Zeitzone ohne Abstand schreibt man +00:00 oder Z, nicht mit Minus."},
    {u"value-timezone-unusual", u"Die Zeitzone in „%2“ gibt es auf der Erde nicht (von -12:00 bis +14:00): vertippt?"},
    {u"value-timezone-minutes", u"Die Minuten der Zeitzone in „%2“ sind ungewöhnlich (meist 00, 30 oder 45): vertippt?"},

    // Identifiers, references, small syntaxes.
    {u"value-id-empty", u"„%1“ an <%3> darf nicht leer sein."},
    {u"value-id-blank", u"Der Wert „%2“ von %1 darf keine Leerzeichen enthalten, z. B. %1=\"mein-name\"."},
    {u"value-hash-name", u"„%2“ in %1 muss mit # beginnen: schreiben Sie %1=\"#name\" mit dem Namen der <map>."},
    {u"value-hash-name-empty", u"Nach dem # in %1 fehlt der Name der <map>."},
    {u"value-access-key", u"„%4“ in %1 ist mehr als ein Zeichen: eine Taste ist ein Zeichen, z. B. accesskey=\"s\"."},
    {u"value-color", u"„%2“ ist keine Farbe für %1: schreiben Sie # und sechs Hexziffern, z. B. #ff8800."},
    {u"value-coords-number", u"In „%2“ (%1) steht keine ganze Zahl: nur Ziffern und Kommas, ohne Leerzeichen und Einheit."},
    {u"value-coords-circle", u"Ein Kreis braucht in %1 drei Zahlen (x,y,Radius), nicht „%2“."},
    {u"value-coords-radius", u"Der Radius in „%2“ darf nicht negativ sein."},
    {u"value-coords-rect", u"Ein Rechteck braucht in %1 vier Zahlen (links,oben,rechts,unten), nicht „%2“."},
    {u"value-coords-rect-order", u"In „%2“ muss links kleiner als rechts und oben kleiner als unten sein."},
    {u"value-coords-poly", u"Ein Vieleck braucht in %1 mindestens sechs Zahlen, paarweise x,y, nicht „%2“."},
    {u"value-coords-any",
     u"„%2“ passt zu keiner Form: ein Kreis hat drei Zahlen, ein Rechteck vier, ein Vieleck sechs oder mehr, paarweise."},
    {u"value-icon-sizes", u"„%2“ ist keine Größe für sizes: schreiben Sie z. B. sizes=\"16x16 32x32\" oder allein sizes=\"any\"."},
    {u"value-integrity", u"„%2“ ist keine Prüfsumme: sie beginnt mit sha256-, sha384- oder sha512-."},
    {u"value-browsing-context-empty", u"„%1“ an <%3> braucht einen Namen oder _blank, _self, _parent, _top."},
    {u"value-browsing-context-keyword",
     u"„%2“ ist kein Ziel für %1: Namen mit _ am Anfang sind _blank, _self, _parent und _top (neues Fenster: _blank)."},
    {u"value-browsing-context-underscore", u"Der Name „%2“ darf nicht mit _ beginnen."},
    {u"value-sizes-auto", u"sizes=\"auto\" gilt nur für Bilder, die später laden: schreiben Sie loading=\"lazy\" dazu."},

    // Character sets, types, page settings.
    {u"value-meta-charset", u"Die Seite muss als UTF-8 gespeichert sein: schreiben Sie <meta charset=\"utf-8\">, nicht „%2“."},
    {u"value-accept-charset", u"Formulare senden in UTF-8: schreiben Sie accept-charset=\"utf-8\" oder lassen Sie es weg."},
    {u"value-script-charset", u"Skripte sind in UTF-8: lassen Sie charset an <script> weg (erlaubt wäre nur utf-8)."},
    {u"value-content-type",
     u"„%2“: schreiben Sie content=\"text/html; charset=utf-8\", oder einfacher <meta charset=\"utf-8\">."},
    {u"value-refresh", u"„%2“ ist keine Angabe für refresh: schreiben Sie Sekunden, z. B. content=\"5\" oder content=\"5; url=seite.html\"."},
    {u"value-x-ua-compatible", u"Für X-UA-Compatible ist nur content=\"IE=edge\" erlaubt."},
    {u"value-viewport-zoom", u"„%2“ verbietet das Vergrößern der Seite: lassen Sie Lesern das Zoomen (user-scalable, maximum-scale weglassen)."},
    {u"value-style-type", u"„%2“: <style> kennt nur CSS; lassen Sie type weg."},
    {u"value-style-type-needless", u"type=\"%2\" an <style> ist überflüssig: lassen Sie es weg."},
    {u"value-script-type-needless", u"type=\"%2\" an <script> ist für JavaScript überflüssig: lassen Sie es weg."},

    // Web addresses.
    {u"url-empty", u"„%1“ an <%3> braucht eine Adresse, der Wert ist leer."},
    {u"url-space",
     u"Die Adresse „%2“ (%1) enthält ein Leerzeichen: schreiben Sie %4 dafür oder benennen Sie die Datei ohne Leerzeichen."},
    {u"url-tab-newline", u"Die Adresse „%2“ (%1) ist durch einen Zeilenumbruch oder Tabulator getrennt: schreiben Sie sie in einem Stück."},
    {u"url-invalid-char", u"„%4“ ist in der Adresse „%2“ (%1) nicht erlaubt: schreiben Sie es mit %-Kodierung."},
    {u"url-percent", u"In der Adresse „%2“ (%1) folgen auf % keine zwei Hexziffern: ein Prozentzeichen selbst schreibt man %4."},
    {u"url-backslash", u"Die Adresse „%2“ (%1) enthält einen Backslash \\: schreiben Sie Schrägstriche /."},
    {u"url-credentials", u"Die Adresse „%2“ (%1) enthält Benutzername oder Passwort vor dem @: lassen Sie sie weg."},
    {u"url-missing-slashes", u"Nach „%4:“ fehlen in „%2“ die zwei Schrägstriche: schreiben Sie %4://…"},
    {u"url-file-slashes", u"Nach „file:“ fehlen in „%2“ die zwei Schrägstriche: schreiben Sie file:///…"},
    {u"url-windows-drive", u"In „%2“ steht das Laufwerk mit | statt mit Doppelpunkt, z. B. file:///C:/…"},
    {u"url-host-empty", u"In der Adresse „%2“ (%1) fehlt der Rechnername nach //."},
    {u"url-host-char", u"„%4“ ist im Rechnernamen der Adresse „%2“ (%1) nicht erlaubt."},
    {u"url-ipv4", u"„%2“ (%1): der Rechnername sieht aus wie eine IP-Adresse, ist aber keine."},
    {u"url-ipv4-range", u"Die IP-Adresse in „%2“ (%1) hat eine Zahl über 255."},
    {u"url-ipv4-non-decimal", u"Die IP-Adresse in „%2“ (%1) hat einen Teil mit führender Null oder in Hexadezimal: schreiben Sie vier Dezimalzahlen."},
    {u"url-ipv6", u"Die IPv6-Adresse in den eckigen Klammern von „%2“ (%1) ist ungültig."},
    {u"url-port", u"Der Port in „%2“ (%1) darf nur Ziffern haben, nicht „%4“."},
    {u"url-port-range", u"Der Port in „%2“ (%1) ist zu groß: höchstens 65535."},
    {u"url-not-absolute", u"„%2“ ist keine vollständige Adresse für %1: sie braucht ein Schema, z. B. https://…"},
    {u"url-list-empty", u"„%1“ an <%3> braucht mindestens eine vollständige Adresse."},
    {u"url-ping-scheme", u"ping nimmt nur Adressen mit http: oder https:, nicht „%2“."},
    {u"url-data-fragment", u"Eine data:-Adresse hat kein #-Sprungziel: „%2“ (%1)."},

    // Language tags.
    {u"lang-empty", u"„%1“ an <%3> braucht einen Sprachcode, z. B. %1=\"de\"."},
    {u"lang-language-invalid", u"„%2“ ist kein Sprachcode für %1: schreiben Sie z. B. de, en oder de-AT (mit Bindestrich)."},
    {u"lang-language-unknown", u"Die Sprache „%4“ in %1=\"%2\" gibt es nicht: z. B. de für Deutsch, en für Englisch."},
    {u"lang-language-deprecated", u"Der Sprachcode „%2“ ist veraltet: schreiben Sie %4."},
    {u"lang-tag-deprecated", u"Der Sprachcode „%2“ ist veraltet: schreiben Sie %4."},
    {u"lang-extlang-bad", u"„%4“ in %1=\"%2\" ist keine Untersprache der Sprache davor."},
    {u"lang-script-unknown", u"Die Schrift „%4“ in %1=\"%2\" gibt es nicht (z. B. Latn, Cyrl)."},
    {u"lang-script-redundant", u"Die Schrift „%4“ in %1=\"%2\" ist für diese Sprache üblich: lassen Sie sie weg."},
    {u"lang-region-unknown", u"Die Region „%4“ in %1=\"%2\" gibt es nicht (z. B. DE, AT, CH)."},
    {u"lang-region-deprecated", u"Die Region in %1=\"%2\" gibt es nicht mehr; heute: %4."},
    {u"lang-extension-unknown", u"„%4“ in %1=\"%2\" ist keine bekannte Erweiterung (nur u und t)."},
    {u"lang-subtag-invalid", u"„%4“ passt in %1=\"%2\" an keine Stelle eines Sprachcodes."},

    // MIME types.
    {u"mime-empty", u"„%1“ an <%3> braucht einen Medientyp, z. B. text/html."},
    {u"mime-token", u"„%2“ ist kein Medientyp für %1: schreiben Sie Typ/Untertyp, z. B. text/css oder image/png."},
    {u"mime-subtype-missing", u"Im Medientyp „%2“ fehlt der Untertyp nach /, z. B. image/png."},
    {u"mime-parameters", u"Der Medientyp „%2“ darf hier keine Parameter mit ; haben."},
    {u"mime-parameter-missing", u"Nach dem Semikolon in „%2“ fehlt der Parameter: lassen Sie das ; weg."},
    {u"mime-parameter-value-missing", u"Dem Parameter in „%2“ fehlt der Wert, z. B. charset=utf-8."},
    {u"mime-quote-unfinished", u"In „%2“ fehlt das schließende Anführungszeichen."},
    {u"mime-accept-ending", u"In accept=\"%2\" fehlt nach dem Punkt die Dateiendung, z. B. .pdf."},
    {u"mime-accept-wildcard", u"In accept=\"%2\" gibt es * nur als audio/*, video/* oder image/*."},

    // Media queries and sizes.
    {u"media-syntax", u"„%2“ ist keine Medienabfrage für %1: z. B. screen and (min-width: 40em)."},
    {u"media-type-unknown", u"Den Medientyp „%4“ in „%2“ gibt es nicht: all, screen oder print."},
    {u"media-type-deprecated", u"Der Medientyp „%4“ in „%2“ ist veraltet: nehmen Sie all, screen oder print mit Merkmalen."},
    {u"media-length-unit", u"Die Länge für %4 in „%2“ braucht eine Einheit, z. B. 400px oder 25em."},
    {u"media-feature-value", u"In „%2“ passt der Wert nicht zum Merkmal %4."},
    {u"sizes-empty", u"sizes braucht mindestens eine Breite, z. B. sizes=\"100vw\"."},
    {u"sizes-length", u"In sizes=\"%2\" steht keine Breite: schreiben Sie eine Länge mit Einheit, z. B. 100vw oder 600px."},
    {u"sizes-negative", u"In sizes=\"%2\" steht eine negative Breite."},
    {u"sizes-last-condition", u"Die letzte Angabe in sizes=\"%2\" braucht keine Bedingung: sie gilt, wenn keine andere passt."},

    // srcset.
    {u"srcset-empty", u"srcset an <%3> braucht mindestens ein Bild, z. B. srcset=\"bild.jpg 1x, bild-gross.jpg 2x\"."},
    {u"srcset-empty-candidate", u"In srcset=\"%2\" steht ein Komma zu viel."},
    {u"srcset-descriptors", u"In srcset=\"%2\" hat ein Bild mehr als eine Angabe (%4): eine Breite (480w) oder eine Dichte (2x)."},
    {u"srcset-descriptor", u"„%4“ in srcset ist keine Angabe: schreiben Sie eine Breite wie 480w oder eine Dichte wie 2x (größer als 0)."},
    {u"srcset-width-expected", u"Mit sizes braucht jedes Bild in srcset eine Breite wie 480w (auch „%4“)."},
    {u"srcset-duplicate-density", u"Zwei Bilder in srcset haben dieselbe Dichte (wie „%4“): jede Dichte einmal."},
    {u"srcset-duplicate-width", u"Zwei Bilder in srcset haben dieselbe Breite (wie „%4“): jede Breite einmal."},
    {u"srcset-needs-sizes", u"srcset mit Breiten (w) braucht sizes, z. B. sizes=\"100vw\"."},

    // autocomplete.
    {u"autofill-empty", u"autocomplete an <%3> braucht einen Wert, z. B. on, off oder email."},
    {u"autofill-unknown", u"„%4“ ist kein Feldname für autocomplete, z. B. name, email, tel, street-address."},
    {u"autofill-order", u"„%4“ steht in autocomplete=\"%2\" an falscher Stelle (Reihenfolge: section-…, shipping/billing, home/work…, Feldname)."},
    {u"autofill-field-missing", u"In autocomplete=\"%2\" fehlt der Feldname, z. B. email."},
    {u"autofill-multiline", u"„%4“ hat mehrere Zeilen und passt nur zu <textarea> oder <select>; für <input> nehmen Sie address-line1."},
};

const QHash<QString, QString> &table()
{
    static const QHash<QString, QString> byKey = [] {
        QHash<QString, QString> hash;
        for (const Text &text : texts)
            hash.insert(QString::fromUtf16(text.key), QString::fromUtf16(text.pattern));
        return hash;
    }();
    return byKey;
}

} // namespace

namespace ValueTexts {

QString pattern(const QString &key)
{
    return table().value(key);
}

QStringList keys()
{
    return table().keys();
}

} // namespace ValueTexts
