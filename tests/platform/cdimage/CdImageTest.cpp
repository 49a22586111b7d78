// Reading CD images made by the tests: every kind of image, every file byte for byte, in pieces.
#include "platform/cdimage/CdImage.h"

#include "install/Installer.h"
#include "platform/cdimage/CdRoot.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/TestFolder.h"
#include "tests/support/TestImages.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace talvero {
namespace {

using test::ErrorNumberOf;

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
    for (const test::ImageKind& kind : test::ImageKinds()) {
        SCOPED_TRACE(kind.name);
        const auto image = CdImage::Open(test::ImageOf(kind));
        for (auto [path, bytes] : test::ImageFiles()) {
            std::size_t largest = 0;
            std::replace(path.begin(), path.end(), '/', '\\');
            EXPECT_TRUE(bytes == ReadWhole(*image, "\\" + path, &largest)) << path;
            EXPECT_LE(largest, 256u * 1024) << path;
        }
        // Names match regardless of letter case and of a version suffix.
        EXPECT_EQ("whale", ReadWhole(*image, "\\wv_disk1\\WV"));
        EXPECT_EQ("whale", ReadWhole(*image, "\\WV_DISK1\\WV;1"));
        EXPECT_EQ(test::ImageFiles().at("Akira"), ReadWhole(*image, "AKIRA"));
        EXPECT_EQ(kind.names == IsoNames::Plain ? 53 : 0,
                  ErrorNumberOf([&] { image->Find(std::string("\\") + test::kLongName); }));
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
    const test::ImageKind& kind = test::ImageKinds()[5];
    const CdRoot cd = CdRoot::Open("D:", test::CopyOfImage(kind, folder.path()));
    const std::string target = folder / "Loader.exe";
    test::WriteFile(target, std::string(100000, 'x'));
    cd.CheckFile("\\c\\loader.exe");
    cd.CopyToCache("\\c\\Loader.exe", target);
    EXPECT_TRUE(test::ImageFiles().at("c/Loader.exe") == test::ReadFile(target));

    // The image shrinks under an open drive: the copy fails, the earlier copy stays, nothing is left behind.
    fs::resize_file(folder / (std::string(kind.name) + ".bin"), 2352 * 40);
    EXPECT_EQ(321, ErrorNumberOf([&] { cd.CopyToCache("\\big.dat", target); }));
    EXPECT_TRUE(test::ImageFiles().at("c/Loader.exe") == test::ReadFile(target));
    EXPECT_EQ(3, std::distance(fs::directory_iterator(folder.path()), {}));
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
