// Installing games on real files, with the stand-in emulator; the installers' error reporter.
#include "install/Installer.h"

#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "install/SupportPack.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/FaultHooks.h"
#include "platform/Files.h"
#include "tests/support/AppFolderTest.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

namespace fs = std::filesystem;

namespace talvero {
namespace {

// A configuration file without the keys an installer sets: each call then appends its line,
// so the file shows the order of the calls.
const std::string kBareConfig = "kickstart_rom_file=kick31.rom\r\njoyport1=kbd2\r\n";

class InstallerTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        LayOutDemo();
        test::MakeFolders(folder / "Cache");
    }
    std::string Member(const PackMember& member) const
    {
        return DemoSupportPack().substr(member.firstByte - 1, member.Length());
    }
    // The one message of a failure; an unknown error also ends the program.
    void ExpectFailure(const std::string& message)
    {
        host->ExpectMessage(message);
        EXPECT_EQ(message.rfind(kMessageUnknownError, 0) == 0 ? 1 : 0, host->endProgramRequests) << message;
        EXPECT_FALSE(test::Exists(App("\\WinUAE\\launch.log")));
        host->endProgramRequests = 0;
    }
    void InstallFailing(const std::string& title, const std::string& message)
    {
        InstallGame(title, {"D:", true});
        ExpectFailure(message);
    }
};

// Every file the installer should leave in the cache folder, with its bytes.
std::map<std::string, std::string> ExpectedFiles(const GameProfile& profile, const std::string& cd,
                                                 const std::function<std::string(const PackMember&)>& member)
{
    std::map<std::string, std::string> files;
    for (const std::string& record : DemoCopyRecords(profile))
        files[NativePath(record)] = test::ReadFile(JoinPath(cd, NativePath(record)));
    const std::map<SupportFile, std::vector<std::pair<const char*, PackMember>>> support = {
        {SupportFile::Fakepad, {{"c/fakepad", Member::Fakepad}}},
        {SupportFile::Lowlevel, {{"libs/lowlevel.library", Member::Lowlevel}}},
        {SupportFile::LowlevelAndNonvolatile,
         {{"libs/lowlevel.library", Member::Lowlevel}, {"libs/nonvolatile.library", Member::Nonvolatile}}},
        {SupportFile::NvramHardfile, {{"nv/nvram.hdf", Member::NvramHardfile}}},
        {SupportFile::Debox,
         {{"libs/debox.library", Member::Debox}, {"libs/playerprefs.library", Member::Playerprefs}}},
    };
    for (SupportFile file : profile.supportFiles) {
        for (const auto& [name, packMember] : support.at(file))
            files[NativePath(name)] = member(packMember);
    }
    if (profile.bootScript)
        files[NativePath("s/startup-sequence")] = DemoBootScript(profile);
    if (profile.nvLocation)
        files[NativePath("prefs/env-archive/sys/nv_location")] = *profile.nvLocation;
    if (profile.patch) {
        for (const std::string& record : DemoPatchRecords())
            files["game"][std::stoul(record.substr(0, 8), nullptr, 16)] =
                static_cast<char>(std::stoul(record.substr(record.size() - 2), nullptr, 16));
    }
    return files;
}

class EveryProfile : public InstallerTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(EveryProfile, InstallsIntoAnEmptyCacheAndStartsItsEmulator)
{
    const GameProfile& profile = GameProfiles()[GetParam()];
    InsertDemoCd(profile.title);
    test::WriteFile(App("\\WinUAE\\Configurations\\Default.uae"), kBareConfig);
    InstallGame(profile.title, {"D:", true});
    EXPECT_EQ(0u, host->PendingMessages()) << (host->PendingMessages() ? host->TakeMessage().text : "");

