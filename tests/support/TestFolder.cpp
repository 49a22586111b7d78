#include "tests/support/TestFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace talvero::test {

TestFolder::TestFolder(const std::string& parent)
    : m_path((fs::path(parent) / ("talvero-test-" + std::to_string(std::random_device()()))).string())
{
    // 32 random bits: a name already taken is a fault of its own, not worth a second try.
    if (!fs::create_directory(m_path))
        throw std::runtime_error("cannot create the temporary folder " + m_path);
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    // Give write permission back everywhere, or the removal stops at read-only entries.
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (fs::recursive_directory_iterator it(m_path, fs::directory_options::skip_permission_denied, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (!it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(m_path, ignored);
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Exists(const std::string& path)
{
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

void MakeFolders(const std::string& path)
{
    fs::create_directories(path);
}

void MakeReadOnly(const std::string& path)
{
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

void MakeWritable(const std::string& path)
{
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace talvero::test
