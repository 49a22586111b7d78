// The main window with what only a POSIX system offers the tests: an emulator that is a shell
// script and keeps running, and CD images made with xorriso and read with libcdio.
#include "demo/DemoImage.h"
#include "emulator/EmulatorInterface.h"
#include "platform/Files.h"
#include "tests/support/GuiTest.h"

#include <cstdlib>
#include <filesystem>

namespace talvero {
namespace {

class MainWindowPosixTest : public test::GuiTest {
protected:
    // The eject entry's text, or "-" while it is disabled, and the image remembered.
    void ExpectEject(const QString& text, const std::string& image)
    {
        EXPECT_EQ(text, Action("CDImage2")->isEnabled() ? Action("CDImage2")->text() : "-");
        EXPECT_EQ(image, ReadSetting(SettingKey::CDImage));
    }
};

// An image inserted through the menu stays in after a restart until ejected, and the status line
// names it; a damaged one changes nothing, and one damaged after it went in says so at Start game.
TEST_F(MainWindowPosixTest, CdImagesInsertedThroughTheMenuAndEjected)
{
    LayOutDemo();
    ASSERT_TRUE(StartMainWindow());
    ExpectMain("text", {{"CDImage1", "&Insert CD image..."}, {"CDSource", "CD: the drive chosen in the options"}});
    ExpectEject("-", "<absent>");
    test::TestFolder images;
    MakeDemoCdImage({"Akira"}, images / "Akira.iso");
    test::WriteFile(images / "Broken.iso", std::string(100000, 'x'));
    for (const char* image : {"Akira.iso", "Broken.iso"}) {
        host->ChooseNextFile(images / image);
        Action("CDImage1")->trigger();
    }
    EXPECT_EQ("*.cue *.iso *.nrg", host->fileRequests.at(0).filterPattern);
    const MessageBoxRequest refused = host->TakeMessage();
    EXPECT_EQ(MessageIcon::Exclamation, refused.icon);
    EXPECT_NE(std::string::npos, refused.text.find("no ISO 9660 volume descriptor")) << refused.text;
    ExpectEject("&Eject CD image (Akira.iso)", images / "Akira.iso");
    ExpectMain("text", {{"CDSource", "CD image inserted: Akira.iso (used instead of the drive)"}});
    ExpectMain("toolTip", {{"CDSource", QString::fromStdString(images / "Akira.iso")}});
    // The right disc in the drive does not help while the image is in: the details say why.
    InsertDemoCd("Gloom");
    StartFromWindow("Gloom");
    const MessageBoxRequest asked = host->TakeMessage();
    EXPECT_EQ("Please insert the \"Gloom\"-CD first!", asked.text);
    EXPECT_TRUE(asked.detail.starts_with("The game was looked for in the inserted CD image Akira.iso (" +
                                         images / "Akira.iso" +
                                         "), not in drive D:. Extras > Eject CD image uses the drive again.\n\n"))
        << asked.detail;
    ASSERT_TRUE(StartMainWindow());
    ExpectEject("&Eject CD image (Akira.iso)", images / "Akira.iso");
    std::filesystem::resize_file(images / "Akira.iso", 40 * 2048);
    StartFromWindow("Akira");
    EXPECT_NE(std::string::npos, host->TakeMessage().text.find("(a truncated image)"));
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
    Action("CDImage2")->trigger();
    ExpectEject("-", "");
    ExpectMain("text", {{"CDSource", "CD: the drive chosen in the options"}});
    ExpectMain("toolTip", {{"CDSource", ""}});
}

// Through the FS-UAE bridge without the ROM the options name, a note says that FS-UAE's own ROM
// runs instead: after the first start of a run only, and in no later run once its box is ticked.
TEST_F(MainWindowPosixTest, TheBuiltInRomNoteComesOncePerRunUntilTurnedOff)
{
    LayOutDemo();
    InsertDemoCd("Akira");
    std::filesystem::remove(App("\\WinUAE\\kick31.rom"));
    test::WriteFile(App("\\WinUAE\\WinUAE817r3.exe"), "MZ a Windows emulator");  // Akira's
    // The bridge (beside the test program) runs this fs-uae, which notes each start and ends.
    test::MakeFolders(folder / "bin");
    const std::string starts = folder / "fs-uae-starts";
    test::WriteFile(folder / "bin/fs-uae", "#!/bin/sh\necho started >>\"" + starts + "\"\n");
    MarkExecutable(folder / "bin/fs-uae");
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (folder / "bin" + ":" + path).c_str(), 1);
    const auto startAkira = [&](int startsBefore) {
        StartFromWindow("Akira");
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return test::Exists(starts) && test::ReadFile(starts).size() > std::size_t(8 * startsBefore) &&
                   !AnyEmulatorStillRunning();
        }, 15000)) << "start " << startsBefore + 1;
    };

    startAkira(0);  // KickstartNoteTest has the note's text
    const MessageBoxRequest note = host->TakeMessage();
    EXPECT_EQ(MessageIcon::Information, note.icon);
    EXPECT_EQ("Do not show this again", note.checkBoxText);
    startAkira(1);  // the same run: no note (a box no test scripted fails the test)

    // The next run says it again; ticked there, it stays away for good.
    mainWindow.reset();
    host->TickNextCheckBox();
    startAkira(2);
    EXPECT_EQ("Do not show this again", host->TakeMessage().checkBoxText);
    EXPECT_EQ("False", ReadSetting(SettingKey::KickstartNote));
    mainWindow.reset();
    startAkira(3);
    ::setenv("PATH", path.c_str(), 1);
}

}  // namespace
}  // namespace talvero
