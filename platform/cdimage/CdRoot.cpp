#include "platform/cdimage/CdRoot.h"

#include "platform/Drives.h"
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
    if (!image.empty())
        root.m_image = CdImage::Open(image);
    return root;
}

void CdRoot::CheckFile(std::string_view path) const
{
    if (m_image)
        m_image->Find(path);
    else
        OpenForReadingAndClose(PathOnDrive(m_drive, path));
}

void CdRoot::CopyFile(std::string_view path, const std::string& destination) const
{
    if (!m_image) {
        CopyFileReplacing(PathOnDrive(m_drive, path), destination);
        return;
    }
    const CdImageFile file = m_image->Find(path);
    ReplaceFileStreaming(destination, [&](const ByteSink& sink) { m_image->Read(file, sink); });
}

}  // namespace talvero
