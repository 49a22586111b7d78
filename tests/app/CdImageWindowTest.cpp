// Games started from CD images inserted through the main window's Extras menu or dropped onto it;
// the real window, the stand-in emulator. Images standing for drives are tested in DrivesTest.
#include "app/CdImageChoice.h"
#include "demo/DemoImage.h"
#include "tests/support/GuiTest.h"

#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSet>
#include <QUrl>

#include <filesystem>

namespace talvero {
namespace {

class CdImageWindowTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        LayOutDemo();
        MakeDemoCdImage({"Lemmings"}, images / "Lemmings.cue");
        MakeDemoCdImage({"Akira"}, images / "Akira.iso");
    }
    QString EjectEntry() { return Action("CDImage2")->isEnabled() ? Action("CDImage2")->text() : "disabled"; }
    test::TestFolder images;
};

TEST_F(CdImageWindowTest, AnImageInsertedThroughTheMenuIsTheDriveUntilEjectedAndSurvivesARestart)
{
    ASSERT_TRUE(StartMainWindow());
    EXPECT_EQ("&Insert CD image...", Action("CDImage1")->text());
    EXPECT_EQ(QKeySequence("Ctrl+I"), Action("CDImage1")->shortcut());
    EXPECT_EQ("disabled", EjectEntry());
    // The image entries follow the Extras menu's own, and no two entries share a shortcut.
    QStringList extras, shortcuts;
    for (QAction* action : test::Child<QMenu>(mainWindow.get(), "Extras")->actions())
        extras << action->objectName();
    EXPECT_EQ(QStringList({"Frameskip", "JITComp", "Trenn3", "Extras1", "Trenn4", "CDImage1", "CDImage2"}),
              extras);
    for (QAction* action : mainWindow->findChildren<QAction*>())
        shortcuts << action->shortcut().toString();
    shortcuts.removeAll("");
    EXPECT_EQ(shortcuts.size(), QSet<QString>(shortcuts.begin(), shortcuts.end()).size())
        << shortcuts.join(' ').toStdString();

    host->ChooseNextFile(images / "Lemmings.cue");
    Action("CDImage1")->trigger();
    ASSERT_EQ(1u, host->fileRequests.size());
    EXPECT_EQ("*.cue *.iso *.nrg", host->fileRequests[0].filterPattern);
    EXPECT_EQ("&Eject CD image (Lemmings.cue)", EjectEntry());
    EXPECT_EQ(images / "Lemmings.cue", ReadSetting(kSettingCdImage));
    StartFromWindow("Lemmings");
    EXPECT_NE(std::string::npos, WaitForLaunchLog().find("result: ok\n"));

    // The image stays in after a restart; without the game's files it asks for the CD.
    mainWindow.reset();
    StartFromWindow("Akira");
    EXPECT_EQ("&Eject CD image (Lemmings.cue)", EjectEntry());
    EXPECT_EQ("Please insert the \"Akira\"-CD first!", host->TakeMessage().text);

    // Ejected, the drive is the empty D: again.
    Action("CDImage2")->trigger();
    EXPECT_EQ("disabled", EjectEntry());
    EXPECT_EQ("", ReadSetting(kSettingCdImage));
    StartFromWindow("Lemmings");
    EXPECT_EQ("Please insert the \"Lemmings\"-CD first!", host->TakeMessage().text);
}

TEST_F(CdImageWindowTest, ADroppedImageIsInsertedAndADamagedOneChangesNothing)
{
    test::WriteFile(images / "Broken.iso", std::string(100000, 'x'));
    ASSERT_TRUE(StartMainWindow());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(images / "Akira.iso"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mainWindow.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mainWindow.get(), &drop);
    EXPECT_EQ("&Eject CD image (Akira.iso)", EjectEntry());

    host->ChooseNextFile(images / "Broken.iso");
    Action("CDImage1")->trigger();
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ(
        "The CD image \"" + (images / "Broken.iso") +
            "\" cannot be used: it holds no ISO 9660 volume descriptor (no CD image, or a damaged one).",
        message.text);
    EXPECT_EQ(MessageIcon::Exclamation, message.icon);
    EXPECT_EQ(images / "Akira.iso", ReadSetting(kSettingCdImage));

    // An image that breaks after it was inserted: its message at Start game, and no cache.
    std::filesystem::resize_file(images / "Akira.iso", 40 * 2048);
    StartFromWindow("Akira");
    EXPECT_NE(std::string::npos, host->TakeMessage().text.find("(a truncated image)"));
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
}

}  // namespace
}  // namespace talvero
