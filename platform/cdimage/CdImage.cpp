#include "platform/cdimage/CdImage.h"

#include "platform/cdimage/CueSheet.h"
#include "platform/cdimage/ImageNames.h"

#include <algorithm>
#include <cdio/cdio.h>
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
// How far from the start of an NRG file the library looks for the first volume descriptor.
constexpr std::uint16_t kNrgFuzz = 20;

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

class LibcdioImage final : public CdImage {
public:
    explicit LibcdioImage(const std::string& path) : CdImage(path) {}
    ~LibcdioImage() override
    {
        if (m_iso)
            iso9660_close(m_iso);
        if (m_cdio)
            cdio_destroy(m_cdio);
        if (m_data >= 0)
            ::close(m_data);
    }

    void OpenIso(const std::string& isoFile);
    void OpenCueSheet();
    void OpenNrg();
    void CheckVolumeDescriptors();

    CdImageFile Find(std::string_view path) const override;
    void Read(const CdImageFile& file, const ByteSink& sink) const override;

private:
    [[noreturn]] void Fail(const std::string& reason) const { throw CdImageError(this->path(), reason); }
    void ReadSectors(std::uint32_t first, std::uint32_t count, char* buffer) const;
    void CheckExtent(std::uint32_t sector, std::uint32_t size) const;
    void CheckFolderRecords(std::uint32_t sector, std::uint32_t size) const;
    std::vector<Entry> List(const std::string& folder, const std::vector<std::uint32_t>& above) const;

    void OpenDataFile(const std::string& file, const CueDataTrack& track);
    void FindDataTrack();

    // The file system is read through the library: an ISO file (an .iso, or a BIN of 2048-byte
    // sectors), or a disc (a cue sheet, NRG).
    iso9660_t* m_iso = nullptr;
    CdIo_t* m_cdio = nullptr;
    // Sectors of ISO and BIN images are read here directly, many at a time, and a short read is
    // an error; NRG images are read through the library.
    int m_data = -1;
    CueDataTrack m_track;
    mutable std::vector<char> m_raw;  // raw sectors before their data is picked out
    // The data track's sectors: [m_firstSector, m_endSector).
    std::uint32_t m_firstSector = 0;
    std::uint32_t m_endSector = 0;
};

void LibcdioImage::OpenDataFile(const std::string& file, const CueDataTrack& track)
{
    m_track = track;
    m_data = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (m_data < 0 || ::fstat(m_data, &st) != 0)
        Fail("its data file cannot be read");
    const auto size = static_cast<std::uint64_t>(st.st_size);
    const std::uint64_t sectors = size > track.offset ? (size - track.offset) / track.sectorSize : 0;
    if (sectors <= kFirstVolumeDescriptor)
        Fail("it ends before its volume descriptor (a truncated image, or no CD image at all)");
    m_endSector = static_cast<std::uint32_t>(std::min<std::uint64_t>(sectors, UINT32_MAX));
    if (track.sectorSize != kSectorSize)
        m_raw.resize(static_cast<std::size_t>(kSectorsPerRead) * track.sectorSize);
}

void LibcdioImage::OpenIso(const std::string& isoFile)
{
    OpenDataFile(isoFile, {isoFile, 0, kSectorSize, 0});
    m_iso = iso9660_open_ext(isoFile.c_str(), ISO_EXTENSION_ALL);
    if (!m_iso)
        Fail("it holds no ISO 9660 volume descriptor (no CD image, or a damaged one)");
}

void LibcdioImage::OpenCueSheet()
{
    const CueDataTrack track = CheckCueSheet(path());
    if (track.offset != 0)
        Fail("its first data track does not begin the disc, so it holds no file system to read");
    if (track.sectorSize == kSectorSize) {
        // A BIN of 2048-byte sectors is an ISO file.
        OpenIso(track.dataFile);
        return;
    }
    m_cdio = cdio_open_cue(path().c_str());
    if (!m_cdio)
        Fail("its cue sheet cannot be read");
    FindDataTrack();
    const std::uint32_t trackEnd = m_endSector;
    OpenDataFile(track.dataFile, track);
    m_endSector = std::min(m_endSector, trackEnd);
}

