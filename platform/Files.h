#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// File services. Every failure throws FileError with the program's file-error number.
namespace talvero {

/// An ordinary file: not a folder, not hidden, not a system file. A missing folder on the way is
/// simply "not there", never an error.
bool FileExists(const std::string& path);

bool FolderExists(const std::string& path);

/// Any entry of that name, whatever it is and whatever its attributes (hidden, system, a link).
bool EntryExists(const std::string& path);

/// The names of the regular files in a folder (links to files included), in byte order; nothing
/// for a folder that does not exist or cannot be read.
std::vector<std::string> FileNamesIn(const std::string& folder);

/// Creates one folder level; the parent must exist (76 otherwise).
void CreateFolder(const std::string& path);

/// Creates the folder when it does not exist; an existing one and its contents are kept.
void CreateFolderIfMissing(const std::string& path);

/// CreateFolderIfMissing for the folder and every missing folder above it, top first.
void CreateFolderWithParents(const std::string& path);

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

/// Replaces a file's content as one step: a complete sibling copy is written and flushed first,
/// then renamed over the target and the folder synced, so the file is never seen half-written. A
/// read-only target fails with 75 and stays as it was. The replaced file keeps its permissions.
/// The sibling copy has one fixed name per file (a hidden name derived from the file's own, or
/// `siblingCopy` beside it), so that one left behind by a crash is removed by the next replace
/// instead of piling up. A file that already holds exactly `bytes` is left as it is, after the
/// same checks (a file that could not be replaced still fails) and with any leftover copy removed.
void ReplaceFileContents(const std::string& path, const std::string& bytes,
                         LinkAtTarget link = LinkAtTarget::Replace, const std::string& siblingCopy = {});

/// ReplaceFileContents for a small file of a game's cache, which the next start can write again:
/// it is not forced to the disk.
void WriteCacheFileContents(const std::string& path, const std::string& bytes);

/// Receives a file's bytes piece by piece.
using ByteSink = std::function<void(const char* data, std::size_t length)>;

/// ReplaceFileContents for bytes that come in pieces: `produce` hands them to the sink it is
/// given, so that no whole-file buffer is needed. A failure anywhere leaves the old file.
void ReplaceFileStreaming(const std::string& path, const std::function<void(const ByteSink&)>& produce);

/// A symbolic link (on Windows any reparse point: a link or a junction).
bool IsLink(const std::string& path);

/// Refuses (75) a path that passes through a symbolic link (a junction on Windows) below `root`:
/// each part after `root`, the last one included, is a real folder or file or does not exist yet.
/// `root` itself may be a link.
void RefuseLinksBelow(const std::string& root, const std::string& path);

/// Copies a file over another (or to a new name) through ReplaceFileContents; a link at the
/// destination is replaced.
void CopyFileReplacing(const std::string& source, const std::string& destination);

/// A file's size and last-change time (nanoseconds since 1 January 1970 on every system).
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const FileStamp&) const = default;
};

/// The stamp of a regular file; nothing when the path names none.
std::optional<FileStamp> StampOf(const std::string& path);

/// The stamp of the entry itself when it is a regular file: nothing for a link (which is not
/// followed, whatever it names), a folder, a FIFO or a missing entry.
std::optional<FileStamp> StampOfRegularEntry(const std::string& path);

/// Told the bytes written so far after each piece; it may throw to stop the copy.
using PieceWritten = std::function<void(std::uint64_t written)>;

/// The most a cache write holds in memory at once.
inline constexpr std::size_t kCachePieceSize = 1 << 20;

/// Writes a file that can be rebuilt from its source (a game's cache file): `produce` hands the
/// bytes in pieces to the sink it is given, into a sibling temporary file, which takes `modified`
/// as its last-change time and is renamed over the target, so the target is never seen
/// half-written. Unlike ReplaceFileContents it is not forced to the disk. Fails as
/// ReplaceFileContents does.
void WriteCacheFile(const std::string& path, const std::function<void(const ByteSink&)>& produce,
                    std::int64_t modified, const PieceWritten& onPiece = {});

/// Copies a file as WriteCacheFile writes one (the system copies the bytes itself where it can);
/// the copy takes the source's last-change time.
void CopyToCacheFile(const std::string& source, const std::string& destination,
                     const PieceWritten& onPiece = {});

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

}  // namespace talvero
