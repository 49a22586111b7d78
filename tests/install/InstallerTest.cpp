// Installing games on real files, with the stand-in emulator; the installers' error reporter.
#include "install/Installer.h"

#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "platform/FaultHooks.h"
#include "platform/cdimage/CdRoot.h"
#include "tests/support/AppFolderTest.h"

#include <map>
#include <tuple>

namespace fs = std::filesystem;

namespace talvero {
namespace {

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

class InstallerTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        LayOutDemo();
        test::MakeFolders(folder / "Cache");
    }
    static InstallResult Install(const std::string& title)
    {
        const GameProfile& profile = *FindProfile(title);
        return RunReportingFailures([&] {
            InstallGame(profile, CacheFolderPath(profile), CdRoot::Open("D:"), {"D:", true});
        });
    }
    // An install that fails with `message`; only a number without a message of its own ends the program.
    void InstallFailing(const std::string& title, const std::string& message, InstallResult result)
    {
        EXPECT_EQ(result, Install(title)) << message;
        host->ExpectMessage(message);
        EXPECT_EQ(result == InstallResult::ProgramEnded ? 1 : 0, host->endProgramRequests) << message;
        host->endProgramRequests = 0;
    }
};

// The tree the installer should leave in the cache folder: the profile's folders, the copies of
// the CD's files, the support files, the boot script, nv_location and Guardian's patches.
Tree ExpectedTree(const GameProfile& profile, const std::string& cd)
{
    std::map<std::string, std::string> files;
    for (const std::string& record : DemoCopyRecords(profile))
        files[record] = test::ReadFile(JoinPath(cd, NativePath(record)));
    // Each support file's name, 1-based position and length in the pack, typed here from its layout.
    const std::map<SupportFile, std::vector<std::tuple<const char*, std::size_t, std::size_t>>> support = {
        {SupportFile::Fakepad, {{"c/fakepad", 31749, 1828}}},
        {SupportFile::Lowlevel, {{"libs/lowlevel.library", 1, 27724}}},
        {SupportFile::LowlevelAndNonvolatile,
         {{"libs/lowlevel.library", 1, 27724}, {"libs/nonvolatile.library", 27725, 4024}}},
        {SupportFile::NvramHardfile, {{"nv/nvram.hdf", 33577, 32768}}},
        {SupportFile::Debox,
         {{"libs/debox.library", 66345, 3500}, {"libs/playerprefs.library", 69845, 20 * 8683}}}};
    for (SupportFile file : profile.supportFiles) {
        for (const auto& [name, first, length] : support.at(file))
            files[name] = DemoSupportPack().substr(first - 1, length);
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
    ASSERT_EQ(InstallResult::Done, Install(profile.title));
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
    // The stand-in, started now, finds the volume, the boot script (where the game boots from its
    // volume), the Kickstart ROM and the hard file in place.
    ASSERT_TRUE(StartEmulator(profile.executable, cache));
    const std::string log = WaitForLaunchLog();
    EXPECT_NE(std::string::npos, log.find("executable: " + profile.executable + "\n")) << log;
    EXPECT_TRUE(log.ends_with("result: ok\n")) << log;
}

INSTANTIATE_TEST_SUITE_P(Installer, EveryProfile, ::testing::Range<std::size_t>(0, 30),
                         [](const auto& info) { return GameProfiles()[info.param].cacheCode; });

// 53 and 76 say a file is missing and 75 that writing failed, and the program goes on; any other
// number is unknown: its text names it and the program ends.
TEST_F(InstallerTest, TheReporterShowsTheMessageOfEachNumberAndEndsOnUnknownOnes)
{
    const std::string missing = "Important file not found. Can't start the selected game!";
    const std::string unknown = "Unknown error! Terminating... Exitcode: ";
    const std::pair<int, std::string> rows[] = {
        {53, missing},        {76, missing},        {75, "Error writing to a file!"}, {62, unknown + "62"},
        {70, unknown + "70"}, {52, unknown + "52"}, {-5, unknown + "-5"}};
    for (const auto& [number, message] : rows) {
        ReportInstallError(static_cast<ErrorNumber>(number));
        host->ExpectMessage(message);
        EXPECT_EQ(number == 53 || number == 76 || number == 75 ? 0 : 1, host->endProgramRequests) << number;
        host->endProgramRequests = 0;
    }
}

// A short support pack, 62 (no member is written in part); without the pack, 53 (the details name
// the file); without the Data folder, 76.
TEST_F(InstallerTest, EachFailureShowsItsMessageAndStartsNothing)
{
    InsertDemoCd("Defender of the Crown 2");
    test::WriteFile(App("\\Talvero.dat"), DemoSupportPack().substr(0, 70000));  // debox, not playerprefs
    InstallFailing("Defender of the Crown 2", kMessageUnknownError + std::string("62"),
                   InstallResult::ProgramEnded);
    EXPECT_FALSE(test::Exists(folder / "Cache/def2/libs/playerprefs.library"));
    fs::remove(App("\\Talvero.dat"));
    Install("Defender of the Crown 2");
    const MessageBoxRequest shown = host->TakeMessage();
    EXPECT_EQ(kMessageImportantFileNotFound, shown.text);
    EXPECT_TRUE(shown.detail.starts_with(App("\\Talvero.dat") + "\n")) << shown.detail;
    fs::remove_all(App("\\Data"));
    InstallFailing("Akira", kMessageImportantFileNotFound, InstallResult::Failed);
    EXPECT_FALSE(test::Exists(folder / "Cache/akir"));
}

// Records that leave the cache are refused (52) and nothing is copied for them; leading separators
// are dropped, the cache's folders are found whatever the record's letter case, and a new file
// keeps the record's spelling.
TEST_F(InstallerTest, CopyRecordsLandInTheCacheOrAreRefused)
{
    InsertDemoCd("Chambers of Shaolin");
    test::WriteFile(folder / "Drives/secret", "outside the CD");
    for (const std::string record :
         {"..\\secret", "C:\\x", "", "\\\\c\\cham_file2", "/C/cham_file2", "C\\CHAM_FILE2"}) {
        fs::remove_all(folder / "Cache/cham");
        test::WriteFile(App("\\Data\\Chambers of Shaolin.dat"), "shaolin\r\n" + record + "\r\nscript\r\n");
        if (!record.ends_with("2")) {
            InstallFailing("Chambers of Shaolin", kMessageUnknownError + std::string("52"),
                           InstallResult::ProgramEnded);
            continue;
        }
        Install("Chambers of Shaolin");
        EXPECT_EQ((Tree{{record.substr(record.find_last_of("\\/") + 1),
                         std::hash<std::string>{}(test::ReadFile(folder / "Drives/D/c/cham_file2"))}}),
                  TreeOf(folder / "Cache/cham/c"));
    }
    EXPECT_FALSE(test::Exists(folder / "Cache/secret"));
}

// A bad offset, an offset past the file's end, and a short last record (all 168 are read): the
// records before the bad one are applied, none after it.
TEST_F(InstallerTest, BadGuardianPatchRecordsAreRefusedAfterTheGoodOnes)
{
    InsertDemoCd("Guardian");
    const std::string original = test::ReadFile(folder / "Drives/D/game");
    for (const auto& [at, bad] :
         {std::pair<std::size_t, const char*>{5, "0000zz00 = 01"}, {5, "00001000 = 01"}, {167, "0100"}}) {
        const std::string good = DemoPatchRecords().at(at);
        std::string data = DemoDataFile(*FindProfile("Guardian"));
        test::WriteFile(App("\\Data\\Guardian.dat"), data.replace(data.find(good), good.size(), bad));
        InstallFailing("Guardian", kMessageUnknownError + std::string("52"), InstallResult::ProgramEnded);
        const std::string patched = test::ReadFile(folder / "Cache/guar/game");
        EXPECT_EQ('\x07', patched[0x100]) << bad;  // the first record's byte
        EXPECT_EQ(at < 100 ? original[0x100 + 1700] : char(100 * 29 + 7), patched[0x100 + 1700]) << bad;
    }
}

// The k-th step of the cache writes fails (k = 1, 2, ...) until a start gets through: every file is
// its earlier copy or the new one, whole, nothing half-made is left, and no record of a complete
// install; the next start copies every file.
TEST_F(InstallerTest, ACopyInterruptedAnywhereLeavesWholeFilesAndTheNextStartCompletesIt)
{
    const std::string title = "Alien Breed Special Edition '92";
    InsertDemoCd(title);
    const auto records = DemoCopyRecords(*FindProfile(title));
    const auto cached = [&](const std::string& record) { return folder / ("Cache/abse/" + record); };
    const auto onCd = [&](const std::string& record) {
        return test::ReadFile(folder / ("Drives/D/" + record));
    };
    for (int failAt = 1, failed = 1; failed; ++failAt) {
        // A start that fails without the hook (every copy refused) would otherwise loop for ever.
        ASSERT_LT(failAt, 100) << "no start got through";
        fs::remove_all(folder / "Cache/abse");
        for (const std::string& record : records)
            test::WriteFile(cached(record), "earlier " + record);
        int step = 0;
        faults::SetReplaceHook([&](faults::ReplaceStep, const std::string&) {
            if (++step == failAt)
                throw FileError(ErrorNumber::PathFileAccess, "disk gone");
        });
        Install(title);
        faults::SetReplaceHook(nullptr);
        if ((failed = host->PendingMessages() > 0)) {
            host->ExpectMessage(kMessageErrorWritingFile);
            EXPECT_FALSE(test::Exists(InstalledInBootFile(CacheFolderPath(*FindProfile(title))))) << failAt;
        }
        for (const std::string& record : records) {
            const std::string content = test::ReadFile(cached(record));
            ASSERT_TRUE(content == onCd(record) || content == "earlier " + record) << record << failAt;
        }
        Install(title);
        for (const std::string& record : records)
            EXPECT_EQ(onCd(record), test::ReadFile(cached(record)));
    }
}

// A second start copies again what the game changed, rewrites the runtime files and keeps the
// NVRAM hard file, which holds the saves. Damage that keeps a file's size and time (a copy that
// never reached the disk before a power cut) stays while the last complete install happened in
// this boot, and is healed by the first start after another boot.
TEST_F(InstallerTest, ChangedFilesAreCopiedAgainAndDamageIsHealedByAStartAfterAnotherBoot)
{
    const GameProfile& ufo = *FindProfile("UFO - Enemy Unknown");
    InsertDemoCd(ufo.title);
    ASSERT_EQ(InstallResult::Done, Install(ufo.title));
    const std::string record = InstalledInBootFile(CacheFolderPath(ufo));
    const std::string changed = folder / ("Cache/ufo1/" + DemoCopyRecords(ufo)[2]);
    test::WriteFile(changed, std::string(test::ReadFile(changed).size(), 'x'));  // the game wrote into it
    for (const char* name : {"nv/nvram.hdf", "libs/lowlevel.library", "s/startup-sequence"})
        test::WriteFile(folder / ("Cache/ufo1/" + std::string(name)), "changed");
    ASSERT_EQ(InstallResult::Done, Install(ufo.title));
    auto expected = ExpectedTree(ufo, folder / "Drives/D");
    expected[NativePath("nv/nvram.hdf")] = std::hash<std::string>{}("changed");
    EXPECT_EQ(expected, TreeOf(folder / "Cache/ufo1"));

    std::vector<std::string> damaged = DemoCopyRecords(ufo);
    damaged.push_back("libs/lowlevel.library");
    for (const std::string& name : damaged) {
        const std::string file = folder / ("Cache/ufo1/" + name);
        test::OverwriteKeepingTime(file, std::string(fs::file_size(file), '\0'));
    }
    ASSERT_EQ(InstallResult::Done, Install(ufo.title));
    EXPECT_EQ(std::string(fs::file_size(folder / ("Cache/ufo1/" + damaged[0])), '\0'),
              test::ReadFile(folder / ("Cache/ufo1/" + damaged[0])));  // trusted within the boot
    test::WriteFile(record, "another boot");
    ASSERT_EQ(InstallResult::Done, Install(ufo.title));
    EXPECT_EQ(expected, TreeOf(folder / "Cache/ufo1"));
}

// A link planted at a cache file, whose target has the cached file's size and time, is replaced by
// a real copy; nothing is written through it, and its target stays.
TEST_F(InstallerTest, ALinkPlantedAtACacheFileIsReplacedNotFollowed)
{
    const GameProfile& ufo = *FindProfile("UFO - Enemy Unknown");
    InsertDemoCd(ufo.title);
    ASSERT_EQ(InstallResult::Done, Install(ufo.title));
    // A copy of the CD, a support file and the boot script, each with its target outside.
    const std::vector<std::string> planted = {DemoCopyRecords(ufo)[0], "libs/lowlevel.library",
                                              "s/startup-sequence"};
    for (const std::string& name : planted) {
        const fs::path cached = folder / ("Cache/ufo1/" + name);
        const fs::path target = folder / ("outside-" + cached.filename().string());
        fs::copy_file(cached, target);
        fs::last_write_time(target, fs::last_write_time(cached));
        fs::remove(cached);
        std::error_code refused;
        fs::create_symlink(target, cached, refused);
        if (refused)  // Windows makes links for privileged users only
            GTEST_SKIP() << "no symbolic link can be made here: " << refused.message();
        test::OverwriteKeepingTime(target.string(), std::string(fs::file_size(target), 'u'));  // the user's
    }
    ASSERT_EQ(InstallResult::Done, Install(ufo.title));
    EXPECT_EQ(ExpectedTree(ufo, folder / "Drives/D"), TreeOf(folder / "Cache/ufo1"));
    for (const std::string& name : planted) {
        EXPECT_FALSE(fs::is_symlink(folder / ("Cache/ufo1/" + name))) << name;
        const std::string target = folder / ("outside-" + fs::path(name).filename().string());
        EXPECT_EQ(std::string(fs::file_size(target), 'u'), test::ReadFile(target)) << name;
    }
}

}  // namespace
}  // namespace talvero
