// A CD image of any content, as a disc a user chooses: an ISO, a cue sheet with its BIN, or an NRG,
// opened, searched and read through.
#include "platform/Files.h"
#include "platform/cdimage/CdImage.h"
#include "tests/support/TestFolder.h"

using namespace talvero;

namespace {

// Paths that the seed images hold (and names near them), so that the search reaches files.
const char* const kPaths[] = {"\\A", "\\WV_Disk1\\wv", "\\wv_disk1\\WV;1", "\\Empty", "\\Lemmings\\disk.1",
                              "\\Nothing\\x"};

}  // namespace

// The input: the first byte picks the container (its value modulo 3: 0 ISO, 1 cue sheet and BIN,
// 2 NRG); the rest is the image. For a cue sheet the rest is two bytes giving the sheet's length
// (low byte first), the sheet's text, then the bytes of "d.bin", the name a sheet gives its BIN.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const test::TestFolder folder;
    if (size < 3)  // the container's byte and, for a cue sheet, the sheet's length
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const char* const names[] = {"d.iso", "d.cue", "d.nrg"};
    const std::string image = folder / names[data[0] % 3];
    if (data[0] % 3 == 1) {
        const std::size_t length = std::min<std::size_t>(data[1] | data[2] << 8, size - 3);
        WriteFileBytes(image, bytes.substr(2, length));
        WriteFileBytes(folder / "d.bin", bytes.substr(2 + length));
    } else {
        WriteFileBytes(image, bytes);
    }
    try {
        const auto cd = CdImage::Open(image);
        for (const char* path : kPaths) {
            try {
                std::size_t read = 0;
                const CdImageFile file = cd->Find(path);
                cd->Read(file, [&](const char*, std::size_t length) { read += length; });
                if (read != file.size)
                    __builtin_trap();  // a file read through is as long as its record says
            } catch (const CdImageError&) {
                throw;
            } catch (const FileError&) {
                // Not on this image: 53, 75 or 76, as on a disc.
            }
        }
    } catch (const CdImageError&) {
        // A damaged image: a message, nothing else.
    }
    return 0;
}
