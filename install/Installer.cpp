#include "install/Installer.h"

#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "install/SupportPack.h"
#include "platform/AppFolder.h"
#include "platform/Drives.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/TextRecords.h"

#include <cctype>
#include <new>
#include <sstream>

namespace talvero {

namespace {

[[noreturn]] void RefuseRecord(const std::string& dataFile)
{
    ThrowFileError(ErrorNumber::BadFileName, dataFile);
}

// A copy record names a file below the CD's root and the same path below the cache folder; one
// that could reach outside the cache folder is refused before anything is copied for it.
void CheckCopyRecord(const std::string& record, const std::string& dataFile)
{
    if (record.empty() || record.front() == '\\' || record.front() == '/' ||
        (record.size() >= 2 && record[1] == ':'))
        RefuseRecord(dataFile);
    std::string segment;
    std::istringstream segments(record);
    while (std::getline(segments, segment, '\\')) {
        std::istringstream parts(segment);
        std::string part;
        while (std::getline(parts, part, '/')) {
            if (part == "..")
                RefuseRecord(dataFile);
        }
    }
}

bool IsHexText(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

// The first 8 characters give the offset, the last 2 the byte; anything else is refused before a
// byte of that record is written.
void ApplyPatchRecord(const std::string& record, const std::string& patchedFile, const std::string& dataFile)
{
    if (record.size() < 10)
        RefuseRecord(dataFile);
    const std::string offsetText = record.substr(0, 8);
    const std::string valueText = record.substr(record.size() - 2);
    if (!IsHexText(offsetText) || !IsHexText(valueText))
        RefuseRecord(dataFile);
    const std::uint64_t offset = std::stoull(offsetText, nullptr, 16);
    if (offset >= FileSize(patchedFile))
        RefuseRecord(dataFile);
    WriteByteAt(patchedFile, offset, static_cast<unsigned char>(std::stoul(valueText, nullptr, 16)));
}

// Below the game's cache folder (which the user may have linked elsewhere) nothing is written
// through a link: a link where a folder is expected is refused, one where a file goes is replaced.
std::string FolderInCache(const std::string& cache, const std::string& relative)
{
    const std::string folder = JoinPath(cache, NativePath(relative));
    RefuseLinksBelow(cache, folder);
    return folder;
}

std::string FileInCache(const std::string& cache, const std::string& relative)
{
    const auto cut = relative.find_last_of("\\/");
    if (cut != std::string::npos)
        FolderInCache(cache, relative.substr(0, cut));
    return JoinPath(cache, NativePath(relative));
}

void RunSupportFile(SupportFile file, const std::string& cacheFolder)
{
    const auto libs = [&] { return FolderInCache(cacheFolder, "libs"); };
    switch (file) {
    case SupportFile::Fakepad:
        ExtractFakepad(FolderInCache(cacheFolder, "c"));
        break;
    case SupportFile::Lowlevel:
        ExtractLowlevel(1, libs());
        break;
    case SupportFile::LowlevelAndNonvolatile:
        ExtractLowlevel(2, libs());
        break;
    case SupportFile::NvramHardfile:
        ExtractNvramHardfile(FolderInCache(cacheFolder, "nv"));
        break;
    case SupportFile::Debox:
        ExtractDebox(libs());
        break;
    }
}

void Install(const GameProfile& profile, const InstallerOptions& options)
{
    // The disc does not change during an install: each of its folders is listed once.
    const DriveListingCache listing;
    const std::string drive = options.driveField.substr(0, 2);
    const std::string dataFile = DataFilePath(profile);
    RecordReader records(ReadFileBytes(dataFile), dataFile);

    const std::string cache = CacheFolderPath(profile);
    CreateFolderIfMissing(cache);
    for (const std::string& folder : profile.folders)
        CreateFolderIfMissing(FolderInCache(cache, folder));

    const auto copyRecord = [&] {
        const std::string record = records.Next();
        CheckCopyRecord(record, dataFile);
        CopyFileReplacing(PathOnDrive(drive, "\\" + record), FileInCache(cache, record));
    };
    if (const auto count = profile.FixedCopyRecords()) {
        for (int i = 0; i < *count; ++i)
            copyRecord();
    } else {
        while (!records.AtEnd())
            copyRecord();
    }

    std::string bootScript;
    if (profile.copyMode != CopyMode::All)
        bootScript = records.Next();

    if (profile.patch) {
        const std::string patched = JoinPath(cache, "game");
        for (int i = 0; i < kPatchRecords; ++i)
            ApplyPatchRecord(records.Next(), patched, dataFile);
    }

    for (SupportFile file : profile.supportFiles)
        RunSupportFile(file, cache);

    // Replaced whole, so that a crash in the middle never leaves an empty or half boot file.
    if (profile.bootScript)
        ReplaceFileContents(FileInCache(cache, "s\\startup-sequence"), bootScript);
    if (profile.nvLocation)
        ReplaceFileContents(FileInCache(cache, "prefs\\env-archive\\sys\\nv_location"), *profile.nvLocation);

    for (const ProfileLine& line : profile.linesBefore)
        SetConfigValue(line.key, LineValue(line));
    SetConfigValue("filesystem=", "rw," + profile.volume + ":" + cache);
    for (const ProfileLine& line : profile.linesAfter)
        SetConfigValue(line.key, LineValue(line));
    if (profile.soundLine && options.soundEmulation)
        SetConfigValue("sound_output=", "exact");

    StartEmulator(profile.executable);
}

}  // namespace

void InstallGame(const std::string& title, const InstallerOptions& options)
{
    const GameProfile* profile = FindProfile(title);
    if (!profile)
        return;
    try {
        Install(*profile, options);
    } catch (const FileError& error) {
        ReportInstallError(error.number());
    } catch (const std::bad_alloc&) {
        ReportInstallError(7);  // out of memory
    } catch (const std::exception&) {
        ReportInstallError(51);  // internal error
    }
}

void ReportInstallError(std::int16_t code)
{
    if (code == ErrorNumber::FileNotFound || code == ErrorNumber::PathNotFound) {
        ShowMessage(kMessageImportantFileNotFound, MessageIcon::Critical);
    } else if (code == ErrorNumber::PathFileAccess) {
        ShowMessage(kMessageErrorWritingFile, MessageIcon::Critical);
    } else {
        ShowMessage(kMessageUnknownError + std::to_string(code), MessageIcon::Critical);
        CurrentHost().EndProgramNow();
    }
}

}  // namespace talvero
