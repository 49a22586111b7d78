#include "platform/BootIdentity.h"

#include <fstream>

namespace talvero {

// The kernel makes a new random identity at every boot.
std::string BootIdentity()
{
    std::ifstream file("/proc/sys/kernel/random/boot_id");
    std::string identity;
    std::getline(file, identity);
    return identity;
}

}  // namespace talvero
