// Reading CD images made by the tests: every kind of image, every file byte for byte, in pieces;
// damaged images each give a message naming the image and the reason, and nothing crashes.
#include "platform/cdimage/CdImage.h"

#include "demo/DemoImage.h"
#include "tests/support/TestFolder.h"
#include "tests/support/posix/Fifo.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace talvero {
namespace {

using test::ErrorNumberOf;

// Decimal numbers in a row: each sector differs from the others.
std::string Numbers(std::size_t atLeast)
{
    std::string bytes;
    while (bytes.size() < atLeast)
        bytes += std::to_string(bytes.size());
    return bytes;
}

// The files on every test image: CD path -> content. The names fit 8.3 in any letter case, so that
// an image with plain ISO names holds them too (upper case, ";1"). big.dat is over 4 MiB and not a
// whole number of sectors.
const std::map<std::string, std::string> kFiles = {
    {"\\WV_Disk1\\wv", "whale"}, {"\\Empty", ""}, {"\\big.dat", Numbers(4 * 1024 * 1024 + 1)}};

// Only images with long names (Joliet, Rock Ridge) hold this.
constexpr const char* kLongName = "\\Whale's Voyage Intro.txt";

// Every kind of image the program reads: each naming (Joliet and Rock Ridge together in the last
// two), BIN/CUE in each sector mode, NRG.
const struct ImageKind {
    const char* name;  // also the image's file name
    const char* extension;
    IsoNames names;
    SectorMode mode = SectorMode::Mode1_2048;
    int audioSectors = 0;
} kKinds[] = {{"plain", ".iso", IsoNames::Plain},
              {"joliet", ".iso", IsoNames::Joliet},
              {"rockridge", ".iso", IsoNames::RockRidge},
              {"mode1-2048", ".cue", IsoNames::Plain},
              {"mode1-2352", ".cue", IsoNames::RockRidge, SectorMode::Mode1_2352},
              {"mode2-2352", ".cue", IsoNames::Joliet, SectorMode::Mode2_2352},
              {"data-and-audio", ".cue", IsoNames::JolietAndRockRidge, SectorMode::Mode1_2352, 300},
              {"nrg", ".nrg", IsoNames::JolietAndRockRidge}};

// An ISO of `files` (CD path -> content) in `folder`.iso.
std::string IsoOf(const std::map<std::string, std::string>& files, const std::string& folder,
                  IsoNames names = IsoNames::JolietAndRockRidge)
{
    for (const auto& [path, bytes] : files)
        test::WriteFile(folder + NativePath(path), bytes);
    MakeIsoImage(folder, folder + ".iso", names);
    return folder + ".iso";
}

// The image of kFiles in that kind (the .iso, .cue or .nrg) in `folder`.
std::string ImageOf(const ImageKind& kind, const std::string& folder)
{
    const std::string base = folder + "/" + kind.name;
    auto files = kFiles;
    if (kind.names != IsoNames::Plain)
        files.insert({kLongName, kLongName + 1});
    const std::string iso = IsoOf(files, base, kind.names);
    if (kind.extension == std::string(".cue"))
        MakeBinCue(iso, base + ".cue", base + ".bin", kind.mode, kind.audioSectors);
    if (kind.extension == std::string(".nrg"))
        MakeNrg(iso, base + ".nrg");
    return base + kind.extension;
}

// A file's bytes, read in pieces no larger than 256 KiB.
std::string ReadWhole(const CdImage& image, std::string_view path)
{
    std::string bytes;
    image.Read(image.Find(path), [&](const char* data, std::size_t length) {
        EXPECT_LE(length, 256u * 1024);
        bytes.append(data, length);
    });
    return bytes;
}

TEST(CdImage, EveryKindHoldsEveryFileByteForByte)
{
    test::TestFolder workshop;
    for (const ImageKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const auto image = CdImage::Open(ImageOf(kind, workshop.path()));
        for (const auto& [path, bytes] : kFiles)
            EXPECT_TRUE(bytes == ReadWhole(*image, path)) << path;
        // Names match regardless of letter case and of a version suffix.
        EXPECT_EQ("whale", ReadWhole(*image, "\\wv_disk1\\WV"));
        EXPECT_EQ("whale", ReadWhole(*image, "WV_DISK1\\WV;1"));
        // Only images with long names hold the long name.
        for (const auto& [path, number] : {std::pair{"\\Nothing", 53}, {"\\nothing\\Empty", 76},
                                           {"\\Empty\\Empty", 76}, {"\\wv_disk1\\..\\Empty", 76},
                                           {"\\WV_Disk1", 75}, {"\\", 75},
                                           {kLongName, kind.names == IsoNames::Plain ? 53 : 0}})
            EXPECT_EQ(number, ErrorNumberOf([&] { image->Find(path); })) << path;
        if (kind.audioSectors > 0) {  // the image shrinks under an open drive: reading fails
            std::filesystem::resize_file(workshop / (std::string(kind.name) + ".bin"), 2352 * 40);
            EXPECT_EQ(321, ErrorNumberOf([&] { ReadWhole(*image, "\\big.dat"); }));
        }
    }
}

constexpr std::size_t kDescriptor = 16 * 2048;
constexpr std::size_t kRoot = kDescriptor + 156;  // the root folder's record

// The offset of the root folder's record of a name ("EMPTY.;1"): its length byte, then the name.
std::size_t RecordOf(const std::string& image, const std::string& name)
{
    return image.find(static_cast<char>(name.size()) + name, kRoot + 34) - 32;
}

using I = std::string&;  // the image's bytes, to damage
using Make = std::function<void(I)>;

// A cue sheet in place of the image, whose bytes lie beside it as "plain.iso".
Make Cue(std::string tracks)
{
    return [tracks](I i) { i = "FILE \"plain.iso\" BINARY\n TRACK 01 " + tracks; };
}

// Damaged images made from the plain one, one for each check, with a part of its reason.
const struct Damage {
    Make make;
    const char* reason;
    const char* extension = ".iso";
} kDamages[] = {
    {[](I i) { i.resize(kDescriptor + 100); }, "ends before its volume descriptor"},
    {[](I i) { i.resize(i.size() / 2); }, "sectors its volume descriptor names (a truncated"},
    {[](I i) { i.at(kDescriptor + 5) = '2'; }, "holds no ISO 9660 volume descriptor"},
    {[](I i) { i.replace(kDescriptor + 129, 2, "\4\4"); }, "block size"},
    {[](I i) { i.replace(RecordOf(i, "EMPTY.;1") + 10, 8, 8, '\xFF'); }, "points outside the image"},
    {[](I i) { i.at(RecordOf(i, "EMPTY.;1") + 32) = '\xFA'; }, "a folder record on it is damaged"},
    {[](I i) { i.replace(RecordOf(i, "WV_DISK1") + 2, 8, i.substr(kRoot + 2, 8)); },
     "loops back to a folder"},
    {[](I i) { i.replace(RecordOf(i, "EMPTY.;1") + 33, 8, "...;1111"); }, "a name with \"..\" or"},
    {[](I i) { i = "FILE gone.bin BINARY\n"; }, "its data file \"gone.bin\" is missing", ".cue"},
    {Cue("MODE1/2048\n INDEX 1 0:0:0\n TRACK 2 AUDIO\n INDEX 1 40:0:0"),
     "file \"plain.iso\" is shorter than its tracks", ".cue"},
    {Cue("MODE9/1234\n"), "its cue sheet cannot be read (line 2)", ".cue"},
    {Cue("MODE1/2048\n INDEX 01 00:99:00\n"), "its cue sheet cannot be read (line 3)", ".cue"},
    {[](I i) { i.resize(4000); }, "its cue sheet names no data file", ".cue"},
    {Cue("AUDIO\n INDEX 01 00:00:00\n"), "it has no data track", ".cue"},
    {Cue("AUDIO\n INDEX 1 0:0:0\n TRACK 2 MODE1/2352\n INDEX 1 0:2:0"), "does not begin the disc", ".cue"},
    // A raw track's BIN chosen in place of its cue sheet: the message says to choose the sheet.
    {[](I i) { i.insert(0, 16, '\0'); }, "choose its cue sheet (.cue) instead", ".bin"},
    // An NRG cut short has lost its footer at the end.
    {[](I) {}, "is no NRG image", ".nrg"},
};

TEST(DamagedImage, EachGivesItsMessageAndNoCrash)
{
    test::TestFolder folder;
    const std::string good = test::ReadFile(ImageOf(kKinds[0], folder.path()));
    for (const Damage& damage : kDamages) {
        const std::string path = folder / (std::string("damaged") + damage.extension);
        std::string damaged = good;
        damage.make(damaged);
        test::WriteFile(path, damaged);
        std::string message;
        try {
            const auto image = CdImage::Open(path);
            image->Read(image->Find("\\Empty"), [](const char*, std::size_t) {});
        } catch (const CdImageError& error) {
            message = error.what();
        }
        EXPECT_EQ(0u, message.find("The CD image \"" + path + "\" cannot be used: ")) << message;
        EXPECT_NE(std::string::npos, message.find(damage.reason)) << damage.reason << ": " << message;
    }
}

// A dump's tracks, each in the BIN its cue sheet's FILE line names ("Game (Track 01).bin"), with
// a pregap and CR LF line ends, or all in one BIN under another name. Whatever lies at the sheet's
// own name with .bin is never opened: a FIFO, which would hang the reader, or another disc, whose
// folders would mix with the game's bytes.
TEST(CdImage, DumpsAreReadFromTheFilesTheirCueSheetNames)
{
    test::TestFolder folder;
    const std::string game = IsoOf({{"\\Lemmings\\disk.1", "lemmings"}}, folder / "game");
    const std::string cue = folder / "Game.cue", atSheetName = folder / "Game.bin";
    MakeBinCue(game, cue, folder / "Game (Track 01).bin", SectorMode::Mode1_2352);
    for (const char* audio : {"Game (Track 02).bin", "Game (Track 03).bin"})
        test::WriteFile(folder / audio, std::string(300 * 2352, '\x5A'));
    test::WriteFile(cue, "FILE \"Game (Track 01).bin\" BINARY\r\n  TRACK 01 MODE1/2352\r\n"
                         "    INDEX 01 00:00:00\r\n"
                         "FILE \"Game (Track 02).bin\" BINARY\r\n  TRACK 02 AUDIO\r\n"
                         "    INDEX 00 00:00:00\r\n    INDEX 01 00:02:00\r\n"
                         "FILE \"Game (Track 03).bin\" BINARY\r\n  TRACK 03 AUDIO\r\n"
                         "    INDEX 01 00:00:00\r\n");
    ASSERT_EQ(0, ::mkfifo(atSheetName.c_str(), 0600));
    EXPECT_TRUE(test::FinishesWithoutWaiting(atSheetName, [&] {
        EXPECT_EQ("lemmings", ReadWhole(*CdImage::Open(cue), "\\LEMMINGS\\Disk.1"));
    })) << "the FIFO at Game.bin was opened";

    std::filesystem::remove(atSheetName);
    const std::string other =
        IsoOf({{"\\Lemmings\\disk.1", "decoy!!"}, {"\\Other", "other"}}, folder / "other");
    MakeBinCue(other, folder / "Other.cue", atSheetName, SectorMode::Mode2_2352, 300);
    MakeBinCue(game, cue, folder / "Game (Disc 1).bin", SectorMode::Mode2_2352, 300);
    const auto image = CdImage::Open(cue);
    EXPECT_EQ("lemmings", ReadWhole(*image, "\\LEMMINGS\\Disk.1"));
    EXPECT_EQ(53, ErrorNumberOf([&] { image->Find("\\Other"); }));
}

}  // namespace
}  // namespace talvero
