// Games started from CD images inserted through the main window's Extras menu or dropped onto it;
// the real window, the stand-in emulator. Images standing for drives are tested in DrivesTest.
#include "app/CdImageChoice.h"
#include "demo/DemoImage.h"
#include "tests/support/GuiTest.h"

#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>

#include <filesystem>

namespace talvero {
namespace {

class CdImageWindowTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        LayOutDemo();
        ASSERT_TRUE(StartMainWindow());
    }
    // The eject entry's text, or "-" while it is disabled.
    QString Eject() { return Action("CDImage2")->isEnabled() ? Action("CDImage2")->text() : "-"; }
    test::TestFolder images;
};

TEST_F(CdImageWindowTest, AnImageInsertedThroughTheMenuIsTheDriveUntilEjectedAndSurvivesARestart)
{
    EXPECT_EQ("&Insert CD image...|-", Main("text", "CDImage1") + "|" + Eject());
    // The image entries follow the Extras menu's own (their shortcuts are checked in MainWindowTest).
    QStringList extras;
    for (QAction* action : Child<QMenu>(mainWindow.get(), "Extras")->actions())
        extras << action->objectName();
    EXPECT_EQ("Frameskip JITComp Trenn3 Extras1 Trenn4 CDImage1 CDImage2", extras.join(' '));
    MakeDemoCdImage({"Lemmings"}, images / "Lemmings.cue");
    host->ChooseNextFile(images / "Lemmings.cue");
    Action("CDImage1")->trigger();
    EXPECT_EQ("*.cue *.iso *.nrg", host->fileRequests.at(0).filterPattern);
    EXPECT_EQ("&Eject CD image (Lemmings.cue)", Eject());
    EXPECT_EQ(images / "Lemmings.cue", ReadSetting(kSettingCdImage));
    StartFromWindow("Lemmings");
    EXPECT_NE(std::string::npos, WaitForLaunchLog().find("result: ok\n"));
    // The image stays in after a restart; without the game's files it asks for the CD.
    mainWindow.reset();
    StartFromWindow("Akira");
    EXPECT_EQ("&Eject CD image (Lemmings.cue)", Eject());
    EXPECT_EQ("Please insert the \"Akira\"-CD first!", host->TakeMessage().text);
    // Ejected, the drive is the empty D: again.
    Action("CDImage2")->trigger();
    EXPECT_EQ("-|", Eject() + "|" + QString::fromStdString(ReadSetting(kSettingCdImage)));
    StartFromWindow("Lemmings");
    EXPECT_EQ("Please insert the \"Lemmings\"-CD first!", host->TakeMessage().text);
}

TEST_F(CdImageWindowTest, ADroppedImageIsInsertedAndADamagedOneChangesNothing)
{
    MakeDemoCdImage({"Akira"}, images / "Akira.iso");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(images / "Akira.iso"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mainWindow.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mainWindow.get(), &drop);
    EXPECT_EQ("&Eject CD image (Akira.iso)", Eject());

    test::WriteFile(images / "Broken.iso", std::string(100000, 'x'));
    host->ChooseNextFile(images / "Broken.iso");
    Action("CDImage1")->trigger();
    host->ExpectMessage("The CD image \"" + (images / "Broken.iso") +
                            "\" cannot be used: it holds no ISO 9660 volume descriptor (no CD image, or a "
                            "damaged one).",
                        MessageIcon::Exclamation);
    EXPECT_EQ(images / "Akira.iso", ReadSetting(kSettingCdImage));
    // An image that breaks after it was inserted: its message at Start game, and no cache.
    std::filesystem::resize_file(images / "Akira.iso", 40 * 2048);
    StartFromWindow("Akira");
    EXPECT_NE(std::string::npos, host->TakeMessage().text.find("(a truncated image)"));
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
}

}  // namespace
}  // namespace talvero
