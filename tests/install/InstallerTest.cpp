// Installing every game into an empty cache, on real files, with the stand-in emulator.
#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "install/Installer.h"
#include "install/SupportPack.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/Files.h"
#include "tests/support/AppFolderTest.h"

#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace talvero {
namespace {

// The configuration lines each installer sets, in order, with AppFolder as "@".
const std::map<std::string, std::vector<std::string>> kInstallerLines = {
    {"def2", {"filesystem=rw,0:@\\Cache\\def2", "sound_output=exact"}},
    {"dark", {"filesystem=rw,0:@\\Cache\\dark", "sound_output=exact"}},
    {"fant", {"chipset=ocs", "filesystem=rw,0:@\\Cache\\fant", "gfx_immediate_blits=true"}},
    {"fron", {"filesystem=rw,cd0:@\\Cache\\fron", "win32.map_drives=false"}},
    {"glob", {"filesystem=rw,0:@\\Cache\\glob", "gfx_immediate_blits=true"}},
    {"i3lc", {"chipset=ocs", "filesystem=rw,0:@\\Cache\\i3lc"}},
    {"jp2r", {"filesystem=rw,0:@\\Cache\\jp2r", "gfx_immediate_blits=true"}},
    {"lemm", {"chipset=ocs", "filesystem=rw,0:@\\Cache\\lemm"}},
    {"tur2", {"chipset=ocs", "filesystem=rw,0:@\\Cache\\tur2"}},
    {"ufo1", {"filesystem=rw,0:@\\Cache\\ufo1", "hardfile=rw,32,1,2,512,@\\Cache\\ufo1\\nv\\nvram.hdf"}},
};

// A configuration file without the keys an installer sets: each call then appends its line,
// so the file shows the order of the calls.
const std::string kBareConfig = "kickstart_rom_file=kick31.rom\r\njoyport1=kbd2\r\n";

// "@\Cache\code" stands for AppFolder followed by that path in the platform's spelling.
std::string WithAppFolder(const std::string& line)
{
    const auto at = line.find('@');
    return at == std::string::npos ? line : line.substr(0, at) + AppPath(line.substr(at + 1));
}

class InstallerTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        LayOutDemo();
        test::MakeFolders(folder / "Cache");
    }
    std::string Cache(const GameProfile& profile) const { return folder / ("Cache/" + profile.cacheCode); }
    std::string Member(const PackMember& member) const
    {
        return DemoSupportPack().substr(member.firstByte - 1, member.Length());
    }
    std::map<std::string, std::string> ExpectedFiles(const GameProfile& profile) const;
    void ExpectUnknownError(int code)
    {
        const MessageBoxRequest message = host->TakeMessage();
        EXPECT_EQ(kMessageUnknownError + std::to_string(code), message.text);
        EXPECT_EQ(MessageIcon::Critical, message.icon);
        EXPECT_EQ(1, host->endProgramRequests);
    }
};

std::map<std::string, std::string> InstallerTest::ExpectedFiles(const GameProfile& profile) const
{
    std::map<std::string, std::string> files;
    for (const std::string& record : DemoCopyRecords(profile)) {
        const std::string relative = NativePath(record);
        files[relative] = test::ReadFile(folder / ("Drives/D/" + relative));
    }
    for (SupportFile support : profile.supportFiles) {
        switch (support) {
        case SupportFile::Fakepad:
            files[NativePath("c/fakepad")] = Member(Member::Fakepad);
            break;
        case SupportFile::LowlevelAndNonvolatile:
            files[NativePath("libs/nonvolatile.library")] = Member(Member::Nonvolatile);
            [[fallthrough]];
        case SupportFile::Lowlevel:
            files[NativePath("libs/lowlevel.library")] = Member(Member::Lowlevel);
            break;
        case SupportFile::NvramHardfile:
            files[NativePath("nv/nvram.hdf")] = Member(Member::NvramHardfile);
            break;
        case SupportFile::Debox:
            files[NativePath("libs/debox.library")] = Member(Member::Debox);
            files[NativePath("libs/playerprefs.library")] = Member(Member::Playerprefs);
            break;
        }
    }
    if (profile.bootScript)
        files[NativePath("s/startup-sequence")] = DemoBootScript(profile);
    if (profile.nvLocation)
        files[NativePath("prefs/env-archive/sys/nv_location")] = *profile.nvLocation;
    return files;
}

class EveryProfile : public InstallerTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(EveryProfile, InstallsIntoAnEmptyCacheAndStartsItsEmulator)
{
    const GameProfile& profile = *FindProfile(GetParam());
    InsertDemoCd(profile.title);
    test::WriteFile(App("\\WinUAE\\Configurations\\Default.uae"), kBareConfig);

