// Damaged images: each gives a message naming the image and the reason, and nothing crashes.
#include "demo/DemoImage.h"
#include "platform/cdimage/CdImage.h"
#include "tests/support/TestFolder.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

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

void PutBoth32(std::string& image, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        image[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
        image[at + 7 - static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    }
}

// Through a function of its own: writing into a copied string inside a lambda upsets GCC's
// overflow warning.
void Poke(std::string& image, std::size_t at, char value)
{
    image.at(at) = value;
}

std::uint32_t Get32(const std::string& image, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(image[at + static_cast<std::size_t>(i)]);
    return value;
}

// The offset of the root folder's record of a name ("AKIRA.;1", "C").
std::size_t RecordOf(const std::string& image, const std::string& name)
{
    const std::size_t root = Get32(image, kRootRecord + 2) * kSector;
    for (std::size_t at = root; at < root + kSector && image[at] != 0;
         at += static_cast<unsigned char>(image[at])) {
        if (image.compare(at + 33, static_cast<unsigned char>(image[at + 32]), name) == 0)
            return at;
    }
    ADD_FAILURE() << "no record " << name;
    return root;
}

struct Damage {
    const char* name;
    const char* extension;
    // Turns the good image's bytes into the damaged file's, in place; for cue sheets, the cue text (the
    // image's bytes were written beside it as "good.bin").
    std::function<void(std::string& image)> make;
    const char* reason;
    const char* lookup = "\\Akira";
};

const Damage kDamages[] = {
    {"empty file", ".iso", [](std::string& i) { i = std::string(); }, "ends before its volume descriptor"},
    {"cut before the volume descriptor", ".iso", [](std::string& i) { i = i.substr(0, kDescriptor + 100); },
     "ends before its volume descriptor"},
    {"cut after the volume descriptor", ".iso", [](std::string& i) { i = i.substr(0, 20 * kSector); },
     "sectors its volume descriptor names (a truncated image)"},
    {"cut in the middle", ".iso", [](std::string& i) { i = i.substr(0, i.size() / 2); },
     "sectors its volume descriptor names (a truncated image)"},
    {"no CD image", ".iso", [](std::string& i) { i = std::string(300000, 'x'); },
     "holds no ISO 9660 volume descriptor"},
    {"bad volume descriptor", ".iso", [](std::string& i) { Poke(i, kDescriptor + 5, '2'); },
     "holds no ISO 9660 volume descriptor"},
    {"bad block size", ".iso",
     [](std::string& i) {
         Poke(i, kDescriptor + 129, 4);
         Poke(i, kDescriptor + 130, 4);
     },
     "block size"},
    {"root folder outside", ".iso", [](std::string& i) { PutBoth32(i, kRootRecord + 2, 0x00FFFFFF); },
     "points outside the image"},
    {"root folder of a huge size", ".iso", [](std::string& i) { PutBoth32(i, kRootRecord + 10, 0xFFFFF800); },
     "points outside the image"},
    {"file outside", ".iso", [](std::string& i) { PutBoth32(i, RecordOf(i, "AKIRA.;1") + 2, 0x7FFFFFF0); },
     "points outside the image"},
    {"file of a huge size", ".iso",
     [](std::string& i) { PutBoth32(i, RecordOf(i, "AKIRA.;1") + 10, 0xFFFFFFFF); },
     "points outside the image"},
    {"folder loop", ".iso",
     [](std::string& i) { PutBoth32(i, RecordOf(i, "C") + 2, Get32(i, kRootRecord + 2)); },
     "loops back to a folder above it", "\\C\\LOADER.EXE"},
    {"name ..", ".iso", [](std::string& i) { i.replace(RecordOf(i, "AB.;1") + 33, 5, "...;1"); },
     "a name with \"..\""},
    {"name with a slash", ".iso", [](std::string& i) { i.replace(RecordOf(i, "AB.;1") + 33, 5, "A/.;1"); },
     "a name with \"..\" or a path separator"},
    {"name longer than its record", ".iso",
     [](std::string& i) { Poke(i, RecordOf(i, "AKIRA.;1") + 32, '\xFA'); },
     "a folder record on it is damaged"},
    {"bin missing", ".cue",
     [](std::string& i) { i = "FILE \"gone.bin\" BINARY\n TRACK 01 MODE1/2048\n  INDEX 01 00:00:00\n"; },
     "its data file \"gone.bin\" is missing"},
    {"bin shorter than its tracks", ".cue",
     [](std::string& i) {
         i = "FILE \"good.bin\" BINARY\n TRACK 01 MODE1/2048\n  INDEX 01 00:00:00\n"
             " TRACK 02 AUDIO\n  INDEX 01 40:00:00\n";
     },
     "its data file \"good.bin\" is shorter than its tracks say"},
    {"unknown track mode", ".cue",
     [](std::string& i) { i = "FILE \"good.bin\" BINARY\n TRACK 01 MODE9/1234\n"; },
     "its cue sheet cannot be read (line 2)"},
    {"bad index time", ".cue",
     [](std::string& i) { i = "FILE \"good.bin\" BINARY\n TRACK 01 MODE1/2048\n  INDEX 01 00:99:00\n"; },
     "its cue sheet cannot be read (line 3)"},
    {"no cue sheet", ".cue", [](std::string& i) { i = i.substr(0, 4000); },
     "its cue sheet names no data file"},
    {"audio only", ".cue",
     [](std::string& i) { i = "FILE \"good.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n"; },
     "it has no data track"},
    {"audio before data", ".cue",
     [](std::string& i) {
         i = "FILE \"good.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n TRACK 02 MODE1/2352\n  INDEX "
             "01 00:02:00\n";
     },
     "does not begin the disc"},
    {"no NRG image", ".nrg", [](std::string&) {}, "is no NRG image"},
};

void PrintTo(const Damage& damage, std::ostream* out)
{
    *out << damage.name;
}

class DamagedImage : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedImage, GivesItsMessageAndNoCrash)
{
    const Damage& damage = GetParam();
    test::TestFolder folder;
    const std::string good = test::ReadFile(GoodIso());
    test::WriteFile(folder / "good.bin", good);
    const std::string path = folder / (std::string("damaged") + damage.extension);
    std::string damaged = good;
    damage.make(damaged);
    test::WriteFile(path, damaged);
    try {
        const auto image = CdImage::Open(path);
        image->Read(image->Find(damage.lookup), [](const char*, std::size_t) {});
        FAIL() << "a damaged image was read";
    } catch (const CdImageError& error) {
        const std::string message = error.what();
        EXPECT_EQ(0u, message.find("The CD image \"" + path + "\" cannot be used: ")) << message;
        EXPECT_NE(std::string::npos, message.find(damage.reason)) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Images, DamagedImage, ::testing::ValuesIn(kDamages), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

}  // namespace
}  // namespace talvero
