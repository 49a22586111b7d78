#pragma once

#include "platform/Files.h"
#include "platform/cdimage/CdImageError.h"
#include "platform/cdimage/ImageNames.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// A CD image read as a disc: ISO (2048-byte sectors), BIN/CUE (MODE1/2048, MODE1/2352,
// MODE2/2352) and NRG, with Joliet and Rock Ridge names. Only the first data track is read.
namespace talvero {

/// Whether this build reads CD images itself (where the image library is available).
bool CdImagesSupported();

/// A file found on an image: where its bytes lie.
struct CdImageFile {
    std::uint32_t firstSector = 0;
    std::uint32_t size = 0;
};

/// An image opened for reading. Every failure throws CdImageError, except a file or folder
/// that is not on the image, which fails as on a disc (FileError 53, 76 or 75).
class CdImage {
public:
    /// Opens and checks the image: its container, its data track and its volume descriptor.
    static std::unique_ptr<CdImage> Open(const std::string& path);
    virtual ~CdImage() = default;

    const std::string& path() const { return m_path; }

    /// The file at a path spelled with backslashes from the root ("\WV_Disk_1\wv"). Each name
    /// matches exactly first, then regardless of letter case and of a ";1" version suffix.
    virtual CdImageFile Find(std::string_view path) const = 0;

    /// Hands the file's bytes to `sink` in pieces of at most a few hundred KiB.
    virtual void Read(const CdImageFile& file, const ByteSink& sink) const = 0;

protected:
    explicit CdImage(std::string path) : m_path(std::move(path)) {}

private:
    std::string m_path;
};

}  // namespace talvero
