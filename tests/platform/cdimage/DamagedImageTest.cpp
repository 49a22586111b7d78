// Damaged images: each gives a message naming the image and the reason, and nothing crashes.
#include "demo/DemoImage.h"
#include "platform/cdimage/CdImage.h"
#include "tests/support/TestFolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace talvero {
namespace {

constexpr std::size_t kSector = 2048;
constexpr std::size_t kDescriptor = 16 * kSector;
constexpr std::size_t kRootRecord = kDescriptor + 156;

// A small image with plain names: AKIRA, AB and C/LOADER.EXE, made once.
const std::string& GoodIso()
{
    static test::TestFolder folder;
    static const std::string iso = [] {
        test::WriteFile(folder / "files/Akira", "identity");
        test::WriteFile(folder / "files/AB", "two letters");
        test::WriteFile(folder / "files/C/LOADER.EXE", std::string(5000, 'L'));
        MakeIsoImage(folder / "files", folder / "good.iso", IsoNames::Plain);
        return folder / "good.iso";
    }();
    return iso;
}

// A 32-bit number in both byte orders, as ISO 9660 stores them.
void PutBoth32(std::string& image, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        image.at(at + i) = image.at(at + 7 - i) = static_cast<char>(value >> (8 * i));
}

std::uint32_t Get32(const std::string& image, std::size_t at)
{
    return static_cast<unsigned char>(image[at]) | static_cast<unsigned char>(image[at + 1]) << 8 |
           static_cast<unsigned char>(image[at + 2]) << 16 |
           std::uint32_t{static_cast<unsigned char>(image[at + 3])} << 24;
}

// The offset of the root folder's record of a name ("AKIRA.;1", "C"): its length byte, then the name.
std::size_t RecordOf(const std::string& image, const std::string& name)
{
    return image.find(static_cast<char>(name.size()) + name, Get32(image, kRootRecord + 2) * kSector) - 32;
}

using Make = std::function<void(std::string& image)>;

// A cue sheet in place of the image, whose bytes lie beside it as "good.bin".
Make Cue(const char* sheet)
{
    return [sheet](std::string& i) { i = sheet; };
}

const char* const kTruncated = "sectors its volume descriptor names (a truncated image)";
const char* const kOutside = "points outside the image";

const struct Damage {
    const char* name;
    const char* extension;
    Make make;  // turns the good image's bytes into the damaged file's
    const char* reason;
    const char* lookup = "\\Akira";
} kDamages[] = {
    {"empty file", ".iso", [](std::string& i) { i.clear(); }, "ends before its volume descriptor"},
    {"cut before the volume descriptor", ".iso", [](std::string& i) { i.resize(kDescriptor + 100); },
     "ends before its volume descriptor"},
    {"cut after the volume descriptor", ".iso", [](std::string& i) { i.resize(20 * kSector); }, kTruncated},
    {"cut in the middle", ".iso", [](std::string& i) { i.resize(i.size() / 2); }, kTruncated},
    {"no CD image", ".iso", [](std::string& i) { i = std::string(300000, 'x'); },
     "holds no ISO 9660 volume descriptor"},
    {"bad volume descriptor", ".iso", [](std::string& i) { i.at(kDescriptor + 5) = '2'; },
     "holds no ISO 9660 volume descriptor"},
    {"bad block size", ".iso", [](std::string& i) { i.replace(kDescriptor + 129, 2, "\4\4"); }, "block size"},
    {"root folder outside", ".iso", [](std::string& i) { PutBoth32(i, kRootRecord + 2, 0x00FFFFFF); },
     kOutside},
    {"root folder of a huge size", ".iso", [](std::string& i) { PutBoth32(i, kRootRecord + 10, 0xFFFFF800); },
     kOutside},
    {"file outside", ".iso", [](std::string& i) { PutBoth32(i, RecordOf(i, "AKIRA.;1") + 2, 0x7FFFFFF0); },
     kOutside},
    {"file of a huge size", ".iso",
     [](std::string& i) { PutBoth32(i, RecordOf(i, "AKIRA.;1") + 10, 0xFFFFFFFF); }, kOutside},
    {"folder loop", ".iso",
     [](std::string& i) { PutBoth32(i, RecordOf(i, "C") + 2, Get32(i, kRootRecord + 2)); },
     "loops back to a folder above it", "\\C\\LOADER.EXE"},
    {"name ..", ".iso", [](std::string& i) { i.replace(RecordOf(i, "AB.;1") + 33, 5, "...;1"); },
     "a name with \"..\""},
    {"name with a slash", ".iso", [](std::string& i) { i.replace(RecordOf(i, "AB.;1") + 33, 5, "A/.;1"); },
     "a name with \"..\" or a path separator"},
    {"name longer than its record", ".iso",
     [](std::string& i) { i.at(RecordOf(i, "AKIRA.;1") + 32) = '\xFA'; }, "a folder record on it is damaged"},
    {"bin missing", ".cue", Cue("FILE \"gone.bin\" BINARY\n TRACK 01 MODE1/2048\n  INDEX 01 00:00:00\n"),
     "its data file \"gone.bin\" is missing"},
    {"bin shorter than its tracks", ".cue",
     Cue("FILE \"good.bin\" BINARY\n TRACK 01 MODE1/2048\n  INDEX 01 00:00:00\n TRACK 02 AUDIO\n  INDEX 01 "
         "40:00:00\n"),
     "its data file \"good.bin\" is shorter than its tracks say"},
    {"unknown track mode", ".cue", Cue("FILE \"good.bin\" BINARY\n TRACK 01 MODE9/1234\n"),
     "its cue sheet cannot be read (line 2)"},
    {"bad index time", ".cue", Cue("FILE \"good.bin\" BINARY\n TRACK 01 MODE1/2048\n  INDEX 01 00:99:00\n"),
     "its cue sheet cannot be read (line 3)"},
    {"no cue sheet", ".cue", [](std::string& i) { i.resize(4000); }, "its cue sheet names no data file"},
    {"audio only", ".cue", Cue("FILE \"good.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n"),
     "it has no data track"},
    {"audio before data", ".cue",
     Cue("FILE \"good.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n TRACK 02 MODE1/2352\n  INDEX 01 "
         "00:02:00\n"),
     "does not begin the disc"},
    {"no NRG image", ".nrg", [](std::string&) {}, "is no NRG image"},
};

TEST(DamagedImage, EachGivesItsMessageAndNoCrash)
{
    test::TestFolder folder;
    const std::string good = test::ReadFile(GoodIso());
    test::WriteFile(folder / "good.bin", good);
    for (const Damage& damage : kDamages) {
        const std::string path = folder / (std::string("damaged") + damage.extension);
        std::string damaged = good;
        damage.make(damaged);
        test::WriteFile(path, damaged);
        try {
            const auto image = CdImage::Open(path);
            image->Read(image->Find(damage.lookup), [](const char*, std::size_t) {});
            ADD_FAILURE() << damage.name << ": a damaged image was read";
        } catch (const CdImageError& error) {
            const std::string message = error.what();
            EXPECT_EQ(0u, message.find("The CD image \"" + path + "\" cannot be used: ")) << message;
            EXPECT_NE(std::string::npos, message.find(damage.reason)) << damage.name << ": " << message;
        }
    }
}

}  // namespace
}  // namespace talvero
