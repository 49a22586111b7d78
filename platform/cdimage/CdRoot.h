#pragma once

#include <memory>
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

    /// Copies a file from the CD over `destination` (or to a new name), through a complete
    /// sibling copy swapped in at the end. Image files stream in pieces of bounded size.
    void CopyFile(std::string_view path, const std::string& destination) const;

private:
    std::string m_drive;
    std::shared_ptr<const CdImage> m_image;
};

}  // namespace talvero
