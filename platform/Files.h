#pragma once

#include <cstdint>
#include <functional>
#include <string>

// File services. Every failure throws FileError with the program's file-error number.
namespace talvero {

/// An ordinary file: not a folder, not hidden, not a system file. A missing folder on the way is
/// simply "not there", never an error.
bool FileExists(const std::string& path);

bool FolderExists(const std::string& path);

/// Creates one folder level; the parent must exist (76 otherwise).
void CreateFolder(const std::string& path);

/// Creates the folder when it does not exist; an existing one and its contents are kept.
void CreateFolderIfMissing(const std::string& path);

/// The whole file as raw bytes, no more than the size it had when opened. Only a regular file is
/// read: a folder fails with 75, anything else that is not a file (a FIFO, a device) with 53.
std::string ReadFileBytes(const std::string& path);

/// `length` bytes from a 0-based offset; a file that ends before them fails with 62.
std::string ReadFileRange(const std::string& path, std::uint64_t offset, std::size_t length);

/// Creates or truncates the file and writes the bytes.
void WriteFileBytes(const std::string& path, const std::string& bytes);

/// What a replace does with a symbolic link where the file is to be written.
enum class LinkAtTarget {
    Replace,  ///< the link itself is replaced by the file: nothing outside is written through it
    Follow,   ///< a link that the user made on purpose keeps pointing at the file it names, which is replaced
};

/// Replaces a file's content as one step: a complete sibling copy is written first and swapped
/// in, so the file is never seen half-written. A read-only target fails with 75 and stays as it
/// was. The replaced file keeps its permissions. The sibling copy has one fixed name per file (a
/// hidden name derived from the file's own, or `siblingCopy` beside it), so that one left behind
/// by a crash is removed by the next replace instead of piling up.
void ReplaceFileContents(const std::string& path, const std::string& bytes, LinkAtTarget link = LinkAtTarget::Replace,
                         const std::string& siblingCopy = {});

/// A symbolic link (on Windows any reparse point: a link or a junction).
bool IsLink(const std::string& path);

/// Refuses (75) a path that passes through a symbolic link (a junction on Windows) below `root`:
/// each part after `root`, the last one included, is a real folder or file or does not exist yet.
/// `root` itself may be a link.
void RefuseLinksBelow(const std::string& root, const std::string& path);

/// Copies a file over another (or to a new name) through ReplaceFileContents; a link at the
/// destination is replaced.
void CopyFileReplacing(const std::string& source, const std::string& destination);

/// Writes one byte at a 0-based offset of an existing file without truncating it; a symbolic link
/// there is refused (75), never written through.
void WriteByteAt(const std::string& path, std::uint64_t offset, unsigned char value);

std::uint64_t FileSize(const std::string& path);

/// Opens a file for reading and closes it at once; a missing file or a folder fails with its
/// number, and anything that is not a regular file as a missing file (53), without waiting.
void OpenForReadingAndClose(const std::string& path);

/// Lets a copied program be started (a no-op where files carry no such permission).
void MarkExecutable(const std::string& path);

void RemoveFile(const std::string& path);

namespace testing {
/// Called with the target path in the middle of every ReplaceFileContents; a test throws from it
/// to prove that a failure there leaves the old file intact. Pass nullptr to remove.
void SetReplaceFaultHook(std::function<void(const std::string& path)> hook);
}  // namespace testing

}  // namespace talvero
