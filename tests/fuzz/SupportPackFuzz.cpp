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
    static const std::string folder = fuzz::MakeDemoAppFolder();
    static const std::string out = folder + "/out";
    // Input: the pack's length (3 bytes, big-endian, taken modulo a little more than a whole
    // pack), then bytes that replace the pack's first ones.
    if (size < 3)
        return 0;
    static const std::string demoPack = DemoSupportPack();
    std::string pack = demoPack;
    pack.resize(((std::size_t{data[0]} << 16) | (std::size_t{data[1]} << 8) | data[2]) % (PackLength() + 64),
                '\xA5');
    pack.replace(0, std::min(size - 3, pack.size()), fuzz::Text(data + 3, std::min(size - 3, pack.size())));
    WriteFileBytes(AppPath(kSupportPack), pack);
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
    // Whatever was written is the member's bytes, whole.
    for (const PackMember& member : PackMembers()) {
        const std::string path = out + "/" + member.name;
        if (!std::filesystem::exists(path))
            continue;
        const std::string bytes = ReadFileBytes(path);
        fuzz::Require(bytes.size() == member.Length(), "a member is written whole");
        for (int piece = 0; piece < member.pieces; ++piece) {
            const std::size_t at = static_cast<std::size_t>(piece) * member.pieceLength;
            fuzz::Require(bytes.compare(at, member.pieceLength, pack, member.firstByte - 1 + at,
                                        member.pieceLength) == 0,
                          "a member holds its bytes of the pack");
        }
    }
    return 0;
}
