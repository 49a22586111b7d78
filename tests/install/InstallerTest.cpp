// Installing games on real files, with the stand-in emulator; the installers' error reporter.
#include "install/Installer.h"

#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/FaultHooks.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "tests/support/AppFolderTest.h"

#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace talvero {
namespace {

class InstallerTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        LayOutDemo();
        test::MakeFolders(folder / "Cache");
    }
    // The one message of a failure (an unknown error also ends the program); no emulator starts.
    void InstallFailing(const std::string& title, const std::string& message)
    {
        InstallGame(title, {"D:", true});
        host->ExpectMessage(message);
        EXPECT_EQ(message.rfind(kMessageUnknownError, 0) == 0 ? 1 : 0, host->endProgramRequests) << message;
        EXPECT_FALSE(test::Exists(App("\\WinUAE\\launch.log")));
        host->endProgramRequests = 0;
    }
    std::string Cached(const std::string& code, const std::string& record) const
    {
        return folder / ("Cache/" + code) + "/" + NativePath(record);
    }
    std::string OnCd(const std::string& record) const
    {
        return test::ReadFile(PathOnDrive("D:", "\\" + record));
    }
};

// Every folder and file below `cache`, each file with a digest of its bytes (0 for a folder).
using Tree = std::map<std::string, std::size_t>;
Tree TreeOf(const std::string& cache)
{
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(cache))
        tree[fs::relative(entry.path(), cache).string()] =
            entry.is_directory() ? 0 : std::hash<std::string>{}(test::ReadFile(entry.path().string()));
    return tree;
}

// The tree the installer should leave in the cache folder: the profile's folders, the copies of
// the CD's files, the support files, the boot script, nv_location and Guardian's patches.
Tree ExpectedTree(const GameProfile& profile, const std::string& cd)
{
    std::map<std::string, std::string> files;
    for (const std::string& record : DemoCopyRecords(profile))
        files[record] = test::ReadFile(JoinPath(cd, NativePath(record)));
    // Each support file's 1-based position and length in the pack, typed here from its layout.
    struct Piece {
        const char* name;
        std::size_t first, length;
    };
    const std::map<SupportFile, std::vector<Piece>> support = {
        {SupportFile::Fakepad, {{"c/fakepad", 31749, 1828}}},
        {SupportFile::Lowlevel, {{"libs/lowlevel.library", 1, 27724}}},
        {SupportFile::LowlevelAndNonvolatile,
         {{"libs/lowlevel.library", 1, 27724}, {"libs/nonvolatile.library", 27725, 4024}}},
        {SupportFile::NvramHardfile, {{"nv/nvram.hdf", 33577, 32768}}},
        {SupportFile::Debox,
         {{"libs/debox.library", 66345, 3500}, {"libs/playerprefs.library", 69845, 20 * 8683}}}};
    for (SupportFile file : profile.supportFiles) {
        for (const Piece& piece : support.at(file))
            files[piece.name] = DemoSupportPack().substr(piece.first - 1, piece.length);
    }
    if (profile.bootScript)
        files["s/startup-sequence"] = DemoBootScript(profile);
    if (profile.nvLocation)
        files["prefs/env-archive/sys/nv_location"] = *profile.nvLocation;
    for (const std::string& record : profile.patch ? DemoPatchRecords() : std::vector<std::string>{})
        files["game"][std::stoul(record.substr(0, 8), nullptr, 16)] =
            static_cast<char>(std::stoul(record.substr(record.size() - 2), nullptr, 16));
    Tree tree;
    for (const std::string& name : profile.folders)
        tree[NativePath(name)] = 0;
    for (const auto& [name, bytes] : files)
        tree[NativePath(name)] = std::hash<std::string>{}(bytes);
    return tree;
}