    const std::string cache = folder / ("Cache/" + profile.cacheCode);
    std::vector<std::string> folders, expectedFolders;
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(cache)) {
        const std::string relative = fs::relative(entry.path(), cache).string();
        if (entry.is_directory())
            folders.push_back(relative);
        else
            files[relative] = test::ReadFile(entry.path().string());
    }
    for (const std::string& name : profile.folders)
        expectedFolders.push_back(NativePath(name));
    std::sort(folders.begin(), folders.end());
    std::sort(expectedFolders.begin(), expectedFolders.end());
    EXPECT_EQ(expectedFolders, folders);

    const auto expected =
        ExpectedFiles(profile, folder / "Drives/D", [this](const PackMember& m) { return Member(m); });
    std::vector<std::string> names, expectedNames;
    for (const auto& [name, bytes] : files)
        names.push_back(name);
    for (const auto& [name, bytes] : expected) {
        expectedNames.push_back(name);
        EXPECT_TRUE(files.count(name) && files[name] == bytes) << name << " differs";
    }
    EXPECT_EQ(expectedNames, names);

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

TEST_F(InstallerTest, ASecondInstallKeepsNvramHdfAndRewritesTheRest)
{
    InsertDemoCd("UFO - Enemy Unknown");
    InstallGame("UFO - Enemy Unknown", {"D:", true});
    const std::string cache = folder / "Cache/ufo1";
    test::WriteFile(cache + "/nv/nvram.hdf", "my saved games");
    test::WriteFile(cache + "/libs/lowlevel.library", "damaged");
    test::WriteFile(cache + "/s/startup-sequence", "edited by hand");
    InstallGame("UFO - Enemy Unknown", {"D:", true});
    EXPECT_EQ("my saved games", test::ReadFile(cache + "/nv/nvram.hdf"));
    EXPECT_EQ(Member(Member::Lowlevel), test::ReadFile(cache + "/libs/lowlevel.library"));
    EXPECT_EQ(DemoBootScript(*FindProfile("UFO - Enemy Unknown")),
              test::ReadFile(cache + "/s/startup-sequence"));
    WaitForLaunchLog(2);
}

TEST_F(InstallerTest, MissingFilesAreImportantFilesNotFound)
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
    InsertDemoCd("IK+");
    fs::remove(App("\\WinUAE\\WinUAE814r3.exe"));
    InstallFailing("IK+", kMessageImportantFileNotFound);
    InsertDemoCd("Akira");
    fs::remove(App("\\Data\\Akira.dat"));
    InstallFailing("Akira", kMessageImportantFileNotFound);  // 53
    fs::remove_all(App("\\Data"));
    InstallFailing("Akira", kMessageImportantFileNotFound);  // 76
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
}

TEST_F(InstallerTest, AReadOnlyCacheFolderIsAWriteError)
{
    if (!test::ReadOnlyFoldersAreEnforced())
        GTEST_SKIP() << "read-only folders accept new files here";
    InsertDemoCd("Akira");
    test::MakeReadOnly(folder / "Cache");
    InstallFailing("Akira", kMessageErrorWritingFile);
}

TEST_F(InstallerTest, ShortDataFilesAndPacksEndTheProgramWithCode62)
{
    InsertDemoCd("GunShip 2000");
    const auto records = DemoCopyRecords(*FindProfile("GunShip 2000"));
    std::string data;
    for (std::size_t i = 0; i < 12; ++i)
        data += records[i] + "\r\n";
    test::WriteFile(App("\\Data\\GunShip 2000.dat"), data);
    InstallFailing("GunShip 2000", kMessageUnknownError + std::string("62"));
    InsertDemoCd("Defender of the Crown 2");
    test::WriteFile(App("\\Talvero.dat"), DemoSupportPack().substr(0, 70000));
    InstallFailing("Defender of the Crown 2", kMessageUnknownError + std::string("62"));
    EXPECT_FALSE(test::Exists(folder / "Cache/def2/libs/playerprefs.library"));
}

TEST_F(InstallerTest, TheSoundLineOnlyWithSoundEmulationAndTheDriveFromTheFieldsFirstTwoCharacters)
{
    InsertDemoCd("Dark Seed", "E");
    InstallGame("Dark Seed", {"E:\\", false});
    EXPECT_EQ("normal", ConfigValue("sound_output="));
    EXPECT_TRUE(test::Exists(folder / "Cache/dark/c"));
    WaitForLaunchLog();
}

