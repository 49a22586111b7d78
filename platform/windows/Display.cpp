#include "platform/Display.h"

namespace talvero {

bool WindowSystemAvailable()
{
    return true;  // the desktop is always there
}

}  // namespace talvero
