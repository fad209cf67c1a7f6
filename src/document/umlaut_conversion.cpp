#include "document/umlaut_conversion.h"

#include "document/text_editor.h"

bool UmlautConversion::sweep()
{
    return false;
}
