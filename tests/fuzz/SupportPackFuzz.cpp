// A support-file pack of any length, with any bytes at its start: each member is cut whole, with
// its own bytes of the pack, or not written at all.
#include "demo/DemoFolder.h"
#include "install/SupportPack.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "tests/fuzz/FuzzSupport.h"

#include <algorithm>
#include <filesystem>

using namespace talvero;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string out = fuzz::MakeDemoAppFolder() + "/out", demoPack = DemoSupportPack();
    // Input: the pack's length (3 bytes, big-endian, taken modulo a little more than a whole
    // pack), then bytes that replace the pack's first ones.
    if (size < 3)
        return 0;
    std::string pack = demoPack;
    pack.resize(((std::size_t{data[0]} << 16) | (std::size_t{data[1]} << 8) | data[2]) % (PackLength() + 64),
                '\xA5');
    const std::string start = fuzz::Pieces(data + 3, std::min(size - 3, pack.size()))[0];
    WriteFileBytes(AppPath(kSupportPack), pack.replace(0, start.size(), start));
    std::filesystem::remove_all(out);
    std::filesystem::create_directory(out);
    for (const auto& extract : {+[](const std::string& f) { ExtractLowlevel(2, f); }, &ExtractDebox,
                                &ExtractFakepad, &ExtractNvramHardfile}) {
        try {
            extract(out);
        } catch (const FileError& error) {
            fuzz::Require(error.number() == ErrorNumber::InputPastEnd, "only a short pack fails");
        }
    }
    // Whatever was written is the member's bytes of the pack, whole.
    for (const PackMember& member : PackMembers()) {
        const std::string path = out + "/" + member.name;
        fuzz::Require(!std::filesystem::exists(path) ||
                          ReadFileBytes(path) == pack.substr(member.firstByte - 1, member.Length()),
                      "a member holds its bytes, whole");
    }
    return 0;
}
