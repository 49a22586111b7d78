#include "tests/fuzz/FuzzSupport.h"

#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "platform/ActivityLog.h"
#include "platform/Host.h"
#include "tests/support/TestFolder.h"

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

}  // namespace

std::string MakeDemoAppFolder(const std::vector<std::string>& titles)
{
    static SilentHost host;
    static const test::TestFolder folder;
    SetHost(&host);
    // Without an emulator an install that gets that far ends with a message, not a process.
    LayOutDemoAppFolder(folder.path(), "/bin/true");
    for (const char* executable : {kEmulator817, kEmulator814})
        std::filesystem::remove(folder / ("WinUAE/" + std::string(executable)));
    test::MakeFolders(folder / "Drives/D");
    for (const std::string& title : titles)
        LayOutDemoCd(*FindProfile(title), folder / "Drives/D");
    // Millions of fuzzed starts belong in the scratch folder, not in the user's own log.
    testing::SetLogFile(folder / "talvero.log");
    return folder.path();
}

std::vector<std::string> Pieces(const std::uint8_t* data, std::size_t size, std::size_t count)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> pieces;
    for (auto cut = text.find('\0'); pieces.size() + 1 < count && cut != std::string::npos;
         cut = text.find('\0')) {
        pieces.push_back(text.substr(0, cut));
        text.erase(0, cut + 1);
    }
    pieces.push_back(text);
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
