// A mount table of any content: the parser finds the mount points without throwing.
#include "platform/posix/MountTable.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace talvero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    posix::MountPointsOf("/dev/sr0", std::string(fuzz::Text(data, size)));
    return 0;
}
