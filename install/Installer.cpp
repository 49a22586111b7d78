#include "install/Installer.h"

#include "emulator/ConfigEditor.h"
#include "emulator/EmulatorInterface.h"
#include "games/GameProfiles.h"
#include "install/SupportPack.h"
#include "platform/ActivityLog.h"
#include "platform/AppFolder.h"
#include "platform/BootIdentity.h"
#include "platform/Drives.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/IgnoringFailure.h"
#include "platform/PathText.h"
#include "platform/TextRecords.h"
#include "platform/cdimage/CdImage.h"
#include "platform/cdimage/CdRoot.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <new>
#include <string_view>
#include <vector>

namespace talvero {

namespace {

[[noreturn]] void RefuseRecord(const std::string& dataFile)
{
    ThrowFileError(ErrorNumber::BadFileName, dataFile);
}

// A copy record names a file below the CD's root and the same path below the cache folder.
// Leading separators are dropped ("\c\tload" is "c\tload", as Windows reads it below a folder);
// a record that could reach outside the cache folder is refused before anything is copied for it.
std::string CheckedCopyRecord(const std::string& record, const std::string& dataFile)
{
    const std::string relative = record.substr(std::min(record.find_first_not_of("\\/"), record.size()));
    if (relative.empty() || (relative.size() >= 2 && relative[1] == ':'))
        RefuseRecord(dataFile);
    for (std::string_view part : PathParts(relative)) {
        if (part == "..")
            RefuseRecord(dataFile);
    }
    return relative;
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
// Existing folders are found whatever the letter case of the record, as on the disc.
std::string FolderInCache(const std::string& cache, const std::string& relative)
{
    const std::string folder = PathBelow(cache, relative);
    RefuseLinksBelow(cache, folder);
    return folder;
}

std::string FileInCache(const std::string& cache, const std::string& relative)
{
    const std::string file = PathBelow(cache, relative);
    if (const std::string folder = FolderOf(file); folder.size() > cache.size())
        RefuseLinksBelow(cache, folder);
    return file;
}

void RunSupportFile(SupportFile file, const std::string& cacheFolder, Unchanged unchanged)
{
    const auto libs = [&] { return FolderInCache(cacheFolder, "libs"); };
    switch (file) {
    case SupportFile::Fakepad:
        ExtractFakepad(FolderInCache(cacheFolder, "c"), unchanged);
        break;
    case SupportFile::Lowlevel:
        ExtractLowlevel(1, libs(), unchanged);
        break;
    case SupportFile::LowlevelAndNonvolatile:
        ExtractLowlevel(2, libs(), unchanged);
        break;
    case SupportFile::NvramHardfile:
        ExtractNvramHardfile(FolderInCache(cacheFolder, "nv"));
        break;
    case SupportFile::Debox:
        ExtractDebox(libs(), unchanged);
        break;
    }
}

// Copies the listed files from the CD into the cache and tells `progress` how far it got. With
// `keepUnchanged`, each one that already is a regular file with its source's size and last-change
// time is left alone; a link, whatever it names, is replaced.
void CopyIntoCache(const std::string& title, const std::vector<std::string>& records, const CdRoot& cd,
                   const std::string& cache, const std::string& dataFile, bool keepUnchanged,
                   InstallProgress* progress)
{
    // Each file on the disc is looked up once, for the total and for its copy.
    std::vector<std::optional<FileStamp>> sourceStamps;
    std::uint64_t total = 0;
    for (const std::string& record : records) {
        sourceStamps.push_back(cd.Stamp("\\" + record));
        total += sourceStamps.back() ? sourceStamps.back()->size : 0;
    }
    std::uint64_t done = 0;
    int copied = 0;
    const auto checkCancelled = [&] {
        if (progress && progress->Cancelled())
            throw InstallCancelled{};
    };
    for (std::size_t i = 0; i < records.size(); ++i) {
        checkCancelled();
        const std::string record = CheckedCopyRecord(records[i], dataFile);
        const std::string target = FileInCache(cache, record);
        const auto& sourceStamp = sourceStamps[i];
        if (progress)
            progress->Report(title, record, done, total);
        if (!sourceStamp || !keepUnchanged || StampOfRegularEntry(target) != sourceStamp) {
            cd.CopyToCache("\\" + record, target, [&](std::uint64_t written) {
                if (progress)
                    progress->Report(title, record, done + written, total);
                checkCancelled();
            });
            ++copied;
        }
        done += sourceStamp ? sourceStamp->size : 0;
    }
    LogLine("copied " + std::to_string(copied) + " of " + std::to_string(records.size()) + " files into " +
            cache + " (the others were unchanged)");
}

// Whether the cache's files were all written since the system started: only then can a file
// with its source's stamp be trusted to hold its bytes too (a copy is not forced to the disk).
// The record is removed here and written again only once the install is complete, so that a
// cancelled or failed install leaves none.
bool TakeInstalledInThisBoot(const std::string& record)
{
    bool sameBoot = false;
    if (StampOfRegularEntry(record)) {
        const std::string boot = BootIdentity();
        sameBoot = !boot.empty() && ReadFileBytes(record) == boot;
    }
    if (EntryExists(record))
        RemoveFile(record);
    return sameBoot;
}

}  // namespace

std::string InstalledInBootFile(const std::string& cacheFolder)
{
    return cacheFolder + ".bootid";
}

void InstallGame(const GameProfile& profile, const std::string& cache, const CdRoot& cd,
                 const InstallerOptions& options, InstallProgress* progress)
{
    LogLine("installing \"" + profile.title + "\" into " + cache + " from " +
            (options.insertedImage.empty() ? "drive " + options.drive : "the CD image " + options.insertedImage));
    const std::string dataFile = DataFilePath(profile);
    RecordReader records(ReadFileBytes(dataFile), dataFile);

    CreateFolderIfMissing(cache);
    for (const std::string& folder : profile.folders)
        CreateFolderIfMissing(FolderInCache(cache, folder));
    const std::string installedInBoot = InstalledInBootFile(cache);
    const bool keepUnchanged = TakeInstalledInThisBoot(installedInBoot);

    // The records are read before the copies so that the share done can be told; a record that
    // cannot be read fails only after the copies of the records before it, as reading each one
    // just before its copy would.
    std::vector<std::string> copies;
    std::exception_ptr readFailure;
    try {
        if (const auto count = profile.FixedCopyRecords()) {
            for (int i = 0; i < *count; ++i)
                copies.push_back(records.Next());
        } else {
            while (!records.AtEnd())
                copies.push_back(records.Next());
        }
    } catch (const FileError&) {
        readFailure = std::current_exception();
    }
    CopyIntoCache(profile.title, copies, cd, cache, dataFile, keepUnchanged, progress);
    if (readFailure)
        std::rethrow_exception(readFailure);

    // From here on the dialog says "Starting ...": a Cancel there still stops before each step.
    const auto nextStep = [&] { StopIfCancelled(progress, profile.title); };
    nextStep();
    std::string bootScript;
    if (profile.copyMode != CopyMode::All)
        bootScript = records.Next();

    if (profile.patch) {
        const std::string patched = JoinPath(cache, "game");
        for (int i = 0; i < kPatchRecords; ++i)
            ApplyPatchRecord(records.Next(), patched, dataFile);
    }

    nextStep();
    for (SupportFile file : profile.supportFiles)
        RunSupportFile(file, cache, keepUnchanged ? Unchanged::Kept : Unchanged::Rewritten);

    // Replaced whole, so that a crash in the middle never leaves an empty or half boot file.
    nextStep();
    if (profile.bootScript)
        WriteCacheFileContents(FileInCache(cache, "s\\startup-sequence"), bootScript);
    if (profile.nvLocation)
        WriteCacheFileContents(FileInCache(cache, "prefs\\env-archive\\sys\\nv_location"),
                               *profile.nvLocation);

    std::vector<ConfigLine> lines;
    for (const ProfileLine& line : profile.linesBefore)
        lines.push_back({line.key, LineValue(line)});
    lines.push_back({"filesystem=", "rw," + profile.volume + ":" + cache});
    for (const ProfileLine& line : profile.linesAfter)
        lines.push_back({line.key, LineValue(line)});
    if (profile.soundLine && options.soundEmulation)
        lines.push_back({"sound_output=", "exact"});
    nextStep();
    SetConfigValues(lines);
    try {
        WriteCacheFileContents(installedInBoot, BootIdentity());
    } catch (const FileError&) {
        // Even one that failed only once in place: a failed install leaves no record.
        IgnoringFailure([&] { RemoveFile(installedInBoot); });
        throw;
    }
}

void StopIfCancelled(InstallProgress* progress, const std::string& title)
{
    if (!progress)
        return;
    progress->Report(title, {}, 1, 1);
    if (progress->Cancelled())
        throw InstallCancelled{};
}

InstallResult RunReportingFailures(const std::function<void()>& step)
{
    try {
        step();
        return InstallResult::Done;
    } catch (const InstallCancelled&) {
        LogLine("cancelled by the user; no emulator started");
        return InstallResult::Cancelled;
    } catch (const CdImageError& error) {
        // A damaged image is the user's file, not the program's fault: say what is wrong with
        // it and keep running.
        LogLine(std::string("the CD image cannot be used: ") + error.what());
        ShowMessage(error.what(), MessageIcon::Critical);
        return InstallResult::Failed;
    } catch (const FileError& error) {
        LogLine("failed with error " + ToText(error.number()) + ": " + error.path() + ": " + error.reason());
        ReportInstallError(error.number(), error.Details());
        return KnownFileErrorMessage(error.number()) ? InstallResult::Failed : InstallResult::ProgramEnded;
    } catch (const std::bad_alloc&) {
        LogLine("failed: out of memory");
        ReportInstallError(ErrorNumber::OutOfMemory);
    } catch (const std::exception& error) {
        LogLine(std::string("failed: ") + error.what());
        ReportInstallError(ErrorNumber::InternalError);
    }
    return InstallResult::ProgramEnded;
}

std::optional<std::string> KnownFileErrorMessage(ErrorNumber code)
{
    switch (code) {
    case ErrorNumber::FileNotFound:
    case ErrorNumber::PathNotFound:
        return kMessageImportantFileNotFound;
    case ErrorNumber::PathFileAccess:
        return kMessageErrorWritingFile;
    default:
        return std::nullopt;
    }
}

void ReportInstallError(ErrorNumber code, const std::string& details)
{
    if (const auto message = KnownFileErrorMessage(code)) {
        ShowMessage(*message, MessageIcon::Critical, kApplicationTitle, details);
    } else {
        ShowMessage(kMessageUnknownError + ToText(code), MessageIcon::Critical, kApplicationTitle, details);
        CurrentHost().EndProgramNow();
    }
}

}  // namespace talvero
