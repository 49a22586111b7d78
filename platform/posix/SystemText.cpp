#include "platform/SystemText.h"

namespace talvero {

// Linux programs read UTF-8 themselves.
std::string ToSystemCodePage(const std::string& utf8)
{
    return utf8;
}

}  // namespace talvero
