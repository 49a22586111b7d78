#include "platform/cdimage/NrgImage.h"

#include "platform/cdimage/CdImage.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace talvero {

namespace {

// The chunks describe a few dozen tracks in a few KiB; anything much larger is damage.
constexpr std::uint64_t kMaxChunkBytes = 1024 * 1024;
constexpr const char* kDamaged = "its track list is damaged (no NRG image, or a damaged one)";

struct Layout {
    std::uint32_t sectorSize;
    std::uint32_t headerSize;  // bytes before the 2048 data bytes
    bool data;
};

// Nero's track modes, in its DAO and ETN chunks alike.
std::optional<Layout> LayoutOf(unsigned mode)
{
    switch (mode) {
    case 0x00:  // mode 1
    case 0x02:  // mode 2 form 1, data only
        return Layout{2048, 0, true};
    case 0x03:  // mode 2 without sync and header
        return Layout{2336, 8, true};
    case 0x05:  // mode 1, raw
        return Layout{2352, 16, true};
    case 0x06:  // mode 2, raw
        return Layout{2352, 24, true};
    case 0x07:  // audio
        return Layout{2352, 0, false};
    default:  // sectors with subchannel data, or unknown
        return std::nullopt;
    }
}

struct NrgTrack {
    std::uint64_t start = 0;  // the file offset of its first sector (index 1)
    std::uint64_t end = 0;    // the file offset after its last sector
    unsigned mode = 0;
    std::uint32_t sectorSize = 0;  // as the DAO chunk states it; 0 in ETN chunks
};

std::uint64_t BigEndian(const std::vector<unsigned char>& bytes, std::size_t at, int count)
{
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[at + i];
    return value;
}

std::string IdAt(const std::vector<unsigned char>& bytes, std::size_t at)
{
    return std::string(reinterpret_cast<const char*>(bytes.data() + at), 4);
}

bool IsChunkId(const std::string& id)
{
    for (const char c : id) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '!'))
            return false;
    }
    return true;
}

class NrgReader {
public:
    explicit NrgReader(const std::string& path) : m_path(path)
    {
        m_file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        struct stat st {};
        if (m_file < 0 || ::fstat(m_file, &st) != 0 || !S_ISREG(st.st_mode))
            Fail("it cannot be read");
        m_size = static_cast<std::uint64_t>(st.st_size);
    }
    ~NrgReader()
    {
        if (m_file >= 0)
            ::close(m_file);
    }
    NrgReader(const NrgReader&) = delete;
    NrgReader& operator=(const NrgReader&) = delete;

    DataTrack FirstDataTrack()
    {
        const std::vector<NrgTrack> tracks = Tracks();
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            const NrgTrack& track = tracks[i];
            const auto layout = LayoutOf(track.mode);
            if (layout && !layout->data)
                continue;
            if (i != 0)
                Fail(kDataTrackNotFirst);
            if (!layout || (track.sectorSize != 0 && track.sectorSize != layout->sectorSize))
                Fail("its data track's sector format is not one this program reads");
            // The tracks lie before the chunks that describe them.
            if (track.start > track.end || track.end > m_chunkStart)
                Fail("its data track lies outside the image (a truncated or damaged image)");
            return {m_path, track.start, layout->sectorSize, layout->headerSize,
                    (track.end - track.start) / layout->sectorSize};
        }
        Fail(kNoDataTrack);
    }