    InstallGame(profile.title, {"D:", true});
    EXPECT_EQ(0u, host->PendingMessages()) << (host->PendingMessages() ? host->TakeMessage().text : "");

    // Folders: the cache folder and exactly the profile's sub-folders.
    std::set<std::string> folders, expectedFolders;
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(Cache(profile))) {
        const std::string relative = fs::relative(entry.path(), Cache(profile)).string();
        if (entry.is_directory())
            folders.insert(relative);
        else
            files[relative] = test::ReadFile(entry.path().string());
    }
    for (const std::string& folderName : profile.folders)
        expectedFolders.insert(NativePath(folderName));
    EXPECT_EQ(expectedFolders, folders);

    auto expectedFiles = ExpectedFiles(profile);
    if (profile.patch) {
        std::string& game = expectedFiles["game"];
        for (const std::string& record : DemoPatchRecords())
            game[std::stoul(record.substr(0, 8), nullptr, 16)] =
                static_cast<char>(std::stoul(record.substr(record.size() - 2), nullptr, 16));
    }
    // Names first, then each file byte for byte (a failure names the file, not its bytes).
    std::set<std::string> names, expectedNames;
    for (const auto& [name, bytes] : files)
        names.insert(name);
    for (const auto& [name, bytes] : expectedFiles)
        expectedNames.insert(name);
    EXPECT_EQ(expectedNames, names);
    for (const auto& [name, bytes] : expectedFiles)
        EXPECT_TRUE(files.count(name) && files[name] == bytes) << name << " differs";

    std::vector<std::string> expectedLines = {"kickstart_rom_file=kick31.rom", "joyport1=kbd2"};
    const auto special = kInstallerLines.find(profile.cacheCode);
    if (special != kInstallerLines.end()) {
        for (const std::string& line : special->second)
            expectedLines.push_back(WithAppFolder(line));
    } else {
        expectedLines.push_back(WithAppFolder("filesystem=rw,0:@\\Cache\\" + profile.cacheCode));
    }
    EXPECT_EQ(expectedLines, ConfigLines());

    const std::string log = WaitForLaunchLog();
    EXPECT_NE(std::string::npos, log.find("executable: " + profile.executable + "\n")) << log;
    EXPECT_NE(std::string::npos, log.find("arguments: (none)\n")) << log;
    EXPECT_NE(std::string::npos, log.find("result: ok\n")) << log;
}

std::vector<std::string> AllTitles()
{
    std::vector<std::string> titles;
    for (const GameProfile& profile : GameProfiles())
        titles.push_back(profile.title);
    return titles;
}

INSTANTIATE_TEST_SUITE_P(Installer, EveryProfile, ::testing::ValuesIn(AllTitles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return FindProfile(info.param)->cacheCode;
                         });

TEST_F(InstallerTest, ASecondInstallKeepsNvramHdfAndRewritesTheRest)
{
    InsertDemoCd("UFO - Enemy Unknown");
    InstallGame("UFO - Enemy Unknown", {"D:", true});
    const std::string cache = folder / "Cache/ufo1";
    test::WriteFile(cache + "\\nv\\nvram.hdf", "my saved games");
    test::WriteFile(cache + "/libs/lowlevel.library", "damaged");
    test::WriteFile(cache + "/s/startup-sequence", "edited by hand");
    InstallGame("UFO - Enemy Unknown", {"D:", true});
    EXPECT_EQ("my saved games", test::ReadFile(cache + "\\nv\\nvram.hdf"));
    EXPECT_EQ(Member(Member::Lowlevel), test::ReadFile(cache + "/libs/lowlevel.library"));
    EXPECT_EQ(DemoBootScript(*FindProfile("UFO - Enemy Unknown")), test::ReadFile(cache + "/s/startup-sequence"));
    WaitForLaunchLog(2);
    EXPECT_EQ(0u, host->PendingMessages());
}