// The NRG container tells the data track; its file system is then read as an ISO file whose
// sectors the library finds by their volume descriptor (data first, a footer after them).
void LibcdioImage::OpenNrg()
{
    m_cdio = cdio_open_nrg(path().c_str());
    if (!m_cdio)
        Fail("it is no NRG image, or a damaged one");
    FindDataTrack();
    cdio_destroy(m_cdio);
    m_cdio = nullptr;
    m_iso = iso9660_open_fuzzy_ext(path().c_str(), ISO_EXTENSION_ALL, kNrgFuzz);
    if (!m_iso)
        Fail("its data track holds no ISO 9660 file system");
}

void LibcdioImage::FindDataTrack()
{
    const track_t first = cdio_get_first_track_num(m_cdio);
    const track_t count = cdio_get_num_tracks(m_cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        Fail("it lists no tracks");
    for (track_t track = first; track < first + count; ++track) {
        const track_format_t format = cdio_get_track_format(m_cdio, track);
        if (format != TRACK_FORMAT_DATA && format != TRACK_FORMAT_XA)
            continue;  // audio tracks are not read
        const lsn_t start = cdio_get_track_lsn(m_cdio, track);
        const lsn_t last = cdio_get_track_last_lsn(m_cdio, track);
        if (start == CDIO_INVALID_LSN || last == CDIO_INVALID_LSN || last < start)
            Fail("its data track lies outside its data file (a truncated image)");
        m_firstSector = static_cast<std::uint32_t>(start);
        m_endSector = static_cast<std::uint32_t>(last) + 1;
        if (m_firstSector != 0)
            Fail("its first data track does not begin the disc, so it holds no file system to read");
        if (m_endSector <= kFirstVolumeDescriptor)
            Fail("its data track ends before its volume descriptor (a truncated image)");
        return;
    }
    Fail("it has no data track (an audio CD)");
}

void LibcdioImage::ReadSectors(std::uint32_t first, std::uint32_t count, char* buffer) const
{
    if (first < m_firstSector || first + static_cast<std::uint64_t>(count) > m_endSector)
        Fail("a record on it points outside the image");
    const auto failed = [&] {
        Fail("sector " + std::to_string(first) + " cannot be read (a truncated image)");
    };
    if (m_data < 0) {
        if (iso9660_iso_seek_read(m_iso, buffer, first, count) !=
            static_cast<long>(count) * static_cast<long>(kSectorSize))
            failed();
        return;
    }
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

void LibcdioImage::CheckExtent(std::uint32_t sector, std::uint32_t size) const
{
    if (size == 0)
        return;
    if (sector < m_firstSector || sector + static_cast<std::uint64_t>(SectorsFor(size)) > m_endSector)
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
    if (m_cdio && !iso9660_fs_read_superblock(m_cdio, ISO_EXTENSION_ALL))
        Fail("its data track holds no ISO 9660 file system");
}

std::vector<Entry> LibcdioImage::List(const std::string& folder,
                                      const std::vector<std::uint32_t>& above) const
{
    CdioList_t* list =
        m_iso ? iso9660_ifs_readdir(m_iso, folder.c_str()) : iso9660_fs_readdir(m_cdio, folder.c_str());
    if (!list)
        Fail("a folder on it cannot be read (a truncated or damaged image)");
    std::vector<Entry> entries;
    std::vector<std::uint32_t> loops = above;
    int position = 0;
    for (CdioListNode_t* node = _cdio_list_begin(list); node; node = _cdio_list_node_next(node), ++position) {
        const auto* stat = static_cast<const iso9660_stat_t*>(_cdio_list_node_data(node));
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
        image->OpenCueSheet();
    else if (extension == ".nrg")
        image->OpenNrg();
    else
        image->OpenIso(path);
    image->CheckVolumeDescriptors();
    return image;
}

}  // namespace talvero
