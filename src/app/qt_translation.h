#pragma once

// Installs Qt's German translation (qtbase_de from Debian's qt6-translations-l10n), so that Qt's
// own texts speak German: the file and font dialogs, context menus, the command line help.
// Texts the program names itself stay as they are. False when the translation is not installed;
// Qt's texts then stay English.
bool loadGermanQtTranslation();
