#include "platform/TextRecords.h"

#include "platform/FileError.h"

namespace talvero {

RecordReader::RecordReader(std::string bytes, std::string path)
    : m_bytes(std::move(bytes)), m_path(std::move(path))
{}

std::string RecordReader::Next()
{
    if (AtEnd())
        ThrowFileError(ErrorNumber::InputPastEnd, m_path);
    const auto end = m_bytes.find('\r', m_position);
    if (end == std::string::npos) {
        std::string record = m_bytes.substr(m_position);
        m_position = m_bytes.size();
        return record;
    }
    std::string record = m_bytes.substr(m_position, end - m_position);
    m_position = end + 1;
    if (m_position < m_bytes.size() && m_bytes[m_position] == '\n')
        ++m_position;
    return record;
}

std::vector<std::string> SplitRecords(std::string_view bytes)
{
    RecordReader reader{std::string(bytes), std::string()};
    std::vector<std::string> records;
    while (!reader.AtEnd())
        records.push_back(reader.Next());
    return records;
}

}  // namespace talvero
