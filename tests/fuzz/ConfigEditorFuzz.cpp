// The configuration file editor on any file content, key and value: no line of the user's file is
// lost, and the key's line holds the value (a broken property aborts the run).
#include "emulator/ConfigEditor.h"
#include "platform/TextRecords.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

using namespace talvero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Input: key NUL value NUL file content.
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    std::string key, value;
    std::getline(input, key, '\0');
    std::getline(input, value, '\0');
    const std::string content(std::istreambuf_iterator<char>(input), {});
    const auto before = SplitRecords(content), after = SplitRecords(WithConfigValue(content, key, value));
    // One line more at most (fewer wraps the unsigned difference around), and that line the key's.
    if ((key + value).find('\r') == std::string::npos &&
        (after.size() - before.size() > 1 ||
         std::find(after.begin(), after.end(), key + value) == after.end()))
        std::abort();
    return 0;
}