private:
    [[noreturn]] void Fail(const std::string& reason) const { throw CdImageError(m_path, reason); }

    std::vector<unsigned char> ReadAt(std::uint64_t offset, std::uint64_t length) const
    {
        std::vector<unsigned char> bytes(length);
        std::size_t done = 0;
        while (done < length) {
            const ssize_t got = ::pread(m_file, bytes.data() + done, length - done,
                                        static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                Fail("it cannot be read");
            done += static_cast<std::size_t>(got);
        }
        return bytes;
    }

    // The footer: "NER5" and an 8-byte offset of the chunks (Nero 5.5 and later), or "NERO" and a
    // 4-byte one. The chunks lie between that offset and the footer.
    std::vector<unsigned char> Chunks()
    {
        if (m_size < 12)
            Fail("it is no NRG image (it has no NRG footer)");
        const std::vector<unsigned char> tail = ReadAt(m_size - 12, 12);
        std::uint64_t footer = 0;
        if (IdAt(tail, 0) == "NER5") {
            m_chunkStart = BigEndian(tail, 4, 8);
            footer = m_size - 12;
        } else if (IdAt(tail, 4) == "NERO") {
            m_chunkStart = BigEndian(tail, 8, 4);
            footer = m_size - 8;
        } else {
            Fail("it is no NRG image (it has no NRG footer)");
        }
        if (m_chunkStart >= footer || footer - m_chunkStart > kMaxChunkBytes)
            Fail(kDamaged);
        return ReadAt(m_chunkStart, footer - m_chunkStart);
    }

    // The tracks of the first DAO (disc at once) or ETN (track at once) chunk.
    std::vector<NrgTrack> Tracks()
    {
        const std::vector<unsigned char> chunks = Chunks();
        for (std::size_t at = 0; at + 8 <= chunks.size();) {
            const std::string id = IdAt(chunks, at);
            const std::uint64_t length = BigEndian(chunks, at + 4, 4);
            if (!IsChunkId(id) || length > chunks.size() - at - 8)
                Fail(kDamaged);
            const std::size_t body = at + 8;
            if (id == "DAOX" || id == "DAOI")
                return DaoTracks(chunks, body, static_cast<std::size_t>(length), id == "DAOX" ? 8 : 4);
            if (id == "ETN2" || id == "ETNF")
                return EtnTracks(chunks, body, static_cast<std::size_t>(length), id == "ETN2" ? 8 : 4);
            if (id == "END!")
                break;
            at = body + static_cast<std::size_t>(length);
        }
        Fail("it lists no tracks");
    }

    // A DAO chunk: 22 bytes about the disc, then per track 12 bytes ISRC, the sector size (2),
    // the mode (1), 3 bytes, and the offsets of index 0, index 1 and the track's end.
    static std::vector<NrgTrack> DaoTracks(const std::vector<unsigned char>& bytes, std::size_t at,
                                           std::size_t length, int width)
    {
        constexpr std::size_t kDisc = 22;
        const std::size_t entry = 18 + 3 * static_cast<std::size_t>(width);
        std::vector<NrgTrack> tracks;
        for (std::size_t i = kDisc; i + entry <= length; i += entry) {
            const std::size_t track = at + i;
            tracks.push_back({BigEndian(bytes, track + 18 + width, width),
                              BigEndian(bytes, track + 18 + 2 * width, width), bytes[track + 14],
                              static_cast<std::uint32_t>(BigEndian(bytes, track + 12, 2))});
        }
        return tracks;
    }

    // An ETN chunk: per track its offset and length, the mode (4 bytes), its first sector (4) and
    // 4 or 8 unused bytes.
    static std::vector<NrgTrack> EtnTracks(const std::vector<unsigned char>& bytes, std::size_t at,
                                           std::size_t length, int width)
    {
        const std::size_t entry = 3 * static_cast<std::size_t>(width) + 8;
        std::vector<NrgTrack> tracks;
        for (std::size_t i = 0; i + entry <= length; i += entry) {
            const std::size_t track = at + i;
            const std::uint64_t start = BigEndian(bytes, track, width);
            const std::uint64_t size = BigEndian(bytes, track + width, width);
            if (size > UINT64_MAX - start)
                return {};
            tracks.push_back({start, start + size, static_cast<unsigned>(BigEndian(bytes, track + 2 * width, 4)), 0});
        }
        return tracks;
    }

    std::string m_path;
    int m_file = -1;
    std::uint64_t m_size = 0;
    std::uint64_t m_chunkStart = 0;
};

}  // namespace

DataTrack ReadNrgTrack(const std::string& nrgPath)
{
    return NrgReader(nrgPath).FirstDataTrack();
}

}  // namespace talvero
