// The configuration file editor on any file content, key and value: no line is lost or added,
// the key's line holds the value, and the file holds the new text or, when refused, the old.
#include "emulator/ConfigEditor.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/TextRecords.h"
#include "tests/fuzz/FuzzSupport.h"

#include <algorithm>

using namespace talvero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = fuzz::MakeDemoAppFolder();
    // Input: key NUL value NUL file content.
    const auto pieces = fuzz::Pieces(data, size, 3);
    const std::string &key = pieces[0], &value = pieces[1], &content = pieces[2];
    const std::string result = WithConfigValue(content, key, value);
    const auto before = SplitRecords(content), after = SplitRecords(result);
    if ((key + value).find('\r') == std::string::npos) {
        fuzz::Require(after.size() - before.size() <= 1, "no line lost or added");
        fuzz::Require(std::find(after.begin(), after.end(), key + value) != after.end(), "the key's line");
    }
    WriteFileBytes(AppPath(kConfigFile), content);
    try {
        SetConfigValue(key, value);
        fuzz::Require(ReadFileBytes(AppPath(kConfigFile)) == result, "the file holds the new text");
    } catch (const FileError& error) {
        fuzz::Require(error.number() == ErrorNumber::InvalidArgument, "only a line break is refused");
        fuzz::Require(ReadFileBytes(AppPath(kConfigFile)) == content, "a refused call changes nothing");
    }
    return 0;
}