class EveryProfile : public InstallerTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(EveryProfile, InstallsIntoAnEmptyCacheAndStartsItsEmulator)
{
    const GameProfile& profile = GameProfiles()[GetParam()];
    InsertDemoCd(profile.title);
    // Without the keys an installer sets, each call appends its line: the file shows their order.
    test::WriteFile(App("\\WinUAE\\Configurations\\Default.uae"),
                    "kickstart_rom_file=kick31.rom\r\njoyport1=kbd2\r\n");
    InstallGame(profile.title, {"D:", true});
    EXPECT_EQ(0u, host->PendingMessages()) << (host->PendingMessages() ? host->TakeMessage().text : "");
    const std::string cache = folder / ("Cache/" + profile.cacheCode);
    EXPECT_EQ(ExpectedTree(profile, folder / "Drives/D"), TreeOf(cache));
    // The profile's lines before, filesystem=, the lines after, then the sound line.
    std::vector<std::string> lines = {"kickstart_rom_file=kick31.rom", "joyport1=kbd2"};
    for (const ProfileLine& line : profile.linesBefore)
        lines.push_back(line.key + LineValue(line));
    lines.push_back("filesystem=rw," + profile.volume + ":" + cache);
    for (const ProfileLine& line : profile.linesAfter)
        lines.push_back(line.key + LineValue(line));
    if (profile.soundLine)
        lines.push_back("sound_output=exact");
    EXPECT_EQ(lines, ConfigLines());
    const std::string log = WaitForLaunchLog();
    EXPECT_NE(std::string::npos, log.find("executable: " + profile.executable + "\narguments: (none)\n"))
        << log;
    EXPECT_NE(std::string::npos, log.find("result: ok\n")) << log;
}

INSTANTIATE_TEST_SUITE_P(Installer, EveryProfile, ::testing::Range<std::size_t>(0, 30),
                         [](const auto& info) { return GameProfiles()[info.param].cacheCode; });

TEST_F(InstallerTest, EachFailureShowsItsMessageAndStartsNothing)
{
    InsertDemoCd("Lemmings");
    const std::string missing = PathOnDrive("D:", "\\" + DemoCopyRecords(*FindProfile("Lemmings"))[4]);
    fs::remove(missing);
    InstallGame("Lemmings", {"D:", true});
    // The details and the log name the file and give the system's reason.
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ(kMessageImportantFileNotFound, message.text);
    EXPECT_EQ(0u, message.detail.find(missing + "\n")) << message.detail;
    EXPECT_GT(message.detail.size(), missing.size() + 4);
    EXPECT_NE(std::string::npos,
              test::ReadFile(folder / "talvero.log").find("failed with error 53: " + missing));

    InsertDemoCd("GunShip 2000");  // a data file short of records: 62
    const auto records = DemoCopyRecords(*FindProfile("GunShip 2000"));
    std::string data;
    for (std::size_t i = 0; i < 12; ++i)
        data += records[i] + "\r\n";
    test::WriteFile(App("\\Data\\GunShip 2000.dat"), data);
    InstallFailing("GunShip 2000", kMessageUnknownError + std::string("62"));
    InsertDemoCd("Defender of the Crown 2");  // a short support pack: 62
    test::WriteFile(App("\\Talvero.dat"), DemoSupportPack().substr(0, 70000));
    InstallFailing("Defender of the Crown 2", kMessageUnknownError + std::string("62"));
    EXPECT_TRUE(test::Exists(folder / "Cache/def2/libs/debox.library"));
    fs::remove(App("\\Talvero.dat"));  // no support pack: 53
    InstallFailing("Defender of the Crown 2", kMessageImportantFileNotFound);
    EXPECT_FALSE(test::Exists(folder / "Cache/def2/libs/playerprefs.library"));
    InsertDemoCd("IK+");
    fs::remove(App("\\WinUAE\\WinUAE814r3.exe"));
    InstallFailing("IK+", kMessageImportantFileNotFound);
    InsertDemoCd("Akira");
    if (test::ReadOnlyFoldersAreEnforced()) {
        test::MakeReadOnly(folder / "Cache");
        InstallFailing("Akira", kMessageErrorWritingFile);
        test::MakeWritable(folder / "Cache");
    }
    fs::remove(App("\\Data\\Akira.dat"));
    InstallFailing("Akira", kMessageImportantFileNotFound);  // 53
    fs::remove_all(App("\\Data"));
    InstallFailing("Akira", kMessageImportantFileNotFound);  // 76
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
}

