#pragma once

#include <string>
#include <string_view>
#include <vector>

// 8-bit text records as the configuration file and the game data files hold them: a record ends
// at a carriage return (a line feed right after it belongs to the same line end) or at the end of
// the file; a line feed anywhere else is part of the record.
namespace talvero {

std::vector<std::string> SplitRecords(std::string_view bytes);

/// Reads records one by one; reading past the last one fails with 62.
class RecordReader {
public:
    RecordReader(std::string bytes, std::string path);
    bool AtEnd() const { return m_position >= m_bytes.size(); }
    std::string Next();

private:
    std::string m_bytes;
    std::string m_path;
    std::size_t m_position = 0;
};

}  // namespace talvero
