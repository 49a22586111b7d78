#include "platform/cdimage/CueSheet.h"

#include "platform/AppFolder.h"
#include "platform/PathText.h"
#include "platform/cdimage/CdImage.h"

#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <sys/stat.h>

namespace talvero {

namespace {

// A cue sheet is a few lines of text; anything much larger is no cue sheet.
constexpr std::uint64_t kMaxCueSheetSize = 64 * 1024;

struct TrackMode {
    std::uint32_t sectorSize;
    std::uint32_t headerSize;
};

// Track modes with the size of their sectors in the data file and where the data begins.
const std::map<std::string, TrackMode> kTrackModes = {
    {"MODE1/2048", {2048, 0}}, {"MODE1/2352", {2352, 16}}, {"MODE2/2352", {2352, 24}},
    {"MODE2/2336", {2336, 8}}, {"MODE2/2048", {2048, 0}},  {"AUDIO", {2352, 0}},
};

// The rest of a FILE line: a quoted name, or a bare one up to the next blank.
std::string FileName(std::istringstream& fields)
{
    fields >> std::ws;
    std::string name;
    if (fields.peek() == '"') {
        fields.get();
        std::getline(fields, name, '"');
    } else {
        fields >> name;
    }
    return name;
}

// "mm:ss:ff" as a count of sectors (75 a second).
std::optional<std::uint64_t> IndexSectors(const std::string& text)
{
    unsigned minutes = 0, seconds = 0, frames = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%u:%u:%u%c", &minutes, &seconds, &frames, &end) != 3 || seconds >= 60 ||
        frames >= 75)
        return std::nullopt;
    return (std::uint64_t{minutes} * 60 + seconds) * 75 + frames;
}

class CueChecker {
public:
    explicit CueChecker(const std::string& cuePath) : m_cue(cuePath) {}

    void Line(const std::string& line, int number)
    {
        std::istringstream fields(line);
        std::string keyword;
        fields >> keyword;
        keyword = AsciiUpper(keyword);
        if (keyword == "FILE") {
            Finish();
            m_dataFileEnded = m_dataTrack.has_value();
            m_fileName = FileName(fields);
            if (m_fileName.empty())
                Fail("its cue sheet names no data file in line " + std::to_string(number));
            struct stat st {};
            m_filePath = m_fileName.front() == '/' ? m_fileName : JoinPath(FolderOf(m_cue, "/"), m_fileName);
            if (::stat(m_filePath.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
                Fail("its data file \"" + m_fileName + "\" is missing");
            m_fileSize = static_cast<std::uint64_t>(st.st_size);
            m_position = 0;
            m_sectors = 0;
            m_trackSize = 0;
        } else if (keyword == "TRACK") {
            std::string trackNumber, mode;
            fields >> trackNumber >> mode;
            const auto found = kTrackModes.find(AsciiUpper(mode));
            if (m_fileName.empty() || found == kTrackModes.end())
                Fail("its cue sheet cannot be read (line " + std::to_string(number) + ")");
            m_pendingSize = found->second.sectorSize;
            m_pendingData = AsciiUpper(mode) != "AUDIO";
            m_pendingHeader = found->second.headerSize;
            ++m_tracks;
        } else if (keyword == "INDEX") {
            std::string index, time;
            fields >> index >> time;
            const auto sectors = IndexSectors(time);
            if (m_pendingSize == 0 || !sectors || *sectors < m_sectors)
                Fail("its cue sheet cannot be read (line " + std::to_string(number) + ")");
            // Bytes before this index: the sectors since the last one at the size of its track.
            m_position += (*sectors - m_sectors) * (m_trackSize ? m_trackSize : m_pendingSize);
            m_sectors = *sectors;
            m_trackSize = m_pendingSize;
            if (m_position >= m_fileSize)
                Fail("its data file \"" + m_fileName + "\" is shorter than its tracks say");
            // The data track ends where the next track in its file begins.
            if (m_dataTrack && m_tracks > 1 && !m_dataFileEnded && !m_dataTrack->sectors)
                m_dataTrack->sectors = (m_position - m_dataTrack->offset) / m_dataTrack->sectorSize;
            // The track's data begins at INDEX 01. Its file system's sector numbers count from
            // the start of the disc, so only a data track that begins the disc can be read.
            if (m_pendingData && !m_dataTrack && (index == "01" || index == "1")) {
                if (m_tracks != 1 || m_position != 0)
                    Fail(kDataTrackNotFirst);
                m_dataTrack = DataTrack{m_filePath, m_position, static_cast<std::uint32_t>(m_pendingSize),
                                        m_pendingHeader};
            }
        }
    }

    void Finish() const
    {
        if (!m_fileName.empty() && m_trackSize == 0)
            Fail("its cue sheet lists a data file without tracks");
    }

    DataTrack End() const
    {
        if (m_fileName.empty())
            Fail("its cue sheet names no data file");
        if (m_tracks == 0)
            Fail("its cue sheet lists no tracks");
        Finish();
        if (!m_dataTrack)
            Fail(kNoDataTrack);
        return *m_dataTrack;
    }

private:
    [[noreturn]] void Fail(const std::string& reason) const { throw CdImageError(m_cue, reason); }

    std::string m_cue;
    std::string m_fileName;
    std::string m_filePath;
    std::optional<DataTrack> m_dataTrack;
    bool m_dataFileEnded = false;  // a FILE line followed the data track's
    bool m_pendingData = false;
    std::uint32_t m_pendingHeader = 0;
    std::uint64_t m_fileSize = 0;
    std::uint64_t m_position = 0;   // bytes of the data file before the last index
    std::uint64_t m_sectors = 0;    // sectors of the data file before the last index
    std::uint64_t m_trackSize = 0;  // sector size of the track the last index began
    std::uint64_t m_pendingSize = 0;
    int m_tracks = 0;
};

}  // namespace

DataTrack CheckCueSheet(const std::string& cuePath)
{
    struct stat st {};
    if (::stat(cuePath.c_str(), &st) != 0 || static_cast<std::uint64_t>(st.st_size) > kMaxCueSheetSize)
        throw CdImageError(cuePath, "it is no cue sheet");
    std::string text;
    try {
        text = ReadFileBytes(cuePath);
    } catch (const FileError&) {
        throw CdImageError(cuePath, "it cannot be read");
    }
    CueChecker checker(cuePath);
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        checker.Line(line, ++number);
    }
    return checker.End();
}

}  // namespace talvero