TEST_F(InstallerTest, TheReporterShowsTheMessageOfEachNumberAndEndsOnUnknownOnes)
{
    for (int number : {53, 76, 75, 62, 70, 52, -5}) {
        ReportInstallError(static_cast<ErrorNumber>(number));
        host->ExpectMessage(
            number == 53 || number == 76 ? "Important file not found. Can't start the selected game!"
            : number == 75               ? "Error writing to a file!"
                           : "Unknown error! Terminating... Exitcode: " + std::to_string(number));
        EXPECT_EQ(number == 53 || number == 76 || number == 75 ? 0 : 1, host->endProgramRequests) << number;
        host->endProgramRequests = 0;
    }
}

// Records that leave the cache are refused (52); leading separators are dropped, the cache's
// folders are found whatever the record's letter case, and a new file keeps the record's spelling.
TEST_F(InstallerTest, CopyRecordsLandInTheCacheOrAreRefused)
{
    InsertDemoCd("Chambers of Shaolin");
    test::WriteFile(folder / "Drives/secret", "outside the CD");
    const auto dataFile = [&](const std::string& record) {
        fs::remove_all(folder / "Cache/cham");
        test::WriteFile(App("\\Data\\Chambers of Shaolin.dat"), "shaolin\r\n" + record + "\r\nscript\r\n");
    };
    for (const char* bad : {"..\\secret", "c\\..\\..\\..\\secret", "C:\\x", "c/../../x", ""}) {
        dataFile(bad);
        InstallFailing("Chambers of Shaolin", kMessageUnknownError + std::string("52"));
    }
    EXPECT_FALSE(test::Exists(folder / "Cache/secret") || test::Exists(folder / "secret"));
    int launches = 0;
    for (const std::string record :
         {"\\c\\cham_file2", "\\\\c\\cham_file2", "C\\cham_file2", "/C/cham_file2", "C\\CHAM_FILE2"}) {
        dataFile(record);
        InstallGame("Chambers of Shaolin", {"D:", true});
        const std::string landed = record.substr(record.find_last_of("\\/") + 1);
        EXPECT_EQ((Tree{{landed, std::hash<std::string>{}(OnCd("c\\cham_file2"))}}),
                  TreeOf(folder / "Cache/cham/c"));
        WaitForLaunchLog(++launches);
    }
}

TEST_F(InstallerTest, BadGuardianPatchRecordsAreRefusedAfterTheGoodOnes)
{
    InsertDemoCd("Guardian");
    const std::string original = OnCd("game");
    // The last case proves that all 168 patch records are read.
    const std::pair<std::size_t, const char*> cases[] = {{5, "0000zz00 = 01"}, {5, "00000100 = G1"},
                                                         {5, "00001000 = 01"}, {5, "FFFFFFFF = 01"},
                                                         {5, "0100"},          {167, "0100"}};
    for (const auto& [at, bad] : cases) {
        auto patches = DemoPatchRecords();
        ASSERT_EQ(168u, patches.size());
        patches[at] = bad;
        std::string data = "game\r\n" + DemoBootScript(*FindProfile("Guardian"));
        for (const std::string& record : patches)
            data += "\r\n" + record;
        test::WriteFile(App("\\Data\\Guardian.dat"), data);
        InstallFailing("Guardian", kMessageUnknownError + std::string("52"));
        const std::string patched = test::ReadFile(folder / "Cache/guar/game");
        EXPECT_EQ(static_cast<char>(0x07), patched[0x100]);
        if (at < 100) {
            EXPECT_EQ(original[0x100 + 100 * 17], patched[0x100 + 100 * 17]);
        }
    }
}