TEST_F(InstallerTest, CopyRecordsThatLeaveTheCacheAreRefused)
{
    InsertDemoCd("Chambers of Shaolin");
    test::WriteFile(folder / "Drives/secret", "outside the CD");
    for (const char* bad : {"..\\secret", "c\\..\\..\\..\\secret", "C:\\x", "c/../../x", ""}) {
        test::WriteFile(App("\\Data\\Chambers of Shaolin.dat"),
                        "shaolin\r\n" + std::string(bad) + "\r\nscript\r\n");
        InstallFailing("Chambers of Shaolin", kMessageUnknownError + std::string("52"));
    }
    EXPECT_FALSE(test::Exists(folder / "Cache/secret"));
    EXPECT_FALSE(test::Exists(folder / "secret"));
}

TEST_F(InstallerTest, BadGuardianPatchRecordsAreRefusedAfterTheGoodOnes)
{
    InsertDemoCd("Guardian");
    const std::string original = test::ReadFile(folder / "Drives/D/game");
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

TEST_F(InstallerTest, TheReporterShowsTheMessageOfEachNumberAndEndsOnUnknownOnes)
{
    const std::pair<int, std::string> cases[] = {{53, kMessageImportantFileNotFound},
                                                 {76, kMessageImportantFileNotFound},
                                                 {75, kMessageErrorWritingFile},
                                                 {62, "Unknown error! Terminating... Exitcode: 62"},
                                                 {70, "Unknown error! Terminating... Exitcode: 70"},
                                                 {52, "Unknown error! Terminating... Exitcode: 52"},
                                                 {-5, "Unknown error! Terminating... Exitcode: -5"}};
    for (const auto& [number, message] : cases) {
        ReportInstallError(static_cast<ErrorNumber>(number));
        ExpectFailure(message);
    }
}

// Leading separators are dropped; the cache's folders are found whatever the record's letter
// case, and a new file keeps the record's spelling.
TEST_F(InstallerTest, CopyRecordsWithLeadingSeparatorsOrAnotherLetterCaseLandInTheCache)
{
    InsertDemoCd("Chambers of Shaolin");
    const std::string cdFile = test::ReadFile(folder / "Drives/D/c/cham_file2");
    const std::vector<std::pair<std::string, std::string>> cases = {{"\\c\\cham_file2", "c/cham_file2"},
                                                                    {"\\\\c\\cham_file2", "c/cham_file2"},
                                                                    {"C\\cham_file2", "c/cham_file2"},
                                                                    {"/C/cham_file2", "c/cham_file2"},
                                                                    {"C\\CHAM_FILE2", "c/CHAM_FILE2"}};
    int launches = 0;
    for (const auto& [record, landed] : cases) {
        fs::remove_all(folder / "Cache/cham");
        test::WriteFile(App("\\Data\\Chambers of Shaolin.dat"), "shaolin\r\n" + record + "\r\nscript\r\n");
        InstallGame("Chambers of Shaolin", {"D:", true});
        EXPECT_EQ(0u, host->PendingMessages()) << record;
        std::set<std::string> files;
        for (const auto& entry : fs::directory_iterator(folder / "Cache/cham/c"))
            files.insert(entry.path().filename().string());
        EXPECT_EQ(std::set<std::string>{fs::path(landed).filename().string()}, files) << record;
        EXPECT_EQ(cdFile, test::ReadFile(folder / ("Cache/cham/" + landed)));
        WaitForLaunchLog(++launches);
    }
}

// The identity of each listed cache file: a file copied again gets a new one.
std::map<std::string, std::uint64_t> Identities(const std::string& cache,
                                                const std::vector<std::string>& records)
{
    std::map<std::string, std::uint64_t> identities;
    for (const std::string& record : records)
        identities[record] = test::FileIdentity(cache + "/" + NativePath(record));
    return identities;
}

TEST_F(InstallerTest, AnUnchangedCacheFileIsLeftAndOneTheGameChangedIsCopiedAgain)
{
    InsertDemoCd("Dark Seed");
    const auto records = DemoCopyRecords(*FindProfile("Dark Seed"));
    const std::string cache = folder / "Cache/dark";
    InstallGame("Dark Seed", {"D:", true});
    // A copy takes its source's time, so that the next start can tell it is current.
    for (const std::string& record : records)
        EXPECT_EQ(StampOf(PathOnDrive("D:", "\\" + record)), StampOf(cache + "/" + NativePath(record)))
            << record;

    // The game writes into one of its files.
    const std::string changed = cache + "/" + NativePath(records[2]);
    std::string played = test::ReadFile(changed);
    played[0] ^= 0x55;
    test::WriteFile(changed, played);
    const auto before = Identities(cache, records);
    InstallGame("Dark Seed", {"D:", true});
    const auto after = Identities(cache, records);
    for (const std::string& record : records) {
        EXPECT_EQ(test::ReadFile(PathOnDrive("D:", "\\" + record)),
                  test::ReadFile(cache + "/" + NativePath(record)));
        EXPECT_EQ(record != records[2], before.at(record) == after.at(record)) << record << " copied or not";
    }
    EXPECT_EQ(StampOf(PathOnDrive("D:", "\\" + records[2])), StampOf(changed));
    EXPECT_NE(std::string::npos, test::ReadFile(folder / "talvero.log").find("copied 1 of 6 files")) << "log";
    WaitForLaunchLog(2);
}

TEST_F(InstallerTest, ACopyInterruptedAnywhereLeavesWholeFilesAndTheNextStartCompletesIt)
{
    const GameProfile& game = *FindProfile("Alien Breed Special Edition '92");
    InsertDemoCd(game.title);
    const auto records = DemoCopyRecords(game);
    const std::string cache = folder / ("Cache/" + game.cacheCode);
    const auto cached = [&](const std::string& record) { return cache + "/" + NativePath(record); };
    const auto fresh = [&](const std::string& record) {
        return test::ReadFile(PathOnDrive("D:", "\\" + record));
    };
    // The k-th step of the replacements fails (k = 1, 2, ...) until a start gets through.
    for (int failAt = 1;; ++failAt) {
        fs::remove_all(cache);
        test::MakeFolders(cache + "/c");
        for (const std::string& record : records)
            test::WriteFile(cached(record), "the earlier copy of " + record);
        int step = 0;
        faults::SetReplaceHook([&](faults::ReplaceStep, const std::string&) {
            if (++step == failAt)
                throw FileError(ErrorNumber::PathFileAccess, "disk gone");
        });
        InstallGame(game.title, {"D:", true});
        faults::SetReplaceHook(nullptr);
        const bool failed = host->PendingMessages() > 0;
        if (failed) {
            EXPECT_EQ(kMessageErrorWritingFile, host->TakeMessage().text);
        }
        std::map<std::string, bool> copied;
        for (const std::string& record : records) {
            const std::string content = test::ReadFile(cached(record));
            copied[record] = content == fresh(record);
            EXPECT_TRUE(copied[record] || content == "the earlier copy of " + record)
                << record << " at " << failAt;
        }
        for (const auto& entry : fs::recursive_directory_iterator(cache))
            EXPECT_NE('.', entry.path().filename().string().front()) << "left behind: " << entry.path();
        if (!failed)
            break;
        // The next start copies what is missing and leaves what is already whole.
        const auto identities = Identities(cache, records);
        InstallGame(game.title, {"D:", true});
        EXPECT_EQ(0u, host->PendingMessages());
        for (const std::string& record : records) {
            EXPECT_EQ(fresh(record), test::ReadFile(cached(record)));
            if (copied[record]) {
                EXPECT_EQ(identities.at(record), test::FileIdentity(cached(record))) << record;
            }
        }
    }
    WaitForLaunchLog();
}

}  // namespace
}  // namespace talvero
