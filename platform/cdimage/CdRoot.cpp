#include "platform/cdimage/CdRoot.h"

#include "platform/Drives.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/cdimage/CdImage.h"

namespace talvero {

CdRoot CdRoot::Open(std::string_view drive, const std::string& insertedImage)
{
    CdRoot root;
    root.m_drive = std::string(drive.substr(0, 2));
    std::string image = insertedImage;
    if (image.empty()) {
        if (const auto source = ResolveDrive(root.m_drive); source && source->kind == DriveKind::Image)
            image = source->path;
    }
    if (!image.empty()) {
        root.m_image = CdImage::Open(image);
        if (const auto stamp = StampOf(image))
            root.m_imageModified = stamp->modified;
    }
    return root;
}

void CdRoot::CheckFile(std::string_view path) const
{
    if (m_image)
        m_image->Find(path);
    else
        OpenForReadingAndClose(PathOnDrive(m_drive, path));
}

std::optional<FileStamp> CdRoot::Stamp(std::string_view path) const
{
    if (!m_image)
        return StampOf(PathOnDrive(m_drive, path));
    try {
        return FileStamp{m_image->Find(path).size, m_imageModified};
    } catch (const FileError&) {
        return std::nullopt;
    }
}

void CdRoot::CopyToCache(std::string_view path, const std::string& destination,
                         const PieceWritten& onPiece) const
{
    if (!m_image) {
        CopyToCacheFile(PathOnDrive(m_drive, path), destination, onPiece);
        return;
    }
    const CdImageFile file = m_image->Find(path);
    WriteCacheFile(
        destination, [&](const ByteSink& sink) { m_image->Read(file, sink); }, m_imageModified, onPiece);
}

}  // namespace talvero
