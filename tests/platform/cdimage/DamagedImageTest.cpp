// Damaged images: each gives a message naming the image and the reason, and nothing crashes.
#include "demo/DemoImage.h"
#include "platform/cdimage/CdImage.h"
#include "tests/support/TestFolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace talvero {
namespace {

constexpr std::size_t kDescriptor = 16 * 2048;
constexpr std::size_t kRoot = kDescriptor + 156;  // the root folder's record

// A 32-bit number in both byte orders, as ISO 9660 stores them.
void PutBoth32(std::string& image, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        image.at(at + i) = image.at(at + 7 - i) = static_cast<char>(value >> (8 * i));
}

// The offset of the root folder's record of a name ("AKIRA.;1", "C"): its length byte, then the name.
std::size_t RecordOf(const std::string& image, const std::string& name)
{
    std::uint32_t sector = 0;
    for (std::size_t i = 4; i-- > 0;)
        sector = sector << 8 | static_cast<unsigned char>(image[kRoot + 2 + i]);
    return image.find(static_cast<char>(name.size()) + name, sector * 2048) - 32;
}

using Make = std::function<void(std::string& image)>;

// A cue sheet in place of the image, whose bytes lie beside it as "good.bin".
Make Cue(std::string tracks)
{
    return [tracks](std::string& i) { i = "FILE \"good.bin\" BINARY\n TRACK 01 " + tracks; };
}

const struct Damage {
    Make make;  // turns the good image's bytes into the damaged file's
    const char* reason;
    const char* extension = ".iso";
    const char* lookup = "\\Akira";
} kDamages[] = {
    {[](std::string& i) { i.resize(kDescriptor + 100); }, "ends before its volume descriptor"},
    {[](std::string& i) { i.resize(i.size() / 2); }, "sectors its volume descriptor names (a truncated"},
    {[](std::string& i) { i.at(kDescriptor + 5) = '2'; }, "holds no ISO 9660 volume descriptor"},
    {[](std::string& i) { i.replace(kDescriptor + 129, 2, "\4\4"); }, "block size"},
    {[](std::string& i) { PutBoth32(i, kRoot + 2, 0x00FFFFFF); }, "points outside the image"},
    {[](std::string& i) { PutBoth32(i, RecordOf(i, "AKIRA.;1") + 10, ~0u); }, "points outside the image"},
    {[](std::string& i) { i.replace(RecordOf(i, "C") + 2, 8, i.substr(kRoot + 2, 8)); },
     "loops back to a folder above it", ".iso", "\\C\\LOADER.EXE"},
    {[](std::string& i) { i.replace(RecordOf(i, "AB.;1") + 33, 5, "...;1"); }, "a name with \"..\""},
    {[](std::string& i) { i.replace(RecordOf(i, "AB.;1") + 33, 5, "A/.;1"); }, "or a path separator"},
    {[](std::string& i) { i.at(RecordOf(i, "AKIRA.;1") + 32) = '\xFA'; }, "a folder record on it is damaged"},
    {[](std::string& i) { i = "FILE gone.bin BINARY\n"; }, "its data file \"gone.bin\" is missing", ".cue"},
    {Cue("MODE1/2048\n INDEX 1 0:0:0\n TRACK 2 AUDIO\n INDEX 1 40:0:0"),
     "its data file \"good.bin\" is shorter than its tracks say", ".cue"},
    {Cue("MODE9/1234\n"), "its cue sheet cannot be read (line 2)", ".cue"},
    {Cue("MODE1/2048\n INDEX 01 00:99:00\n"), "its cue sheet cannot be read (line 3)", ".cue"},
    {[](std::string& i) { i.resize(4000); }, "its cue sheet names no data file", ".cue"},
    {Cue("AUDIO\n INDEX 01 00:00:00\n"), "it has no data track", ".cue"},
    {Cue("AUDIO\n INDEX 1 0:0:0\n TRACK 2 MODE1/2352\n INDEX 1 0:2:0"), "does not begin the disc", ".cue"},
    {[](std::string&) {}, "is no NRG image", ".nrg"},
};

TEST(DamagedImage, EachGivesItsMessageAndNoCrash)
{
    test::TestFolder folder;
    test::WriteFile(folder / "files/Akira", "identity");
    test::WriteFile(folder / "files/AB", "two letters");
    test::WriteFile(folder / "files/C/LOADER.EXE", std::string(5000, 'L'));
    MakeIsoImage(folder / "files", folder / "good.bin", IsoNames::Plain);
    const std::string good = test::ReadFile(folder / "good.bin");
    for (const Damage& damage : kDamages) {
        const std::string path = folder / (std::string("damaged") + damage.extension);
        std::string damaged = good;
        damage.make(damaged);
        test::WriteFile(path, damaged);
        try {
            const auto image = CdImage::Open(path);
            image->Read(image->Find(damage.lookup), [](const char*, std::size_t) {});
            ADD_FAILURE() << damage.reason << ": a damaged image was read";
        } catch (const CdImageError& error) {
            const std::string message = error.what();
            EXPECT_EQ(0u, message.find("The CD image \"" + path + "\" cannot be used: ")) << message;
            EXPECT_NE(std::string::npos, message.find(damage.reason)) << message;
        }
    }
}

}  // namespace
}  // namespace talvero
