#include "nvram/NvramManager.h"

#include "nvram/SaveDataTable.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/PathText.h"

#include <exception>

namespace talvero {

namespace {

std::string DataPath(const SaveDataRow& row)
{
    return AppPath(row.dataFile);
}

std::string BackupPath(const SaveDataRow& row)
{
    return DataPath(row) + ".bak";
}

const SaveDataRow* RowWithTitle(const std::string& entry)
{
    for (const SaveDataRow& row : SaveDataTable()) {
        if (row.title == entry)
            return &row;
    }
    return nullptr;
}

const SaveDataRow* RowWithBackupEntry(const std::string& entry)
{
    for (const SaveDataRow& row : SaveDataTable()) {
        if (BackupEntry(row.title) == entry)
            return &row;
    }
    return nullptr;
}

// The game's cache folder, which the user may have linked elsewhere; below it the save folders
// are never written through a link.
std::string CacheFolderOf(const SaveDataRow& row)
{
    return AppPath(row.dataFile.substr(0, row.dataFile.find('\\', std::string("\\Cache\\").size())));
}

// Backup and restore go through a complete sibling copy that is swapped in at the end, so a
// failed copy leaves the old file exactly as it was; a link in the destination's place is
// replaced, a link in place of one of its folders refused.
bool CopyReporting(const SaveDataRow& row, const std::string& source, const std::string& destination,
                   const std::string& success)
{
    try {
        RefuseLinksBelow(CacheFolderOf(row), FolderOf(destination));
        CopyFileReplacing(source, destination);
    } catch (const std::exception& error) {
        ShowMessage(kMessageErrorWritingTo + destination, MessageIcon::Critical, kApplicationTitle,
                    DetailsOf(error));
        return false;
    }
    ShowMessage(success, MessageIcon::Information);
    return true;
}

}  // namespace

std::vector<std::string> NvramEntries()
{
    std::vector<std::string> entries;
    for (const SaveDataRow& row : SaveDataTable()) {
        if (FileExists(DataPath(row)))
            entries.push_back(row.title);
    }
    for (const SaveDataRow& row : SaveDataTable()) {
        if (FileExists(BackupPath(row)))
            entries.push_back(BackupEntry(row.title));
    }
    return entries;
}

bool BackupSaveData(const std::string& entry)
{
    const SaveDataRow* row = RowWithTitle(entry);
    if (!row)
        return false;
    const std::string backup = BackupPath(*row);
    const char* success = FileExists(backup) ? kMessageBackupUpdated : kMessageBackupCreated;
    return CopyReporting(*row, DataPath(*row), backup, success);
}

bool RestoreSaveData(const std::string& entry)
{
    const SaveDataRow* row = RowWithBackupEntry(entry);
    if (!row)
        return false;
    return CopyReporting(*row, BackupPath(*row), DataPath(*row), kMessageRestored);
}

bool DeleteSaveData(const std::string& entry)
{
    std::string path;
    std::string question;
    if (const SaveDataRow* row = RowWithTitle(entry)) {
        path = DataPath(*row);
        question = "Delete data from \"" + entry + "\" ?";
    } else if (const SaveDataRow* backupRow = RowWithBackupEntry(entry)) {
        path = BackupPath(*backupRow);
        question = "Delete backed up data from \"" + entry.substr(kBackupEntryPrefix.size()) + "\" ?";
    } else {
        return false;
    }
    if (!AskYesNo(question))
        return false;
    try {
        RemoveFile(path);
    } catch (const std::exception& error) {
        ShowMessage(kMessageErrorDeleting + path, MessageIcon::Critical, kApplicationTitle, DetailsOf(error));
        return false;
    }
    return true;
}

}  // namespace talvero