// A second install copies again only what the game changed, rewrites the support files and the
// boot script, and keeps the NVRAM hard file, which holds the saves.
TEST_F(InstallerTest, ASecondInstallCopiesOnlyChangedFilesAndKeepsNvramHdf)
{
    const GameProfile& ufo = *FindProfile("UFO - Enemy Unknown");
    InsertDemoCd(ufo.title);
    InstallGame(ufo.title, {"D:", true});
    const auto records = DemoCopyRecords(ufo);
    // A copy takes its source's time, so that the next start can tell it is current.
    for (const std::string& record : records)
        EXPECT_EQ(StampOf(PathOnDrive("D:", "\\" + record)), StampOf(Cached("ufo1", record))) << record;
    const std::size_t size = test::ReadFile(Cached("ufo1", records[2])).size();
    test::WriteFile(Cached("ufo1", records[2]), std::string(size, 'x'));  // the game wrote into it
    for (const char* name : {"nv/nvram.hdf", "libs/lowlevel.library", "s/startup-sequence"})
        test::WriteFile(Cached("ufo1", name), "changed");
    // A file copied again gets a new identity; one left alone keeps its own.
    const auto identity = [&](const std::string& record) {
        return test::FileIdentity(Cached("ufo1", record));
    };
    const std::uint64_t unchanged = identity(records[0]), changed = identity(records[2]);
    InstallGame(ufo.title, {"D:", true});
    auto expected = ExpectedTree(ufo, folder / "Drives/D");
    expected[NativePath("nv/nvram.hdf")] = std::hash<std::string>{}("changed");
    EXPECT_EQ(expected, TreeOf(folder / "Cache/ufo1"));
    EXPECT_EQ(unchanged, identity(records[0]));
    EXPECT_NE(changed, identity(records[2]));
    EXPECT_NE(std::string::npos, test::ReadFile(folder / "talvero.log").find("copied 1 of 10 files"))
        << "log";
    WaitForLaunchLog(2);
}

// The k-th step of the cache writes fails (k = 1, 2, ...) until a start gets through: every file is
// its earlier copy or the new one, whole, nothing half-made is left, and the next start copies only
// what is still missing.
TEST_F(InstallerTest, ACopyInterruptedAnywhereLeavesWholeFilesAndTheNextStartCompletesIt)
{
    const GameProfile& game = *FindProfile("Alien Breed Special Edition '92");
    InsertDemoCd(game.title);
    const auto records = DemoCopyRecords(game);
    const auto cached = [&](const std::string& record) { return Cached(game.cacheCode, record); };
    for (int failAt = 1, failed = 1; failed; ++failAt) {
        fs::remove_all(folder / ("Cache/" + game.cacheCode));
        for (const std::string& record : records)
            test::WriteFile(cached(record), "earlier " + record);
        int step = 0;
        faults::SetReplaceHook([&](faults::ReplaceStep, const std::string&) {
            if (++step == failAt)
                throw FileError(ErrorNumber::PathFileAccess, "disk gone");
        });
        InstallGame(game.title, {"D:", true});
        faults::SetReplaceHook(nullptr);
        failed = host->PendingMessages() > 0;
        if (failed)
            host->ExpectMessage(kMessageErrorWritingFile);
        std::map<std::string, std::uint64_t> whole;
        for (const std::string& record : records) {
            const std::string content = test::ReadFile(cached(record));
            ASSERT_TRUE(content == OnCd(record) || content == "earlier " + record)
                << record << " at " << failAt;
            if (content == OnCd(record))
                whole[record] = test::FileIdentity(cached(record));
        }
        for (const auto& entry : fs::recursive_directory_iterator(folder / ("Cache/" + game.cacheCode)))
            EXPECT_NE('.', entry.path().filename().string().front()) << "left behind: " << entry.path();
        if (!failed)
            break;
        InstallGame(game.title, {"D:", true});
        EXPECT_EQ(0u, host->PendingMessages());
        for (const std::string& record : records) {
            EXPECT_EQ(OnCd(record), test::ReadFile(cached(record)));
            if (whole.count(record)) {
                EXPECT_EQ(whole[record], test::FileIdentity(cached(record))) << record << " was copied again";
            }
        }
    }
    WaitForLaunchLog();
}

}  // namespace
}  // namespace talvero
