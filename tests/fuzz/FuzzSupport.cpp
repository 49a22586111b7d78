#include "tests/fuzz/FuzzSupport.h"

#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "platform/ActivityLog.h"
#include "platform/AppFolder.h"
#include "platform/Host.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace talvero::fuzz {

namespace {

// Message boxes are answered at once; ending the program is only noted, so that the run goes on
// exactly as the caller goes on after asking.
class SilentHost final : public Host {
public:
    MessageAnswer ShowMessage(const MessageBoxRequest&) override { return MessageAnswer::No; }
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
    void EndProgramNow() override {}
};

std::string g_folder;

}  // namespace

std::string MakeDemoAppFolder(const std::vector<std::string>& titles)
{
    static SilentHost host;
    SetHost(&host);
    std::string pattern = (std::filesystem::temp_directory_path() / "talvero-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    g_folder = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(g_folder, ignored);
    });
    // Without an emulator an install that gets that far ends with a message, not a process.
    LayOutDemoAppFolder(g_folder, "/bin/true");
    for (const char* executable : {kEmulator817, kEmulator814})
        std::filesystem::remove(g_folder + "/WinUAE/" + executable);
    std::filesystem::create_directories(g_folder + "/Drives/D");
    for (const std::string& title : titles)
        LayOutDemoCd(*FindProfile(title), g_folder + "/Drives/D");
    SetAppFolder(g_folder);
    // Millions of fuzzed starts belong in the scratch folder, not in the user's own log.
    testing::SetLogFile(g_folder + "/talvero.log");
    return g_folder;
}

std::string_view Text(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

std::vector<std::string> Pieces(std::string_view text, std::size_t count)
{
    std::vector<std::string> pieces;
    for (auto cut = text.find('\0'); pieces.size() + 1 < count && cut != std::string_view::npos;
         cut = text.find('\0')) {
        pieces.emplace_back(text.substr(0, cut));
        text.remove_prefix(cut + 1);
    }
    pieces.emplace_back(text);
    pieces.resize(count);
    return pieces;
}

void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace talvero::fuzz
