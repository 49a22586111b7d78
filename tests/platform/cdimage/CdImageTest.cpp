// Reading CD images made by the tests: every kind of image, every file byte for byte, in pieces.
#include "platform/cdimage/CdImage.h"

#include "demo/DemoImage.h"
#include "install/Installer.h"
#include "platform/cdimage/CdRoot.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/TestFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace fs = std::filesystem;

namespace talvero {
namespace {

using test::ErrorNumberOf;

// The files on every test image: path -> content. The names fit 8.3 in any letter case, so that
// an image with plain ISO names holds them too (upper case, ";1").
const std::map<std::string, std::string>& ImageFiles()
{
    const auto pattern = [](std::size_t size, unsigned seed) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 31 + seed + i / 2048) & 0xFF);
        return bytes;
    };
    static const std::map<std::string, std::string> files = {
        {"Akira", "identity file of the game"},
        {"c/Loader.exe", pattern(3000, 1)},
        {"data/levels/deep/Level1.dat", pattern(2048, 2)},
        {"WV_Disk1/wv", "whale"},
        {"Empty", ""},
        {"big.dat", pattern(4 * 1024 * 1024 + 4321, 3)}};  // over 4 MiB, not a whole number of sectors
    return files;
}

// A file only images with long names (Joliet, Rock Ridge) hold.
constexpr const char* kLongName = "Whale's Voyage Intro.txt";

enum class Container { Iso, Cue, Nrg };

// Every kind of image the program reads: ISO with each naming, BIN/CUE in each sector mode, NRG.
const struct ImageKind {
    const char* name;
    Container container;
    IsoNames names;
    SectorMode mode = SectorMode::Mode1_2048;
    int audioSectors = 0;
} kKinds[] = {
    {"iso-plain", Container::Iso, IsoNames::Plain},
    {"iso-joliet", Container::Iso, IsoNames::Joliet},
    {"iso-rockridge", Container::Iso, IsoNames::RockRidge},
    {"iso-joliet-rockridge", Container::Iso, IsoNames::JolietAndRockRidge},
    {"cue-mode1-2048", Container::Cue, IsoNames::Plain},
    {"cue-mode1-2352", Container::Cue, IsoNames::RockRidge, SectorMode::Mode1_2352},
    {"cue-mode2-2352", Container::Cue, IsoNames::Joliet, SectorMode::Mode2_2352},
    {"cue-data-and-audio", Container::Cue, IsoNames::JolietAndRockRidge, SectorMode::Mode1_2352, 300},
    {"nrg", Container::Nrg, IsoNames::JolietAndRockRidge}};

// The image of ImageFiles() in that kind (the .iso, .cue or .nrg) in `folder`, made on first use.
std::string ImageOf(const ImageKind& kind, const std::string& folder)
{
    const std::string base = folder + "/" + kind.name;
    const std::string iso = base + ".iso", cue = base + ".cue", nrg = base + ".nrg";
    if (!fs::exists(iso)) {
        for (const auto& [path, bytes] : ImageFiles())
            test::WriteFile(base + "-files/" + path, bytes);
        if (kind.names != IsoNames::Plain)
            test::WriteFile(base + "-files/" + kLongName, "long names survive");
        MakeIsoImage(base + "-files", iso, kind.names);
    }
    if (kind.container == Container::Cue && !fs::exists(cue))
        MakeBinCue(iso, cue, base + ".bin", kind.mode, kind.audioSectors);
    if (kind.container == Container::Nrg && !fs::exists(nrg))
        MakeNrg(iso, nrg);
    return kind.container == Container::Iso ? iso : kind.container == Container::Cue ? cue : nrg;
}

std::string ReadWhole(const CdImage& image, std::string_view path, std::size_t* largestPiece = nullptr)
{
    std::string bytes;
    image.Read(image.Find(path), [&](const char* data, std::size_t length) {
        bytes.append(data, length);
        if (largestPiece)
            *largestPiece = std::max(*largestPiece, length);
    });
    return bytes;
}

