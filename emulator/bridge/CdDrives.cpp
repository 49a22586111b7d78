#include "emulator/bridge/CdDrives.h"

namespace talvero {

std::vector<std::pair<char, std::string>> CdDrivesOnly(const std::vector<std::pair<char, std::string>>& drives)
{
    std::vector<std::pair<char, std::string>> cds;
    for (const auto& [letter, root] : drives) {
        if (root.find_first_not_of('/') == std::string::npos)
            continue;  // "/" (or "//"): the whole file system
        cds.emplace_back(letter, root);
    }
    return cds;
}

}  // namespace talvero
