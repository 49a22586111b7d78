#include "platform/AppFolder.h"

namespace talvero {

char NativeSeparator()
{
    return '/';
}

}  // namespace talvero