TEST(CdImage, EveryKindHoldsEveryFileByteForByteReadInBoundedPieces)
{
    test::TestFolder workshop;
    for (const ImageKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const auto image = CdImage::Open(ImageOf(kind, workshop.path()));
        for (const auto& [path, bytes] : ImageFiles()) {
            std::size_t largest = 0;
            std::string cdPath = "/" + path;
            std::replace(cdPath.begin(), cdPath.end(), '/', '\\');
            EXPECT_TRUE(bytes == ReadWhole(*image, cdPath, &largest)) << path;
            EXPECT_LE(largest, 256u * 1024) << path;
        }
        // Names match regardless of letter case and of a version suffix.
        EXPECT_EQ("whale", ReadWhole(*image, "\\wv_disk1\\WV"));
        EXPECT_EQ("whale", ReadWhole(*image, "\\WV_DISK1\\WV;1"));
        EXPECT_EQ(ImageFiles().at("Akira"), ReadWhole(*image, "AKIRA"));
        EXPECT_EQ(kind.names == IsoNames::Plain ? 53 : 0,
                  ErrorNumberOf([&] { image->Find(std::string("\\") + kLongName); }));
        const std::pair<const char*, int> failures[] = {{"\\Gloom", 53},        {"\\nothing\\Gloom", 76},
                                                        {"\\Akira\\Gloom", 76}, {"\\c\\..\\Akira", 76},
                                                        {"\\data\\levels", 75}, {"\\", 75}};
        for (const auto& [path, number] : failures)
            EXPECT_EQ(number, ErrorNumberOf([&] { image->Find(path); })) << path;
    }
}

TEST(CdImage, TheExactSpellingWinsOverOtherCases)
{
    test::TestFolder folder;
    for (const char* name : {"Gloom", "GLOOM", "gloom"})
        test::WriteFile(folder / (std::string("files/") + name), name);
    MakeIsoImage(folder / "files", folder / "case.iso", IsoNames::RockRidge);
    const auto image = CdImage::Open(folder / "case.iso");
    for (const char* name : {"Gloom", "GLOOM", "gloom"})
        EXPECT_EQ(name, ReadWhole(*image, std::string("\\") + name));
    EXPECT_EQ("GLOOM", ReadWhole(*image, "\\gLOOM"));  // of equal candidates, the first in sorted order
}

TEST(CdRoot, CopiesOutOfAnImageReplaceEarlierCopiesWholeOrNotAtAll)
{
    test::TestFolder folder;
    const ImageKind& kind = kKinds[5];
    const CdRoot cd = CdRoot::Open("D:", ImageOf(kind, folder.path()));
    const std::string target = folder / "Loader.exe";
    test::WriteFile(target, std::string(100000, 'x'));
    cd.CheckFile("\\c\\loader.exe");
    cd.CopyToCache("\\c\\Loader.exe", target);
    EXPECT_TRUE(ImageFiles().at("c/Loader.exe") == test::ReadFile(target));

    // The image shrinks under an open drive: the copy fails, the earlier copy stays, nothing is left behind.
    fs::resize_file(folder / (std::string(kind.name) + ".bin"), 2352 * 40);
    EXPECT_EQ(321, ErrorNumberOf([&] { cd.CopyToCache("\\big.dat", target); }));
    EXPECT_TRUE(ImageFiles().at("c/Loader.exe") == test::ReadFile(target));
    EXPECT_EQ(5, std::distance(fs::directory_iterator(folder.path()), {}));  // the image's files and the copy
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
                                    "\" cannot be used: it holds 30 of the "))
        << message.text;
    EXPECT_EQ(MessageIcon::Critical, message.icon);
    EXPECT_EQ(0, host->endProgramRequests);
    EXPECT_FALSE(test::Exists(folder / "Cache/akir") || test::Exists(App("\\WinUAE\\launch.log")));
}

}  // namespace
}  // namespace talvero
