#pragma once

#include <QString>
#include <QStringView>

// The editor form of a text: CR, LF and CR LF each become one "\n". Every text that enters an
// editor goes this way, since the editor holds lines and not lone CR or LF characters.
QString toEditorLineBreaks(QStringView text);
