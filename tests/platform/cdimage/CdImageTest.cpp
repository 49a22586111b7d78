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

using test::ImageKind;

std::string Backslashed(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "\\" + path;
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

class EveryImageKind : public ::testing::TestWithParam<ImageKind> {};

TEST_P(EveryImageKind, HoldsEveryFileByteForByteReadInBoundedPieces)
{
    const auto image = CdImage::Open(test::ImageOf(GetParam()));
    for (const auto& [path, bytes] : test::ImageFiles()) {
        std::size_t largest = 0;
        EXPECT_TRUE(bytes == ReadWhole(*image, Backslashed(path), &largest)) << path;
        EXPECT_LE(largest, 256u * 1024) << path;
    }
    // Names match regardless of letter case and of a version suffix.
    EXPECT_EQ("whale", ReadWhole(*image, "\\wv_disk1\\WV"));
    EXPECT_EQ("whale", ReadWhole(*image, "\\WV_DISK1\\WV;1"));
    EXPECT_EQ(test::ImageFiles().at("Akira"), ReadWhole(*image, "AKIRA"));

    const bool longNames = GetParam().names != IsoNames::Plain;
    EXPECT_EQ(longNames ? 0 : 53,
              test::ErrorNumberOf([&] { image->Find(std::string("\\") + test::kLongName); }));
    EXPECT_EQ(53, test::ErrorNumberOf([&] { image->Find("\\Gloom"); }));
    EXPECT_EQ(76, test::ErrorNumberOf([&] { image->Find("\\nothing\\Gloom"); }));
    EXPECT_EQ(76, test::ErrorNumberOf([&] { image->Find("\\Akira\\Gloom"); }));
    EXPECT_EQ(76, test::ErrorNumberOf([&] { image->Find("\\c\\..\\Akira"); }));
    EXPECT_EQ(75, test::ErrorNumberOf([&] { image->Find("\\data\\levels"); }));
    EXPECT_EQ(75, test::ErrorNumberOf([&] { image->Find("\\"); }));
}

INSTANTIATE_TEST_SUITE_P(Images, EveryImageKind, ::testing::ValuesIn(test::ImageKinds()),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

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
    const std::string image = test::CopyOfImage(test::ImageKinds()[5], folder.path());
    const std::string target = folder / "Loader.exe";
    test::WriteFile(target, std::string(100000, 'x'));
    const CdRoot cd = CdRoot::Open("D:", image);
    cd.CheckFile("\\c\\loader.exe");
    cd.CopyToCache("\\c\\Loader.exe", target);
    EXPECT_TRUE(test::ImageFiles().at("c/Loader.exe") == test::ReadFile(target));

    // The image shrinks under an open drive: the copy fails, the earlier copy stays, nothing is left behind.
    fs::resize_file(folder / (std::string(test::ImageKinds()[5].name) + ".bin"), 2352 * 40);
    EXPECT_EQ(321, test::ErrorNumberOf([&] { cd.CopyToCache("\\big.dat", target); }));
    EXPECT_TRUE(test::ImageFiles().at("c/Loader.exe") == test::ReadFile(target));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"Loader.exe", "cue-mode1-2352.bin", "cue-mode1-2352.cue"}), names);
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
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
    EXPECT_FALSE(test::Exists(App("\\WinUAE\\launch.log")));
}

}  // namespace
}  // namespace talvero
