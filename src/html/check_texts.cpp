#include "html/check_texts.h"

#include "html/check_protocol.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

struct Text
{
    const char16_t *key;
    const char16_t *pattern;
};

// Tidy's arguments: element names come with their angle brackets ("<img>") where tidy's own
// text shows them so, bare ("b") where tidy adds the brackets itself.
const Text texts[] = {
    // The checks of the markup.
    {u"ADDED_MISSING_CHARSET", u"Fehlendes <meta charset=...> in %1 ergänzt"},
    {u"ANCHOR_NOT_UNIQUE", u"%1: Anker „%2“ gibt es schon"},
    {u"APOS_UNDEFINED", u"&apos; gibt es nur in XML und XHTML"},
    {u"ATTR_VALUE_NOT_LCASE", u"%1: Wert „%2“ muss in XHTML klein geschrieben sein"},
    {u"ATTRIBUTE_IS_NOT_ALLOWED", u"%1: Attribut „is“ ist bei eigenen Elementen nicht erlaubt"},
    {u"ATTRIBUTE_VALUE_REPLACED", u"%1: Attribut „%2“, falscher Wert „%3“ ersetzt"},
    {u"BACKSLASH_IN_URI", u"%1: Adresse enthält einen Backslash, Tippfehler?"},
    {u"BAD_ATTRIBUTE_VALUE_REPLACED", u"%1: Attribut „%2“ hat den ungültigen Wert „%3“ (ersetzt)"},
    {u"BAD_ATTRIBUTE_VALUE", u"%1: Attribut „%2“ hat den ungültigen Wert „%3“"},
    {u"BAD_CDATA_CONTENT", u"„</“ mit Buchstabe ist hier nicht erlaubt"},
    {u"BAD_SUMMARY_HTML5", u"%1: Attribut summary ist in HTML5 veraltet"},
    {u"BAD_SURROGATE_LEAD", u"Einzelnes hinteres Ersatzzeichen U+%1, durch U+FFFD ersetzt"},
    {u"BAD_SURROGATE_PAIR", u"Ungültiges Ersatzzeichenpaar U+%1:U+%2, durch U+FFFD ersetzt"},
    {u"BAD_SURROGATE_TAIL", u"Einzelnes vorderes Ersatzzeichen U+%1, durch U+FFFD ersetzt"},
    {u"CANT_BE_NESTED", u"%1 darf nicht verschachtelt werden"},
    {u"COERCE_TO_ENDTAG", u"<%1> ist wohl als </%2> gemeint"},
    {u"CONTENT_AFTER_BODY", u"Inhalt nach dem Ende von <body>"},
    {u"CUSTOM_TAG_DETECTED", u"Eigenes Element %1, behandelt als %2"},
    {u"DISCARDING_UNEXPECTED", u"Unerwartetes %1 wird übergangen"},
    {u"DOCTYPE_AFTER_TAGS", u"<!DOCTYPE> ist nach Elementen nicht erlaubt"},
    {u"DUPLICATE_FRAMESET", u"<frameset> wiederholt"},
    {u"ELEMENT_NOT_EMPTY", u"%1 ist nicht leer oder nicht geschlossen"},
    {u"ELEMENT_VERS_MISMATCH_ERROR", u"%1 gibt es in %2 nicht"},
    {u"ELEMENT_VERS_MISMATCH_WARN", u"%1 gibt es in %2 nicht"},
    {u"ENCODING_MISMATCH", u"Angegebene Kodierung (%1) passt nicht zur tatsächlichen (%2)"},
    {u"ESCAPED_ILLEGAL_URI", u"%1: fehlerhafte Adresse maskiert"},
    {u"FILE_CANT_OPEN", u"„%1“ lässt sich nicht öffnen"},
    {u"FILE_CANT_OPEN_CFG", u"Einstellungsdatei „%1“ lässt sich nicht öffnen"},
    {u"FILE_NOT_FILE", u"„%1“ ist keine Datei"},
    {u"FIXED_BACKSLASH", u"%1: Backslash in der Adresse wird zu /"},
    {u"FOUND_STYLE_IN_BODY", u"<style> steht in <body>"},
    {u"ID_NAME_MISMATCH", u"%1: id und name haben verschiedene Werte"},
    {u"ILLEGAL_NESTING", u"%1 sollte nicht verschachtelt werden"},
    {u"ILLEGAL_URI_CODEPOINT", u"%1: unerlaubte Zeichen in der Adresse"},
    {u"ILLEGAL_URI_REFERENCE", u"%1: Adresse nicht richtig maskiert"},
    {u"INSERTING_AUTO_ATTRIBUTE", u"%1: Attribut „%2“ mit Wert „%3“ eingefügt"},
    {u"INSERTING_TAG", u"<%1> wird ergänzt"},
    {u"INVALID_ATTRIBUTE", u"%1: Attributname „%2“ (Wert „%3“) ist ungültig"},
    {u"INVALID_NCR", u"%1: ungültige numerische Zeichenreferenz %2"},
    {u"INVALID_SGML_CHARS", u"%1: ungültiger Zeichencode %2"},
    {u"INVALID_UTF8", u"%1: ungültige UTF-8-Bytes (Zeichencode %2)"},
    {u"INVALID_UTF16", u"%1: ungültiges UTF-16-Ersatzzeichenpaar (Zeichencode %2)"},
    {u"INVALID_XML_ID", u"%1: name lässt sich nicht als id übernehmen"},
    {u"JOINING_ATTRIBUTE", u"%1: Werte des doppelten Attributs „%2“ zusammengefasst"},
    {u"MALFORMED_COMMENT", u"Benachbarte „-“ im Kommentar durch „=“ ersetzt"},
    {u"MALFORMED_COMMENT_DROPPING", u"Möglicher Kommentar mit fehlendem Bindestrich übergangen"},
    {u"MALFORMED_COMMENT_EOS", u"Kommentar bis zum Ende der Seite nicht geschlossen"},
    {u"MALFORMED_COMMENT_WARN", u"Zwei Bindestriche hintereinander im Kommentar"},
    {u"MALFORMED_DOCTYPE", u"Fehlerhaftes <!DOCTYPE> wird übergangen"},
    {u"MISMATCHED_ATTRIBUTE_ERROR", u"%1: Attribut „%2“ ist in %3 nicht erlaubt"},
    {u"MISMATCHED_ATTRIBUTE_WARN", u"%1: Attribut „%2“ ist in %3 nicht erlaubt"},
    {u"MISSING_ATTR_VALUE", u"%1: Attribut „%2“ ohne Wert"},
    {u"MISSING_ATTRIBUTE", u"%1 ohne %2-Attribut"},
    {u"MISSING_DOCTYPE", u"<!DOCTYPE> fehlt"},
    {u"MISSING_ENDTAG_BEFORE", u"<%1> wird vor %2 nicht geschlossen"},
    {u"MISSING_ENDTAG_FOR", u"</%1> fehlt"},
    {u"MISSING_ENDTAG_OPTIONAL", u"Das freiwillige </%1> fehlt"},
    {u"MISSING_IMAGEMAP", u"%1 sollte eine Bildkarte im Browser benutzen"},
    {u"MISSING_QUOTEMARK", u"%1: Attributwert ohne schließendes Anführungszeichen"},
    {u"MISSING_QUOTEMARK_OPEN", u"Wert von „%1“ steht nicht in Anführungszeichen"},
    {u"MISSING_SEMICOLON_NCR", u"Zeichenreferenz „%1“ endet nicht mit „;“"},
    {u"MISSING_SEMICOLON", u"Entity „%1“ endet nicht mit „;“"},
    {u"MISSING_STARTTAG", u"<%1> fehlt"},
    {u"MISSING_TITLE_ELEMENT", u"<title> fehlt"},
    {u"MOVED_STYLE_TO_HEAD", u"<style> gehört in <head>"},
    {u"NESTED_EMPHASIS", u"Verschachtelte Hervorhebung %1"},
    {u"NESTED_QUOTATION", u"<q> in <q>, Tippfehler?"},
    {u"NEWLINE_IN_URI", u"%1: Zeilenumbruch in der Adresse wird übergangen"},
    {u"NOFRAMES_CONTENT", u"%1 steht nicht in <noframes>"},
    {u"NON_MATCHING_ENDTAG", u"Unerwartetes %1 wird zu </%2>"},
    {u"OBSOLETE_ELEMENT", u"Veraltetes %1 wird zu %2"},
    {u"OPTION_REMOVED", u"Option „%1“ gibt es nicht mehr"},
    {u"OPTION_REMOVED_APPLIED", u"Option „%1“ durch „%2“ ersetzt, auf „%3“ gesetzt"},
    {u"OPTION_REMOVED_UNAPPLIED", u"Option „%1“ durch „%2“ ersetzt, aber nicht gesetzt"},
    {u"PREVIOUS_LOCATION", u"<%1> kam vorher schon vor"},
    {u"PROPRIETARY_ATTR_VALUE", u"%1: nicht standardisierter Attributwert „%2“"},
    {u"PROPRIETARY_ATTRIBUTE", u"%1: Attribut „%2“ ist nicht standardisiert"},
    {u"PROPRIETARY_ELEMENT", u"%1 ist nicht standardisiert (W3C)"},
    {u"REMOVED_HTML5", u"%1 gibt es in HTML5 nicht mehr"},
    {u"REPEATED_ATTRIBUTE", u"%1: Wert „%2“ des doppelten Attributs „%3“ wird übergangen"},
    {u"REPLACING_ELEMENT", u"%1 wird durch %2 ersetzt"},
    {u"REPLACING_UNEX_ELEMENT", u"Unerwartetes %1 wird durch %2 ersetzt"},
    {u"SPACE_PRECEDING_XMLDECL", u"Leerraum vor der XML-Deklaration"},
    {u"STRING_CONTENT_LOOKS", u"Der Inhalt sieht nach %1 aus"},
    {u"STRING_ARGUMENT_BAD", u"Option „%1“ mit falschem Wert „%2“"},
    {u"STRING_DOCTYPE_GIVEN", u"Angegebener Dokumenttyp: „%1“"},
    {u"STRING_MISSING_MALFORMED", u"Wert für Option %1 fehlt oder ist falsch"},
    {u"STRING_MUTING_TYPE", u"Meldungen „%1“ werden nicht gezeigt"},
    {u"STRING_NO_SYSID", u"Kein Systembezeichner im Dokumenttyp"},
    {u"STRING_UNKNOWN_OPTION", u"Unbekannte Option: %1"},
    {u"SUSPECTED_MISSING_QUOTE", u"Anführungszeichen beim Attributwert vergessen?"},
    {u"TAG_NOT_ALLOWED_IN", u"%1 ist in <%2> nicht erlaubt"},
    {u"TOO_MANY_ELEMENTS_IN", u"Zu viele %1 in <%2>"},
    {u"TOO_MANY_ELEMENTS", u"Zu viele %1"},
    {u"TRIM_EMPTY_ELEMENT", u"Leeres %1"},
    {u"UNESCAPED_AMPERSAND", u"& allein sollte &amp; geschrieben werden"},
    {u"UNEXPECTED_END_OF_FILE_ATTR", u"%1: Seite endet mitten in den Attributen"},
    {u"UNEXPECTED_END_OF_FILE", u"Unerwartetes Ende der Seite %1"},
    {u"UNEXPECTED_ENDTAG_ERR", u"Unerwartetes </%1>"},
    {u"UNEXPECTED_ENDTAG_IN", u"Unerwartetes </%1> in <%2>"},
    {u"UNEXPECTED_ENDTAG", u"Unerwartetes </%1>"},
    {u"UNEXPECTED_EQUALSIGN", u"%1: unerwartetes „=“, Attributname erwartet"},
    {u"UNEXPECTED_GT", u"%1: „>“ am Ende des Tags fehlt"},
    {u"UNEXPECTED_QUOTEMARK", u"%1: unerwartetes oder doppeltes Anführungszeichen"},
    {u"UNKNOWN_ELEMENT_LOOKS_CUSTOM", u"%1 ist kein HTML-Element"},
    {u"UNKNOWN_ELEMENT", u"%1 ist kein HTML-Element"},
    {u"UNKNOWN_ENTITY", u"& allein oder unbekannte Entity „%1“"},
    {u"USING_BR_INPLACE_OF", u"<br> statt %1"},
    {u"VENDOR_SPECIFIC_CHARS", u"%1: herstellerabhängiger Zeichencode %2"},
    {u"WHITE_IN_URI", u"%1: Leerraum in der Adresse wird übergangen"},
    {u"XML_DECLARATION_DETECTED", u"XML-Deklaration gefunden"},
    {u"XML_ID_SYNTAX", u"%1: ID „%2“ folgt der XML-Schreibweise"},

    // The accessibility checks (WCAG 1.0, numbered as tidy numbers them).
    {u"IMG_MISSING_ALT", u"[1.1.1.1] <img> ohne alt-Text"},
    {u"IMG_ALT_SUSPICIOUS_FILENAME", u"[1.1.1.2] alt-Text ist ein Dateiname"},
    {u"IMG_ALT_SUSPICIOUS_FILE_SIZE", u"[1.1.1.3] alt-Text ist eine Dateigröße"},
    {u"IMG_ALT_SUSPICIOUS_PLACEHOLDER", u"[1.1.1.4] alt-Text ist ein Platzhalter"},
    {u"IMG_ALT_SUSPICIOUS_TOO_LONG", u"[1.1.1.10] alt-Text ist zu lang"},
    {u"IMG_MISSING_LONGDESC_DLINK", u"[1.1.2.1] <img> ohne longdesc und D-Link"},
    {u"IMG_MISSING_DLINK", u"[1.1.2.2] <img> ohne D-Link"},
    {u"IMG_MISSING_LONGDESC", u"[1.1.2.3] <img> ohne longdesc"},
    {u"IMG_BUTTON_MISSING_ALT", u"[1.1.3.1] Bildschaltfläche ohne alt-Text"},
    {u"APPLET_MISSING_ALT", u"[1.1.4.1] <applet> ohne Ersatzinhalt"},
    {u"OBJECT_MISSING_ALT", u"[1.1.5.1] <object> ohne Ersatzinhalt"},
    {u"AUDIO_MISSING_TEXT_WAV", u"[1.1.6.1] Ton ohne Textfassung (wav)"},
    {u"AUDIO_MISSING_TEXT_AU", u"[1.1.6.2] Ton ohne Textfassung (au)"},
    {u"AUDIO_MISSING_TEXT_AIFF", u"[1.1.6.3] Ton ohne Textfassung (aiff)"},
    {u"AUDIO_MISSING_TEXT_SND", u"[1.1.6.4] Ton ohne Textfassung (snd)"},
    {u"AUDIO_MISSING_TEXT_RA", u"[1.1.6.5] Ton ohne Textfassung (ra)"},
    {u"AUDIO_MISSING_TEXT_RM", u"[1.1.6.6] Ton ohne Textfassung (rm)"},
    {u"FRAME_MISSING_LONGDESC", u"[1.1.8.1] <frame> braucht vielleicht longdesc"},
    {u"AREA_MISSING_ALT", u"[1.1.9.1] <area> ohne alt-Text"},
    {u"SCRIPT_MISSING_NOSCRIPT", u"[1.1.10.1] <script> ohne <noscript>"},
    {u"ASCII_REQUIRES_DESCRIPTION", u"[1.1.12.1] ASCII-Bild braucht eine Beschreibung"},
    {u"IMG_MAP_SERVER_REQUIRES_TEXT_LINKS", u"[1.2.1.1] Bildkarte (Server) braucht Textlinks"},
    {u"MULTIMEDIA_REQUIRES_TEXT", u"[1.4.1.1] Multimedia braucht gleichlaufenden Text"},
    {u"IMG_MAP_CLIENT_MISSING_TEXT_LINKS", u"[1.5.1.1] Bildkarte (Browser) ohne Textlinks"},
    {u"INFORMATION_NOT_CONVEYED_IMAGE", u"[2.1.1.1] Nicht nur durch Farbe informieren (Bild)"},
    {u"INFORMATION_NOT_CONVEYED_APPLET", u"[2.1.1.2] Nicht nur durch Farbe informieren (Applet)"},
    {u"INFORMATION_NOT_CONVEYED_OBJECT", u"[2.1.1.3] Nicht nur durch Farbe informieren (Objekt)"},
    {u"INFORMATION_NOT_CONVEYED_SCRIPT", u"[2.1.1.4] Nicht nur durch Farbe informieren (Skript)"},
    {u"INFORMATION_NOT_CONVEYED_INPUT", u"[2.1.1.5] Nicht nur durch Farbe informieren (Eingabe)"},
    {u"COLOR_CONTRAST_TEXT", u"[2.2.1.1] Schwacher Farbkontrast (Text)"},
    {u"COLOR_CONTRAST_LINK", u"[2.2.1.2] Schwacher Farbkontrast (Link)"},
    {u"COLOR_CONTRAST_ACTIVE_LINK", u"[2.2.1.3] Schwacher Farbkontrast (aktiver Link)"},
    {u"COLOR_CONTRAST_VISITED_LINK", u"[2.2.1.4] Schwacher Farbkontrast (besuchter Link)"},
    {u"DOCTYPE_MISSING", u"[3.2.1.1] <!DOCTYPE> fehlt"},
    {u"STYLE_SHEET_CONTROL_PRESENTATION", u"[3.3.1.1] Darstellung mit Stilvorlagen steuern"},
    {u"HEADERS_IMPROPERLY_NESTED", u"[3.5.1.1] Überschriften falsch geschachtelt"},
    {u"POTENTIAL_HEADER_BOLD", u"[3.5.2.1] Mögliche Überschrift (fett)"},
    {u"POTENTIAL_HEADER_ITALICS", u"[3.5.2.2] Mögliche Überschrift (kursiv)"},
    {u"POTENTIAL_HEADER_UNDERLINE", u"[3.5.2.3] Mögliche Überschrift (unterstrichen)"},
    {u"HEADER_USED_FORMAT_TEXT", u"[3.5.3.1] Überschrift zum Formatieren benutzt"},
    {u"LIST_USAGE_INVALID_UL", u"[3.6.1.1] Liste falsch benutzt <ul>"},
    {u"LIST_USAGE_INVALID_OL", u"[3.6.1.2] Liste falsch benutzt <ol>"},
    {u"LIST_USAGE_INVALID_LI", u"[3.6.1.4] Liste falsch benutzt <li>"},
    {u"LANGUAGE_NOT_IDENTIFIED", u"[4.3.1.1] Sprache nicht angegeben"},
    {u"LANGUAGE_INVALID", u"[4.3.1.2] Sprachattribut ungültig"},
    {u"DATA_TABLE_MISSING_HEADERS", u"[5.1.2.1] Datentabelle ohne Kopfzellen (alle)"},
    {u"DATA_TABLE_MISSING_HEADERS_COLUMN", u"[5.1.2.2] Datentabelle ohne Kopfzellen (1 Spalte)"},
    {u"DATA_TABLE_MISSING_HEADERS_ROW", u"[5.1.2.3] Datentabelle ohne Kopfzellen (1 Zeile)"},
    {u"DATA_TABLE_REQUIRE_MARKUP_COLUMN_HEADERS", u"[5.2.1.1] Datentabelle braucht Spaltenköpfe"},
    {u"DATA_TABLE_REQUIRE_MARKUP_ROW_HEADERS", u"[5.2.1.2] Datentabelle braucht Zeilenköpfe"},
    {u"LAYOUT_TABLES_LINEARIZE_PROPERLY", u"[5.3.1.1] Layouttabelle der Reihe nach lesbar?"},
    {u"LAYOUT_TABLE_INVALID_MARKUP", u"[5.4.1.1] Ungültiges Markup in Layouttabelle"},
    {u"TABLE_MISSING_SUMMARY", u"[5.5.1.1] <table> ohne summary"},
    {u"TABLE_SUMMARY_INVALID_NULL", u"[5.5.1.2] summary von <table> ist leer"},
    {u"TABLE_SUMMARY_INVALID_SPACES", u"[5.5.1.3] summary von <table> nur Leerzeichen"},
    {u"TABLE_SUMMARY_INVALID_PLACEHOLDER", u"[5.5.1.6] summary von <table> ist ein Platzhalter"},
    {u"TABLE_MISSING_CAPTION", u"[5.5.2.1] <table> ohne <caption>"},
    {u"TABLE_MAY_REQUIRE_HEADER_ABBR", u"[5.6.1.1] <table> braucht vielleicht Kopfkürzel"},
    {u"TABLE_MAY_REQUIRE_HEADER_ABBR_NULL", u"[5.6.1.2] Kopfkürzel von <table> leer"},
    {u"TABLE_MAY_REQUIRE_HEADER_ABBR_SPACES", u"[5.6.1.3] Kopfkürzel von <table> nur Leerzeichen"},
    {u"STYLESHEETS_REQUIRE_TESTING_LINK", u"[6.1.1.1] Stilvorlagen prüfen (link)"},
    {u"STYLESHEETS_REQUIRE_TESTING_STYLE_ELEMENT", u"[6.1.1.2] Stilvorlagen prüfen (style)"},
    {u"STYLESHEETS_REQUIRE_TESTING_STYLE_ATTR", u"[6.1.1.3] Stilvorlagen prüfen (style-Attribut)"},
    {u"FRAME_SRC_INVALID", u"[6.2.1.1] Quelle von <frame> ungültig"},
    {u"TEXT_EQUIVALENTS_REQUIRE_UPDATING_APPLET", u"[6.2.2.1] Textfassung aktualisieren (Applet)"},
    {u"TEXT_EQUIVALENTS_REQUIRE_UPDATING_SCRIPT", u"[6.2.2.2] Textfassung aktualisieren (Skript)"},
    {u"TEXT_EQUIVALENTS_REQUIRE_UPDATING_OBJECT", u"[6.2.2.3] Textfassung aktualisieren (Objekt)"},
    {u"PROGRAMMATIC_OBJECTS_REQUIRE_TESTING_SCRIPT", u"[6.3.1.1] Programmteile prüfen (Skript)"},
    {u"PROGRAMMATIC_OBJECTS_REQUIRE_TESTING_OBJECT", u"[6.3.1.2] Programmteile prüfen (Objekt)"},
    {u"PROGRAMMATIC_OBJECTS_REQUIRE_TESTING_EMBED", u"[6.3.1.3] Programmteile prüfen (embed)"},
    {u"PROGRAMMATIC_OBJECTS_REQUIRE_TESTING_APPLET", u"[6.3.1.4] Programmteile prüfen (Applet)"},
    {u"FRAME_MISSING_NOFRAMES", u"[6.5.1.1] <frameset> ohne <noframes>"},
    {u"NOFRAMES_INVALID_NO_VALUE", u"[6.5.1.2] <noframes> ist leer"},
    {u"NOFRAMES_INVALID_CONTENT", u"[6.5.1.3] Inhalt von <noframes> ungültig"},
    {u"NOFRAMES_INVALID_LINK", u"[6.5.1.4] Link in <noframes> ungültig"},
    {u"REMOVE_FLICKER_SCRIPT", u"[7.1.1.1] Flackern vermeiden (Skript)"},
    {u"REMOVE_FLICKER_OBJECT", u"[7.1.1.2] Flackern vermeiden (Objekt)"},
    {u"REMOVE_FLICKER_EMBED", u"[7.1.1.3] Flackern vermeiden (embed)"},
    {u"REMOVE_FLICKER_APPLET", u"[7.1.1.4] Flackern vermeiden (Applet)"},
    {u"REMOVE_FLICKER_ANIMATED_GIF", u"[7.1.1.5] Flackern vermeiden (animiertes GIF)"},
    {u"REMOVE_BLINK_MARQUEE", u"[7.2.1.1] Blinken und <marquee> vermeiden"},
    {u"REMOVE_AUTO_REFRESH", u"[7.4.1.1] Automatisches Neuladen vermeiden"},
    {u"REMOVE_AUTO_REDIRECT", u"[7.5.1.1] Automatische Weiterleitung vermeiden"},
    {u"ENSURE_PROGRAMMATIC_OBJECTS_ACCESSIBLE_SCRIPT", u"[8.1.1.1] Programmteile zugänglich? (Skript)"},
    {u"ENSURE_PROGRAMMATIC_OBJECTS_ACCESSIBLE_OBJECT", u"[8.1.1.2] Programmteile zugänglich? (Objekt)"},
    {u"ENSURE_PROGRAMMATIC_OBJECTS_ACCESSIBLE_APPLET", u"[8.1.1.3] Programmteile zugänglich? (Applet)"},
    {u"ENSURE_PROGRAMMATIC_OBJECTS_ACCESSIBLE_EMBED", u"[8.1.1.4] Programmteile zugänglich? (embed)"},
    {u"IMAGE_MAP_SERVER_SIDE_REQUIRES_CONVERSION", u"[9.1.1.1] Bildkarte (Server) umstellen"},
    {u"SCRIPT_NOT_KEYBOARD_ACCESSIBLE_ON_MOUSE_DOWN", u"[9.3.1.1] <script> ohne Tastatur (onMouseDown)"},
    {u"SCRIPT_NOT_KEYBOARD_ACCESSIBLE_ON_MOUSE_UP", u"[9.3.1.2] <script> ohne Tastatur (onMouseUp)"},
    {u"SCRIPT_NOT_KEYBOARD_ACCESSIBLE_ON_CLICK", u"[9.3.1.3] <script> ohne Tastatur (onClick)"},
    {u"SCRIPT_NOT_KEYBOARD_ACCESSIBLE_ON_MOUSE_OVER", u"[9.3.1.4] <script> ohne Tastatur (onMouseOver)"},
    {u"SCRIPT_NOT_KEYBOARD_ACCESSIBLE_ON_MOUSE_OUT", u"[9.3.1.5] <script> ohne Tastatur (onMouseOut)"},
    {u"SCRIPT_NOT_KEYBOARD_ACCESSIBLE_ON_MOUSE_MOVE", u"[9.3.1.6] <script> ohne Tastatur (onMouseMove)"},
    {u"NEW_WINDOWS_REQUIRE_WARNING_NEW", u"[10.1.1.1] Vor neuen Fenstern warnen (_new)"},
    {u"NEW_WINDOWS_REQUIRE_WARNING_BLANK", u"[10.1.1.2] Vor neuen Fenstern warnen (_blank)"},
    {u"REPLACE_DEPRECATED_HTML_APPLET", u"[11.2.1.1] Veraltetes <applet> ersetzen"},
    {u"REPLACE_DEPRECATED_HTML_BASEFONT", u"[11.2.1.2] Veraltetes <basefont> ersetzen"},
    {u"REPLACE_DEPRECATED_HTML_CENTER", u"[11.2.1.3] Veraltetes <center> ersetzen"},
    {u"REPLACE_DEPRECATED_HTML_DIR", u"[11.2.1.4] Veraltetes <dir> ersetzen"},
    {u"REPLACE_DEPRECATED_HTML_FONT", u"[11.2.1.5] Veraltetes <font> ersetzen"},
    {u"REPLACE_DEPRECATED_HTML_ISINDEX", u"[11.2.1.6] Veraltetes <isindex> ersetzen"},
    {u"REPLACE_DEPRECATED_HTML_MENU", u"[11.2.1.7] Veraltetes <menu> ersetzen"},
    {u"REPLACE_DEPRECATED_HTML_S", u"[11.2.1.8] Veraltetes <s> ersetzen"},
    {u"REPLACE_DEPRECATED_HTML_STRIKE", u"[11.2.1.9] Veraltetes <strike> ersetzen"},
    {u"REPLACE_DEPRECATED_HTML_U", u"[11.2.1.10] Veraltetes <u> ersetzen"},
    {u"FRAME_MISSING_TITLE", u"[12.1.1.1] <frame> ohne title"},
    {u"FRAME_TITLE_INVALID_NULL", u"[12.1.1.2] title von <frame> ist leer"},
    {u"FRAME_TITLE_INVALID_SPACES", u"[12.1.1.3] title von <frame> nur Leerzeichen"},
    {u"ASSOCIATE_LABELS_EXPLICITLY", u"[12.4.1.1] <label> ausdrücklich zuordnen"},
    {u"ASSOCIATE_LABELS_EXPLICITLY_FOR", u"[12.4.1.2] <label> ausdrücklich zuordnen (for)"},
    {u"ASSOCIATE_LABELS_EXPLICITLY_ID", u"[12.4.1.3] <label> ausdrücklich zuordnen (id)"},
    {u"LINK_TEXT_NOT_MEANINGFUL", u"[13.1.1.1] Linktext sagt nichts"},
    {u"LINK_TEXT_MISSING", u"[13.1.1.2] Linktext fehlt"},
    {u"LINK_TEXT_TOO_LONG", u"[13.1.1.3] Linktext zu lang"},
    {u"LINK_TEXT_NOT_MEANINGFUL_CLICK_HERE", u"[13.1.1.4] Linktext sagt nichts (hier klicken)"},
    {u"METADATA_MISSING", u"[13.2.1.1] Metadaten fehlen"},
    {u"METADATA_MISSING_REDIRECT_AUTOREFRESH", u"[13.2.1.3] Metadaten fehlen (Weiterleitung)"},
    {u"SKIPOVER_ASCII_ART", u"[13.10.1.1] ASCII-Bild überspringbar machen"},
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

// Tidy fills a few of its own English words in where an element name would stand.
QString german(const QString &argument)
{
    if (argument == u"plain text")
        return u"Text"_s;
    if (argument == u"XML declaration")
        return u"XML-Deklaration"_s;
    return argument;
}

// One pass, so that an argument holding "%2" stays as it is.
QString filledIn(const QString &pattern, const QStringList &arguments)
{
    QString out;
    out.reserve(pattern.size() + 16);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size() && pattern[i + 1].isDigit()) {
            const qsizetype index = pattern[i + 1].digitValue() - 1;
            out += index >= 0 && index < arguments.size() ? german(arguments[index]) : QString();
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString counted(int count, const QString &one, const QString &many)
{
    return u"%1 %2"_s.arg(count).arg(count == 1 ? one : many);
}

} // namespace

QString CheckTexts::pattern(const QString &key)
{
    return table().value(key);
}

QString CheckTexts::text(const CheckMessage &message)
{
    const QString german = pattern(message.key);
    return german.isNull() ? message.key : filledIn(german, message.arguments);
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
