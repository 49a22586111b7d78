// A mount table of any content: the parser finds the mount points without throwing.
#include "platform/posix/MountTable.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    talvero::posix::MountPointsOf("/dev/sr0", std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
