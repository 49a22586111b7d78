#include "platform/cdimage/CdImage.h"

#include "platform/cdimage/CueSheet.h"
#include "platform/cdimage/ImageNames.h"
#include "platform/cdimage/NrgImage.h"

#include <algorithm>
#include <cdio/iso9660.h>
#include <cdio/logging.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace talvero {

namespace {

constexpr std::uint32_t kSectorSize = ISO_BLOCKSIZE;
// Copies read this many sectors at a time (256 KiB): large enough to keep reads cheap, small
// enough that a file of any size needs no more memory.
constexpr std::uint32_t kSectorsPerRead = 128;
// Volume descriptors begin at sector 16; a disc has a handful, and the search stops well before
// anything a damaged image could make endless.
constexpr std::uint32_t kFirstVolumeDescriptor = 16;
constexpr std::uint32_t kMaxVolumeDescriptors = 32;
// A folder record: 33 bytes and a name of at least one byte.
constexpr std::size_t kShortestRecord = 34;
// Folders of a CD's size are a few KiB; anything beyond this is damage, not a folder.
constexpr std::uint32_t kMaxFolderSize = 16 * 1024 * 1024;
// How far the library can look for a volume descriptor that is not where it belongs: it looks
// up to that many sectors either side of sector 16, and gives up below sector 0.
constexpr std::uint64_t kMaxLibraryShift = 17;

// The library reports its own findings through a log handler; the program says what matters
// itself, in one message.
void QuietLog(cdio_log_level_t, const char*) {}

std::uint32_t SectorsFor(std::uint64_t bytes)
{
    return static_cast<std::uint32_t>((bytes + kSectorSize - 1) / kSectorSize);
}

std::uint32_t Both32(const unsigned char* field)
{
    return static_cast<std::uint32_t>(field[0]) | static_cast<std::uint32_t>(field[1]) << 8 |
           static_cast<std::uint32_t>(field[2]) << 16 | static_cast<std::uint32_t>(field[3]) << 24;
}

struct Entry {
    std::string name;
    bool folder = false;
    std::uint32_t sector = 0;
    std::uint32_t size = 0;
};

// The image's first data track, read from the one file that holds it: its sectors directly, many
// at a time, and its file system (names in every extension) through the library, which is handed
// that file alone and only reads folders whose sectors were checked here first.
class LibcdioImage final : public CdImage {
public:
    explicit LibcdioImage(const std::string& path) : CdImage(path) {}
    ~LibcdioImage() override
    {
        if (m_iso)
            iso9660_close(m_iso);
        if (m_data >= 0)
            ::close(m_data);
    }

    void OpenTrack(const DataTrack& track);
    void CheckVolumeDescriptors();

    CdImageFile Find(std::string_view path) const override;
    void Read(const CdImageFile& file, const ByteSink& sink) const override;

private:
    [[noreturn]] void Fail(const std::string& reason) const { throw CdImageError(this->path(), reason); }
    void ReadSectors(std::uint32_t first, std::uint32_t count, char* buffer) const;
    void CheckLibraryReads(std::uint32_t sector, const char* bytes) const;
    void CheckExtent(std::uint32_t sector, std::uint32_t size) const;
    void CheckFolderRecords(std::uint32_t sector, std::uint32_t size) const;
    std::vector<Entry> List(const std::string& folder, const std::vector<std::uint32_t>& above) const;

