// Games started from CD images: images in the Drives folder, and images inserted through the
// main window's Extras menu or dropped onto it; the real window, the stand-in emulator.
#include "app/CdImageChoice.h"
#include "app/frmMain.h"
#include "demo/DemoFolder.h"
#include "demo/DemoImage.h"
#include "games/GameProfiles.h"
#include "tests/support/GuiTest.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QUrl>

#include <filesystem>

namespace talvero {
namespace {

using test::Child;

class CdImageWindowTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        LayOutDemo();
        test::MakeFolders(folder / "Drives");
    }
    void Start(const QString& title)
    {
        if (!mainWindow) {
            ASSERT_TRUE(StartMainWindow());
        }
        const bool cdtv = title == "Lemmings";
        QTest::mouseClick(Child<QRadioButton>(mainWindow.get(), cdtv ? "Option2" : "Option1"),
                          Qt::LeftButton);
        auto* list = Child<QListWidget>(mainWindow.get(), "List1");
        list->setCurrentItem(list->findItems(title, Qt::MatchExactly).first());
        QTest::mouseClick(Child<QPushButton>(mainWindow.get(), "Command1"), Qt::LeftButton);
    }
    // Every file the game copies from its CD is in its cache, byte for byte.
    void ExpectCacheFromCd(const std::string& title)
    {
        const GameProfile& profile = *FindProfile(title);
        for (std::string record : DemoCopyRecords(profile)) {
            const std::string expected = DemoCdFileBytes(record, 0);
            std::replace(record.begin(), record.end(), '\\', '/');
            EXPECT_TRUE(expected == test::ReadFile(folder / ("Cache/" + profile.cacheCode + "/" + record)))
                << record;
        }
    }
    QAction* Entry(const char* name) { return Child<QAction>(mainWindow.get(), name); }
    void Drop(const std::string& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mainWindow.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mainWindow.get(), &drop);
    }
    test::TestFolder images;
};

TEST_F(CdImageWindowTest, GamesStartFromAnIsoAndABinCueImageInTheDrivesFolder)
{
    MakeDemoCdImage({"Akira"}, folder / "Drives/D.iso");
    MakeDemoCdImage({"Lemmings"}, images / "Lemmings.cue");
    std::filesystem::create_symlink(images / "Lemmings.cue", folder / "Drives/E");
    Start("Akira");
    EXPECT_NE(std::string::npos, WaitForLaunchLog(1).find("result: ok\n"));
    ExpectCacheFromCd("Akira");

    WriteSetting("Drive", "E:");
    Start("Lemmings");
    const std::string log = WaitForLaunchLog(2);
    EXPECT_NE(std::string::npos, log.find("line: filesystem=rw,0:" + (folder / "Cache/lemm") + "\n")) << log;
    ExpectCacheFromCd("Lemmings");
    EXPECT_EQ(0u, host->PendingMessages());
}

TEST_F(CdImageWindowTest, AnImageInsertedThroughTheMenuIsTheDriveUntilEjectedAndSurvivesARestart)
{
    MakeDemoCdImage({"Lemmings"}, images / "Lemmings.cue");
    ASSERT_TRUE(StartMainWindow());
    EXPECT_EQ("&Insert CD image...", Entry("CDImage1")->text());
    EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_I), Entry("CDImage1")->shortcut());
    EXPECT_FALSE(Entry("CDImage2")->isEnabled());
    // The image entries follow the Extras menu's own, and no two entries share a shortcut.
    QStringList extras;
    for (QAction* action : Child<QMenu>(mainWindow.get(), "Extras")->actions())
        extras << action->objectName();
    EXPECT_EQ(QStringList({"Frameskip", "JITComp", "Trenn3", "Extras1", "Trenn4", "CDImage1", "CDImage2"}),
              extras);
    QStringList shortcuts;
    for (QAction* action : mainWindow->findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty())
            shortcuts << action->shortcut().toString();
    }
    EXPECT_EQ(shortcuts.size(), QSet<QString>(shortcuts.begin(), shortcuts.end()).size())
        << shortcuts.join(' ').toStdString();

    host->ChooseNextFile(images / "Lemmings.cue");
    Entry("CDImage1")->trigger();
    ASSERT_EQ(1u, host->fileRequests.size());
    EXPECT_EQ("*.cue *.iso *.nrg", host->fileRequests[0].filterPattern);
    EXPECT_EQ("&Eject CD image (Lemmings.cue)", Entry("CDImage2")->text());
    EXPECT_EQ(images / "Lemmings.cue", ReadSetting(kSettingCdImage));
    Start("Lemmings");
    EXPECT_NE(std::string::npos, WaitForLaunchLog(1).find("result: ok\n"));
    ExpectCacheFromCd("Lemmings");

    // The image stays in after a restart; without the game's files it asks for the CD.
    mainWindow.reset();
    Start("Akira");
    EXPECT_EQ("&Eject CD image (Lemmings.cue)", Entry("CDImage2")->text());
    EXPECT_EQ("Please insert the \"Akira\"-CD first!", host->TakeMessage().text);

    // Ejected, the drive is the empty D: again.
    Entry("CDImage2")->trigger();
    EXPECT_FALSE(Entry("CDImage2")->isEnabled());
    EXPECT_EQ("", ReadSetting(kSettingCdImage));
    Start("Lemmings");
    EXPECT_EQ("Please insert the \"Lemmings\"-CD first!", host->TakeMessage().text);
}

TEST_F(CdImageWindowTest, ADroppedImageIsInsertedAndADamagedOneChangesNothing)
{
    MakeDemoCdImage({"Akira"}, images / "Akira.iso");
    test::WriteFile(images / "Broken.iso", std::string(100000, 'x'));
    ASSERT_TRUE(StartMainWindow());
    Drop(images / "Akira.iso");
    EXPECT_EQ("&Eject CD image (Akira.iso)", Entry("CDImage2")->text());

    host->ChooseNextFile(images / "Broken.iso");
    Entry("CDImage1")->trigger();
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ(
        "The CD image \"" + (images / "Broken.iso") +
            "\" cannot be used: it holds no ISO 9660 volume descriptor (no CD image, or a damaged one).",
        message.text);
    EXPECT_EQ(MessageIcon::Exclamation, message.icon);
    EXPECT_EQ(images / "Akira.iso", ReadSetting(kSettingCdImage));

    // An image that breaks after it was inserted: its message at Start game, and no cache.
    std::filesystem::resize_file(images / "Akira.iso", 40 * 2048);
    Start("Akira");
    EXPECT_NE(std::string::npos, host->TakeMessage().text.find("(a truncated image)"));
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
}

}  // namespace
}  // namespace talvero
