#include "foundation/error_display.h"

#include "foundation/modal_dialogs.h"

using namespace Qt::StringLiterals;

QString applicationTitle()
{
    return u"tagschmied"_s;
}

QString errorDisplayText(const QString &message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void showError(const QString &message)
{
    modalHooks().errorBox(applicationTitle(), errorDisplayText(message));
}
