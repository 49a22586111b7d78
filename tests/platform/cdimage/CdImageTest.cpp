// Reading CD images made by the tests: every kind of image, every file byte for byte, in pieces.
#include "platform/cdimage/CdImage.h"

#include "demo/DemoImage.h"
#include "install/Installer.h"
#include "platform/cdimage/CdRoot.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/TestFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace fs = std::filesystem;

namespace talvero {
namespace {

using test::ErrorNumberOf;

// Each sector differs from the others.
std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + i / 2048) & 0xFF);
    return bytes;
}

// The files on every test image: CD path -> content. The names fit 8.3 in any letter case, so that
// an image with plain ISO names holds them too (upper case, ";1"). big.dat is over 4 MiB, not a
// whole number of sectors.
const std::map<std::string, std::string> kFiles = {{"\\WV_Disk1\\wv", "whale"},
                                                   {"\\Empty", ""},
                                                   {"\\data\\levels\\deep\\Level1.dat", Pattern(5000)},
                                                   {"\\big.dat", Pattern(4 * 1024 * 1024 + 4321)}};

// Only images with long names (Joliet, Rock Ridge) hold these: a long name and one in three spellings.
constexpr const char* kLongName = "\\Whale's Voyage Intro.txt";

// Every kind of image the program reads: ISO with each naming, BIN/CUE in each sector mode, NRG.
const struct ImageKind {
    const char* name;
    const char* extension;
    IsoNames names;
    SectorMode mode = SectorMode::Mode1_2048;
    int audioSectors = 0;
} kKinds[] = {{"plain", ".iso", IsoNames::Plain},
              {"joliet", ".iso", IsoNames::Joliet},
              {"rockridge", ".iso", IsoNames::RockRidge},
              {"joliet-rockridge", ".iso", IsoNames::JolietAndRockRidge},
              {"mode1-2048", ".cue", IsoNames::Plain},
              {"mode1-2352", ".cue", IsoNames::RockRidge, SectorMode::Mode1_2352},
              {"mode2-2352", ".cue", IsoNames::Joliet, SectorMode::Mode2_2352},
              {"data-and-audio", ".cue", IsoNames::JolietAndRockRidge, SectorMode::Mode1_2352, 300},
              {"nrg", ".nrg", IsoNames::JolietAndRockRidge}};

// The image of kFiles in that kind (the .iso, .cue or .nrg) in `folder`.
std::string ImageOf(const ImageKind& kind, const std::string& folder)
{
    const std::string base = folder + "/" + kind.name, iso = base + ".iso";
    for (const auto& [path, bytes] : kFiles)
        test::WriteFile(base + NativePath(path), bytes);
    for (const char* name : {kLongName, "\\Gloom", "\\GLOOM", "\\gloom"}) {
        if (kind.names != IsoNames::Plain)
            test::WriteFile(base + NativePath(name), name + 1);
    }
    MakeIsoImage(base, iso, kind.names);
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
        // Names match regardless of letter case and of a version suffix, the exact spelling first and
        // of equal candidates the first in sorted order.
        EXPECT_EQ("whale|whale",
                  ReadWhole(*image, "\\wv_disk1\\WV") + "|" + ReadWhole(*image, "WV_DISK1\\WV;1"));
        if (kind.names == IsoNames::Plain)
            EXPECT_EQ(53, ErrorNumberOf([&] { image->Find(kLongName); }));
        else
            EXPECT_EQ("Whale's Voyage Intro.txt|Gloom|GLOOM|gloom|GLOOM",
                      ReadWhole(*image, kLongName) + "|" + ReadWhole(*image, "\\Gloom") + "|" +
                          ReadWhole(*image, "\\GLOOM") + "|" + ReadWhole(*image, "\\gloom") + "|" +
                          ReadWhole(*image, "\\gLOOM"));
        const std::pair<const char*, int> failures[] = {{"\\Nothing", 53},      {"\\nothing\\Gloom", 76},
                                                        {"\\Empty\\Gloom", 76}, {"\\data\\..\\Empty", 76},
                                                        {"\\data\\levels", 75}, {"\\", 75}};
        for (const auto& [path, number] : failures)
            EXPECT_EQ(number, ErrorNumberOf([&] { image->Find(path); })) << path;
    }
}

TEST(CdRoot, CopiesOutOfAnImageReplaceEarlierCopiesWholeOrNotAtAll)
{
    test::TestFolder folder;
    const CdRoot cd = CdRoot::Open("D:", ImageOf(kKinds[5], folder / "image"));
    const std::string target = folder / "Level1.dat", level = kFiles.at("\\data\\levels\\deep\\Level1.dat");
    test::WriteFile(target, std::string(100000, 'x'));
    cd.CheckFile("\\DATA\\levels\\deep\\level1.dat");
    cd.CopyToCache("\\data\\levels\\deep\\Level1.dat", target);
    EXPECT_TRUE(level == test::ReadFile(target));
    // The image shrinks under an open drive: the copy fails, the earlier copy stays, nothing is left behind.
    fs::resize_file(folder / "image/mode1-2352.bin", 2352 * 40);
    EXPECT_EQ(321, ErrorNumberOf([&] { cd.CopyToCache("\\big.dat", target); }));
    EXPECT_TRUE(level == test::ReadFile(target));
    EXPECT_EQ(2,
              std::distance(fs::directory_iterator(folder.path()), {}));  // the image's folder and the copy
}

class CdImageInstallTest : public test::AppFolderTest {};

TEST_F(CdImageInstallTest, ADamagedImageStopsTheInstallWithItsMessageBeforeAnythingIsWritten)
{
    LayOutDemo();
    test::MakeFolders(folder / "Cache");
    MakeDemoCdImage({"Akira"}, folder / "Akira.iso");
    fs::resize_file(folder / "Akira.iso", 30 * 2048);
    InstallGame("Akira", {"D:", true, folder / "Akira.iso"});
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ(0u, message.text.find("The CD image \"" + (folder / "Akira.iso") +
                                    "\" cannot be used: it holds 30 of"));
    EXPECT_TRUE(message.icon == MessageIcon::Critical && host->endProgramRequests == 0);
    EXPECT_FALSE(test::Exists(folder / "Cache/akir") || test::Exists(App("\\WinUAE\\launch.log")));
}

}  // namespace
}  // namespace talvero
