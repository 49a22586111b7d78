#include "emulator/ConfigEditor.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/SystemText.h"
#include "platform/TextRecords.h"

namespace talvero {

namespace {
bool HoldsLineBreak(const std::string& text)
{
    return text.find_first_of("\r\n") != std::string::npos;
}
}  // namespace

std::optional<std::size_t> LastLineWithKey(const std::vector<std::string>& lines, const std::string& key)
{
    std::optional<std::size_t> last;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].compare(0, key.size(), key) == 0)
            last = i;
    }
    return last;
}

std::string WithConfigValue(const std::string& content, const std::string& key, const std::string& value)
{
    const std::vector<std::string> lines = SplitRecords(content);
    const std::size_t target = LastLineWithKey(lines, key).value_or(lines.size());  // past the end: append
    std::string result;
    result.reserve(content.size() + key.size() + value.size() + 2 * lines.size() + 2);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        result += i == target ? key + value : lines[i];
        result += "\r\n";
    }
    if (target == lines.size())
        result += key + value + "\r\n";
    return result;
}

void SetConfigValue(const std::string& key, const std::string& value)
{
    // A line break in a key or value would smuggle extra lines into the emulator's file.
    if (HoldsLineBreak(key) || HoldsLineBreak(value))
        ThrowFileError(ErrorNumber::InvalidArgument, key);

    const std::string configPath = AppPath(kConfigFile);
    const std::string tempPath = AppPath(kConfigTempFile);
    const std::string updated = WithConfigValue(ReadFileBytes(configPath), key, ToSystemCodePage(value));

    // Default.new is written complete and closed first; only then does Default.uae change, in
    // one step, so it is never seen half-written. Default.new goes last.
    WriteFileBytes(tempPath, updated);
    CopyFileReplacing(tempPath, configPath);
    RemoveFile(tempPath);
}

}  // namespace talvero
