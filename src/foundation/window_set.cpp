#include "foundation/window_set.h"

WindowSet &windows()
{
    static WindowSet set;
    return set;
}
