#include "emulator/ConfigEditor.h"

#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/SystemText.h"
#include "platform/TextRecords.h"

#include <exception>
#include <thread>

namespace talvero {

namespace {

bool HoldsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// One line of the file: its text and where the next line begins. A line ends at a CR (an LF
// right after it belongs to the line end) or at the end of the file.
struct Line {
    std::string_view text;
    std::size_t next;
    bool endsWithCrLf;
};

Line LineAt(std::string_view content, std::size_t begin)
{
    const std::size_t cr = content.find('\r', begin);
    if (cr == std::string_view::npos)
        return {content.substr(begin), content.size(), false};
    const bool lf = cr + 1 < content.size() && content[cr + 1] == '\n';
    return {content.substr(begin, cr - begin), cr + (lf ? 2 : 1), lf};
}

// How deeply the running thread holds the configuration turn: a second lock on the same file
// from the same thread would wait for itself.
thread_local int turnsHeld = 0;

}  // namespace

ConfigurationTurn::ConfigurationTurn()
{
    if (turnsHeld == 0)
        m_lock = std::make_unique<FileLock>(AppPath(kConfigFile) + ".lock");
    ++turnsHeld;
}

ConfigurationTurn::~ConfigurationTurn()
{
    --turnsHeld;
}

void ConfigurationTurn::HoldWhile(std::function<void()> wait)
{
    if (!m_lock)
        return;
    std::thread([lock = std::shared_ptr<FileLock>(std::move(m_lock)), wait = std::move(wait)] {
        wait();
    }).detach();
}

bool LineBeginsWithKey(std::string_view line, std::string_view key)
{
    return line.substr(0, key.size()) == key;
}

std::optional<std::size_t> LastLineWithKey(const std::vector<std::string>& lines, const std::string& key)
{
    std::optional<std::size_t> last;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (LineBeginsWithKey(lines[i], key))
            last = i;
    }
    return last;
}

std::string WithConfigValue(std::string_view content, std::string_view key, std::string_view value)
{
    // First pass: where the last line that begins with the key starts.
    std::size_t target = std::string_view::npos;
    for (std::size_t begin = 0; begin < content.size();) {
        const Line line = LineAt(content, begin);
        if (LineBeginsWithKey(line.text, key))
            target = begin;
        begin = line.next;
    }

    // Second pass: runs of lines that already end with CR LF are copied as they stand; the target
    // line and every other line end are written anew.
    std::string result;
    result.reserve(content.size() + key.size() + value.size() + 2);
    std::size_t copied = 0;
    for (std::size_t begin = 0; begin < content.size();) {
        const Line line = LineAt(content, begin);
        if (begin == target || !line.endsWithCrLf) {
            result.append(content, copied, begin - copied);
            if (begin == target)
                result.append(key).append(value);
            else
                result.append(line.text);
            result.append("\r\n");
            copied = line.next;
        }
        begin = line.next;
    }
    result.append(content, copied);
    if (target == std::string_view::npos)
        result.append(key).append(value).append("\r\n");
    return result;
}

void SetConfigValue(const std::string& key, const std::string& value)
{
    SetConfigValues({{key, value}});
}

void SetConfigValues(const std::vector<ConfigLine>& lines)
{
    const std::string configPath = AppPath(kConfigFile);
    // A second running copy of the program may change the file too: each call reads, changes and
    // replaces it as one turn, so that neither copy's change is lost or torn.
    const ConfigurationTurn turn;
    std::optional<std::string> content;
    std::exception_ptr refused;
    for (const ConfigLine& line : lines) {
        try {
            // A line break in a key or value would smuggle extra lines into the emulator's file.
            if (HoldsLineBreak(line.key) || HoldsLineBreak(line.value))
                ThrowFileError(ErrorNumber::InvalidArgument, line.key);
            const std::string value = ToSystemCodePage(line.value);
            if (!content)
                content = ReadFileBytes(configPath);
            content = WithConfigValue(*content, line.key, value);
        } catch (const FileError&) {
            refused = std::current_exception();
            break;
        }
    }
    // Default.new is written complete from the new text and renamed over Default.uae in one
    // step, so Default.uae is never seen half-written. A Default.uae that the user linked to a
    // configuration elsewhere stays a link.
    if (content)
        ReplaceFileContents(configPath, *content, LinkAtTarget::Follow, AppPath(kConfigTempFile));
    if (refused)
        std::rethrow_exception(refused);
}

std::optional<std::string> ConfigLineValue(const std::string& content, const std::string& key)
{
    const std::vector<std::string> lines = SplitRecords(content);
    const auto last = LastLineWithKey(lines, key);
    if (!last)
        return std::nullopt;
    return lines[*last].substr(key.size());
}

}  // namespace talvero