// The identity of each listed cache file: a file copied again gets a new one.
std::map<std::string, std::uint64_t> Identities(const std::string& cache, const std::vector<std::string>& records)
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
        EXPECT_EQ(StampOf(PathOnDrive("D:", "\\" + record)), StampOf(cache + "/" + NativePath(record))) << record;

    // The game writes into one of its files.
    const std::string changed = cache + "/" + NativePath(records[2]);
    std::string played = test::ReadFile(changed);
    played[0] ^= 0x55;
    test::WriteFile(changed, played);
    const auto before = Identities(cache, records);
    InstallGame("Dark Seed", {"D:", true});
    const auto after = Identities(cache, records);
    for (const std::string& record : records) {
        EXPECT_EQ(test::ReadFile(PathOnDrive("D:", "\\" + record)), test::ReadFile(cache + "/" + NativePath(record)));
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
    const auto fresh = [&](const std::string& record) { return test::ReadFile(PathOnDrive("D:", "\\" + record)); };
    // The k-th step of the replacements fails (k = 1, 2, ...) until a start gets through.
    for (int failAt = 1;; ++failAt) {
        fs::remove_all(cache);
        test::MakeFolders(cache + "/c");
        for (const std::string& record : records)
            test::WriteFile(cached(record), "the earlier copy of " + record);
        int step = 0;
        talvero::testing::SetReplaceFaultHook([&](const std::string&) {
            if (++step == failAt)
                throw FileError(ErrorNumber::PathFileAccess, "disk gone");
        });
        InstallGame(game.title, {"D:", true});
        talvero::testing::SetReplaceFaultHook(nullptr);
        const bool failed = host->PendingMessages() > 0;
        if (failed) {
            EXPECT_EQ(kMessageErrorWritingFile, host->TakeMessage().text);
        }
        std::map<std::string, bool> copied;
        for (const std::string& record : records) {
            const std::string content = test::ReadFile(cached(record));
            copied[record] = content == fresh(record);
            EXPECT_TRUE(copied[record] || content == "the earlier copy of " + record) << record << " at " << failAt;
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

TEST_F(InstallerTest, AMissingDataFileCreatesNothing)
{
    InsertDemoCd("Akira");
    fs::remove(App("\\Data\\Akira.dat"));
    InstallGame("Akira", {"D:", true});
    EXPECT_EQ(kMessageImportantFileNotFound, host->TakeMessage().text);
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
    EXPECT_EQ(0, host->endProgramRequests);
}

TEST_F(InstallerTest, AFileMissingOnTheCdIsAnImportantFileNotFound)
{
    InsertDemoCd("Lemmings");
    fs::remove(PathOnDrive("D:", "\\" + DemoCopyRecords(*FindProfile("Lemmings"))[4]));
    InstallGame("Lemmings", {"D:", true});
    const MessageBoxRequest message = host->TakeMessage();
    EXPECT_EQ(kMessageImportantFileNotFound, message.text);
    EXPECT_EQ(MessageIcon::Critical, message.icon);
    EXPECT_EQ("Talvero", message.title);
    EXPECT_FALSE(test::Exists(App("\\WinUAE\\launch.log")));
    // The details and the log name the file and give the system's reason.
    const std::string missing = PathOnDrive("D:", "\\" + DemoCopyRecords(*FindProfile("Lemmings"))[4]);
    EXPECT_EQ(0u, message.detail.find(missing + "\n")) << message.detail;
    EXPECT_GT(message.detail.size(), missing.size() + 4);
    EXPECT_NE(std::string::npos, test::ReadFile(folder / "talvero.log").find("failed with error 53: " + missing));
}

TEST_F(InstallerTest, AReadOnlyCacheFolderIsAWriteError)
{
    if (!test::ReadOnlyFoldersAreEnforced())
        GTEST_SKIP() << "read-only folders accept new files here";
    InsertDemoCd("Akira");
    test::MakeReadOnly(folder / "Cache");
    InstallGame("Akira", {"D:", true});
    EXPECT_EQ(kMessageErrorWritingFile, host->TakeMessage().text);
    EXPECT_EQ(0, host->endProgramRequests);
}

TEST_F(InstallerTest, TooFewRecordsEndTheProgramWithTheCode)
{
    InsertDemoCd("GunShip 2000");
    const auto records = DemoCopyRecords(*FindProfile("GunShip 2000"));
    std::string data;
    for (std::size_t i = 0; i < 12; ++i)
        data += records[i] + "\r\n";
    test::WriteFile(App("\\Data\\GunShip 2000.dat"), data);
    InstallGame("GunShip 2000", {"D:", true});
    ExpectUnknownError(62);
    EXPECT_FALSE(test::Exists(App("\\WinUAE\\launch.log")));
}

TEST_F(InstallerTest, FrontierCopiesEveryRecordAndBootsTheCacheAsCd0)
{
    InsertDemoCd("Frontier - Elite 2");
    InstallGame("Frontier - Elite 2", {"D:", true});
    EXPECT_EQ(4u, DemoCopyRecords(*FindProfile("Frontier - Elite 2")).size());
    for (const std::string& record : DemoCopyRecords(*FindProfile("Frontier - Elite 2")))
        EXPECT_TRUE(test::Exists(folder / ("Cache/fron/" + NativePath(record)))) << record;
    EXPECT_FALSE(test::Exists(folder / "Cache/fron/s/startup-sequence"));
    EXPECT_EQ("rw,cd0:" + (folder / "Cache/fron"), ConfigValue("filesystem="));
    EXPECT_EQ("false", ConfigValue("win32.map_drives="));
    WaitForLaunchLog();
}

TEST_F(InstallerTest, TheSoundLineOnlyWithSoundEmulation)
{
    InsertDemoCd("Dark Seed");
    InstallGame("Dark Seed", {"D:", false});
    EXPECT_EQ("normal", ConfigValue("sound_output="));
    InstallGame("Dark Seed", {"D:", true});
    EXPECT_EQ("exact", ConfigValue("sound_output="));
    WaitForLaunchLog(2);
}

TEST_F(InstallerTest, TheDriveFieldsFirstTwoCharactersNameTheDrive)
{
    InsertDemoCd("Akira", "E");
    InstallGame("Akira", {"E:\\", true});
    EXPECT_EQ(0u, host->PendingMessages());
    EXPECT_TRUE(test::Exists(folder / "Cache/akir/Akira"));
    WaitForLaunchLog();
}

TEST_F(InstallerTest, CopyRecordsThatLeaveTheCacheAreRefused)
{
    InsertDemoCd("Chambers of Shaolin");
    test::WriteFile(folder / "Drives/secret", "outside the CD");
    for (const char* bad : {"..\\secret", "c\\..\\..\\..\\secret", "\\c\\x", "C:\\x", "c/../../x", ""}) {
        host->endProgramRequests = 0;
        test::WriteFile(App("\\Data\\Chambers of Shaolin.dat"), "shaolin\r\n" + std::string(bad) + "\r\nscript\r\n");
        InstallGame("Chambers of Shaolin", {"D:", true});
        ExpectUnknownError(52);
    }
    EXPECT_FALSE(test::Exists(folder / "Cache/secret"));
    EXPECT_FALSE(test::Exists(folder / "secret"));
}

TEST_F(InstallerTest, GuardianPatchRecordsWriteOneByteEachAndBadOnesAreRefused)
{
    InsertDemoCd("Guardian");
    const GameProfile& guardian = *FindProfile("Guardian");
    auto patches = DemoPatchRecords();
    InstallGame("Guardian", {"D:", true});
    std::string game = test::ReadFile(folder / "Cache/guar/game");
    EXPECT_EQ(kDemoPatchedFileSize, game.size());
    EXPECT_EQ(static_cast<char>(0x07), game[0x100]);
    EXPECT_EQ(static_cast<char>((167 * 29 + 7) & 0xFF), game[0x100 + 167 * 17]);
    WaitForLaunchLog();

    const auto writeData = [&](std::size_t at, const std::string& record) {
        auto changed = patches;
        changed[at] = record;
        std::string data = "game\r\n" + DemoBootScript(guardian);
        for (const std::string& r : changed)
            data += "\r\n" + r;
        test::WriteFile(App("\\Data\\Guardian.dat"), data);
    };
    for (const char* bad : {"0000zz00 = 01", "00000100 = G1", "00001000 = 01", "FFFFFFFF = 01", "0100"}) {
        host->endProgramRequests = 0;
        writeData(5, bad);
        InstallGame("Guardian", {"D:", true});
        ExpectUnknownError(52);
        // The records before the bad one were applied to a fresh copy; the rest never were.
        const std::string patched = test::ReadFile(folder / "Cache/guar/game");
        EXPECT_EQ(static_cast<char>(0x07), patched[0x100]);
        EXPECT_EQ(test::ReadFile(folder / "Drives/D/game")[0x100 + 100 * 17], patched[0x100 + 100 * 17]);
    }
}

TEST_F(InstallerTest, AShortSupportPackEndsTheProgramWithoutAPartialLibrary)
{
    InsertDemoCd("Defender of the Crown 2");
    test::WriteFile(App("\\Talvero.dat"), DemoSupportPack().substr(0, 70000));
    InstallGame("Defender of the Crown 2", {"D:", true});
    ExpectUnknownError(62);
    EXPECT_FALSE(test::Exists(folder / "Cache/def2/libs/playerprefs.library"));
}

TEST_F(InstallerTest, AMissingEmulatorIsAnImportantFileNotFound)
{
    InsertDemoCd("IK+");
    fs::remove(App("\\WinUAE\\WinUAE814r3.exe"));
    InstallGame("IK+", {"D:", true});
    EXPECT_EQ(kMessageImportantFileNotFound, host->TakeMessage().text);
}

TEST_F(InstallerTest, AnUnknownErrorCodeIsShownInDecimal)
{
    ReportInstallError(-5);
    ExpectUnknownError(-5);
    host->endProgramRequests = 0;
    ReportInstallError(70);
    ExpectUnknownError(70);
}

}  // namespace
}  // namespace talvero
