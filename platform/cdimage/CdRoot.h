#pragma once

#include "platform/Files.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace talvero {

class CdImage;

/// The root of the CD that a game is read from: a folder (a drive's root) or a CD image, whose
/// files are read straight out of it. Paths are spelled with backslashes from the root.
class CdRoot {
public:
    /// The inserted image when there is one (a path, "" for none), otherwise what the drive
    /// ("D:") stands for. An image that cannot be read fails with CdImageError; a drive that
    /// resolves to nothing fails as a missing path does (76) once a file is asked for.
    static CdRoot Open(std::string_view drive, const std::string& insertedImage = {});

    /// Opens the file for reading and closes it again: a missing file or a folder fails with
    /// its file-error number, as on a disc.
    void CheckFile(std::string_view path) const;

    /// The size and last-change time of a file on the CD, nothing when it has none of that name.
    /// A file inside an image takes the image's own last-change time: a changed image is copied
    /// again whole.
    std::optional<FileStamp> Stamp(std::string_view path) const;

    /// Copies a file from the CD into a game's cache as CopyToCacheFile does: in pieces, through a
    /// sibling swapped in at the end, taking the source's stamp; `onPiece` hears of each piece.
    void CopyToCache(std::string_view path, const std::string& destination,
                     const PieceWritten& onPiece = {}) const;

private:
    std::string m_drive;
    std::shared_ptr<const CdImage> m_image;
    std::int64_t m_imageModified = 0;
};

}  // namespace talvero