    iso9660_t* m_iso = nullptr;
    int m_data = -1;
    DataTrack m_track;
    mutable std::vector<char> m_raw;  // raw sectors before their data is picked out
    // The data track's sectors: [0, m_endSector).
    std::uint32_t m_endSector = 0;
};

void LibcdioImage::OpenTrack(const DataTrack& track)
{
    m_track = track;
    // Not blocking: a FIFO in place of the data file is refused, not waited on.
    m_data = ::open(track.dataFile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (m_data < 0 || ::fstat(m_data, &st) != 0 || !S_ISREG(st.st_mode))
        Fail("its data file cannot be read");
    const auto size = static_cast<std::uint64_t>(st.st_size);
    std::uint64_t sectors = size > track.offset ? (size - track.offset) / track.sectorSize : 0;
    if (track.sectors)
        sectors = std::min(sectors, *track.sectors);
    if (sectors <= kFirstVolumeDescriptor)
        Fail("it ends before its volume descriptor (a truncated image, or no CD image at all)");
    m_endSector = static_cast<std::uint32_t>(std::min<std::uint64_t>(sectors, UINT32_MAX));
    if (track.sectorSize != kSectorSize)
        m_raw.resize(static_cast<std::size_t>(kSectorsPerRead) * track.sectorSize);

    if (track.sectorSize == kSectorSize && track.offset == 0) {
        m_iso = iso9660_open_ext(track.dataFile.c_str(), ISO_EXTENSION_ALL);
    } else {
        // The library finds raw sectors' layout by itself, looking for the volume descriptor
        // up to this many sectors from where it belongs; CheckLibraryReads then compares its
        // sectors with the track's.
        const std::uint64_t shift = track.offset / track.sectorSize + 1;
        if (shift > kMaxLibraryShift)
            Fail("its data track does not begin its file, which this program does not read");
        m_iso = iso9660_open_fuzzy_ext(track.dataFile.c_str(), ISO_EXTENSION_ALL,
                                       static_cast<std::uint16_t>(shift));
        // Finding the layout reads the primary volume descriptor only; Joliet names need the
        // supplementary one read as well.
        if (m_iso && !iso9660_ifs_read_superblock(m_iso, ISO_EXTENSION_ALL)) {
            iso9660_close(m_iso);
            m_iso = nullptr;
        }
    }
    if (m_iso)
        return;
    if (ImageExtension(path()) == ".bin")
        Fail("it holds no ISO 9660 volume descriptor: a .bin file is the data of a BIN/CUE image; "
             "choose its cue sheet (.cue) instead");
    Fail("it holds no ISO 9660 volume descriptor (no CD image, or a damaged one)");
}

void LibcdioImage::ReadSectors(std::uint32_t first, std::uint32_t count, char* buffer) const
{
    if (first + static_cast<std::uint64_t>(count) > m_endSector)
        Fail("a record on it points outside the image");
    const auto failed = [&] {
        Fail("sector " + std::to_string(first) + " cannot be read (a truncated image)");
    };
    const bool raw = m_track.sectorSize != kSectorSize;
    char* target = raw ? m_raw.data() : buffer;
    const std::size_t length = std::size_t{count} * m_track.sectorSize;
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got =
            ::pread(m_data, target + done, length - done,
                    static_cast<off_t>(m_track.offset + std::uint64_t{first} * m_track.sectorSize + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            failed();
        done += static_cast<std::size_t>(got);
    }
    for (std::uint32_t i = 0; raw && i < count; ++i)
        std::memcpy(buffer + std::size_t{i} * kSectorSize,
                    target + std::size_t{i} * m_track.sectorSize + m_track.headerSize, kSectorSize);
}

// The library reads the track's file by a layout it found itself: each sector it will parse must
// hold what this reader checked.
void LibcdioImage::CheckLibraryReads(std::uint32_t sector, const char* bytes) const
{
    std::vector<char> seen(kSectorSize);
    if (iso9660_iso_seek_read(m_iso, seen.data(), static_cast<lsn_t>(sector), 1) != kSectorSize ||
        std::memcmp(seen.data(), bytes, kSectorSize) != 0)
        Fail("its sectors do not lie where its track list says (a damaged image)");
}

void LibcdioImage::CheckExtent(std::uint32_t sector, std::uint32_t size) const
{
    if (size == 0)
        return;
    if (sector + static_cast<std::uint64_t>(SectorsFor(size)) > m_endSector)
        Fail("a record on it points outside the image (a truncated or damaged image)");
}

// Checks a folder's records before the library reads them: each must fit its sector and hold
// its name.
void LibcdioImage::CheckFolderRecords(std::uint32_t sector, std::uint32_t size) const
{
    CheckExtent(sector, size);
    if (size > kMaxFolderSize)
        Fail("a folder on it is larger than any CD holds (a damaged image)");
    std::vector<char> buffer(kSectorSize);
    for (std::uint32_t i = 0; i < SectorsFor(size); ++i) {
        ReadSectors(sector + i, 1, buffer.data());
        CheckLibraryReads(sector + i, buffer.data());
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
        for (std::size_t at = 0; at < kSectorSize && bytes[at] != 0; at += bytes[at]) {
            const std::size_t length = bytes[at];
            if (length < kShortestRecord || at + length > kSectorSize ||
                kShortestRecord - 1 + bytes[at + 32] > length)
                Fail("a folder record on it is damaged");
        }
    }
}

// Checks every volume descriptor before the library reads a folder: each root folder must lie
// within the image, and the volume must not be larger than the image holds.
void LibcdioImage::CheckVolumeDescriptors()
{
    std::vector<char> sector(kSectorSize);
    bool primary = false;
    for (std::uint32_t i = 0; i < kMaxVolumeDescriptors; ++i) {
        if (kFirstVolumeDescriptor + i >= m_endSector)
            break;
        ReadSectors(kFirstVolumeDescriptor + i, 1, sector.data());
        CheckLibraryReads(kFirstVolumeDescriptor + i, sector.data());
        const auto* bytes = reinterpret_cast<const unsigned char*>(sector.data());
        if (std::memcmp(bytes + 1, ISO_STANDARD_ID, 5) != 0)
            Fail("its volume descriptors are damaged");
        const unsigned type = bytes[0];
        if (type == ISO_VD_END)
            break;
        if (type != ISO_VD_PRIMARY && type != ISO_VD_SUPPLEMENTARY)
            continue;
        primary = primary || type == ISO_VD_PRIMARY;
        const std::uint32_t volumeSectors = Both32(bytes + 80);
        if ((bytes[128] | bytes[129] << 8) != kSectorSize)
            Fail("its volume descriptor names a block size other than 2048 bytes");
        if (volumeSectors > m_endSector)
            Fail("it holds " + std::to_string(m_endSector) + " of the " + std::to_string(volumeSectors) +
                 " sectors its volume descriptor names (a truncated image)");
        // The root folder's record: extent at byte 2, size at byte 10 of the record at 156.
        const std::uint32_t rootSector = Both32(bytes + 156 + 2);
        const std::uint32_t rootSize = Both32(bytes + 156 + 10);
        if (rootSize == 0)
            Fail("its root folder is empty or damaged");
        CheckFolderRecords(rootSector, rootSize);
    }
    if (!primary)
        Fail("it holds no primary volume descriptor");
}

std::vector<Entry> LibcdioImage::List(const std::string& folder,
                                      const std::vector<std::uint32_t>& above) const
{
    CdioList_t* list = iso9660_ifs_readdir(m_iso, folder.c_str());
    if (!list)
        Fail("a folder on it cannot be read (a truncated or damaged image)");
    std::vector<Entry> entries;
    std::vector<std::uint32_t> loops = above;
    int position = 0;
    for (CdioListNode_t* node = _cdio_list_begin(list); node; node = _cdio_list_node_next(node), ++position) {
        const auto* stat = static_cast<const iso9660_stat_t*>(_cdio_list_node_data(node));
        // The library lists a record it cannot convert (a Joliet name that is no UTF-16) as null.
        if (!stat) {
            iso9660_filelist_free(list);
            Fail("a name on it cannot be read (a damaged image)");
        }
        Entry entry{stat->filename, stat->type == iso9660_stat_s::_STAT_DIR,
                    static_cast<std::uint32_t>(stat->lsn), stat->size};
        // The first two records are the folder itself and its parent.
        if (position < 2 && (entry.name == "." || entry.name == "..")) {
            if (entry.name == ".")
                loops.push_back(entry.sector);
            continue;
        }
        entries.push_back(std::move(entry));
    }
    iso9660_filelist_free(list);
    for (const Entry& entry : entries) {
        if (!IsPlainImageName(entry.name))
            Fail("it holds a name with \"..\" or a path separator in it");
        if (entry.folder && std::find(loops.begin(), loops.end(), entry.sector) != loops.end())
            Fail("a folder on it loops back to a folder above it");
        if (entry.folder)
            CheckExtent(entry.sector, entry.size);
    }
    return entries;
}

CdImageFile LibcdioImage::Find(std::string_view path) const
{
    const std::vector<std::string> parts = SplitImagePath(path);
    std::string folder = "/";
    std::vector<std::uint32_t> above;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const std::vector<Entry> entries = List(folder, above);
        std::vector<std::string> names;
        for (const Entry& entry : entries)
            names.push_back(entry.name);
        const auto match = MatchImageName(names, parts[i]);
        if (!match)
            ThrowFileError(last ? ErrorNumber::FileNotFound : ErrorNumber::PathNotFound,
                           this->path() + ":" + std::string(path));
        const Entry& entry = entries[*match];
        if (!last) {
            if (!entry.folder)
                ThrowFileError(ErrorNumber::PathNotFound, this->path() + ":" + std::string(path));
            CheckFolderRecords(entry.sector, entry.size);
            above.push_back(entry.sector);
            folder += entry.name + "/";
            continue;
        }
        if (entry.folder)
            ThrowFileError(ErrorNumber::PathFileAccess, this->path() + ":" + std::string(path));
        CheckExtent(entry.sector, entry.size);
        return {entry.sector, entry.size};
    }
    // The root itself is a folder, not a file.
    ThrowFileError(ErrorNumber::PathFileAccess, this->path() + ":" + std::string(path));
}

void LibcdioImage::Read(const CdImageFile& file, const ByteSink& sink) const
{
    CheckExtent(file.firstSector, file.size);
    std::vector<char> buffer(static_cast<std::size_t>(kSectorsPerRead) * kSectorSize);
    std::uint32_t sector = file.firstSector;
    std::uint64_t remaining = file.size;
    while (remaining > 0) {
        const std::uint32_t count = std::min(kSectorsPerRead, SectorsFor(remaining));
        ReadSectors(sector, count, buffer.data());
        const auto length =
            static_cast<std::size_t>(std::min<std::uint64_t>(remaining, std::uint64_t{count} * kSectorSize));
        sink(buffer.data(), length);
        sector += count;
        remaining -= length;
    }
}

}  // namespace

bool CdImagesSupported()
{
    return true;
}

std::unique_ptr<CdImage> CdImage::Open(const std::string& path)
{
    static const bool quiet = (cdio_log_set_handler(QuietLog), true);
    (void)quiet;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw CdImageError(path, "the file does not exist");
    if (!S_ISREG(st.st_mode))
        throw CdImageError(path, "it is no file");
    auto image = std::make_unique<LibcdioImage>(path);
    const std::string extension = ImageExtension(path);
    if (extension == ".cue")
        image->OpenTrack(CheckCueSheet(path));
    else if (extension == ".nrg")
        image->OpenTrack(ReadNrgTrack(path));
    else
        image->OpenTrack({path, 0, kSectorSize, 0});
    image->CheckVolumeDescriptors();
    return image;
}

}  // namespace talvero
