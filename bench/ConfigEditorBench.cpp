// SetConfigValue on the demo configuration file and on files of 10,000 and 100,000 lines, beside
// the plain work it cannot do without: reading the file and writing it back durably (write and
// fsync, since Default.uae holds the user's settings). Also the same read and write without fsync,
// to show what the durability costs.
#include "demo/DemoFolder.h"
#include "emulator/ConfigEditor.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace talvero {
namespace {

std::string ConfigOfLines(std::size_t lines)
{
    std::string content = DefaultUaeTemplate();
    for (std::size_t i = 0; content.size() < lines * 24; ++i)
        content += "uae_option_" + std::to_string(i) + "=value " + std::to_string(i * 7) + "\r\n";
    return content;
}

std::string Prepare(const std::string& content)
{
    const auto folder = std::filesystem::temp_directory_path() / "talvero-bench-config";
    std::filesystem::create_directories(folder / "WinUAE" / "Configurations");
    SetAppFolder(folder.string());
    WriteFileBytes(AppPath(kConfigFile), content);
    return AppPath(kConfigFile);
}

void SetConfig(benchmark::State& state, const std::string& content)
{
    Prepare(content);
    int i = 0;
    for (auto _ : state)
        SetConfigValue("gfx_framerate=", std::to_string(++i % 2 + 1));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.size()));
}

void WriteDurably(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        ::fsync(fd) != 0)
        std::abort();
    ::close(fd);
}

void PlainReadWrite(benchmark::State& state, const std::string& content)
{
    const std::string path = Prepare(content);
    for (auto _ : state)
        WriteDurably(path, ReadFileBytes(path));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.size()));
}

void PlainReadWriteWithoutSync(benchmark::State& state, const std::string& content)
{
    const std::string path = Prepare(content);
    for (auto _ : state)
        WriteFileBytes(path, ReadFileBytes(path));
}

BENCHMARK_CAPTURE(SetConfig, demo_default_uae, DefaultUaeTemplate());
BENCHMARK_CAPTURE(PlainReadWrite, demo_default_uae, DefaultUaeTemplate())
    ->Name("SetConfig/plain/demo_default_uae");
BENCHMARK_CAPTURE(PlainReadWriteWithoutSync, demo_default_uae, DefaultUaeTemplate());
BENCHMARK_CAPTURE(SetConfig, ten_thousand_lines, ConfigOfLines(10000));
BENCHMARK_CAPTURE(PlainReadWrite, ten_thousand_lines, ConfigOfLines(10000))
    ->Name("SetConfig/plain/ten_thousand_lines");
BENCHMARK_CAPTURE(PlainReadWriteWithoutSync, ten_thousand_lines, ConfigOfLines(10000));
BENCHMARK_CAPTURE(SetConfig, hundred_thousand_lines, ConfigOfLines(100000));
BENCHMARK_CAPTURE(PlainReadWrite, hundred_thousand_lines, ConfigOfLines(100000))
    ->Name("SetConfig/plain/hundred_thousand_lines");
BENCHMARK_CAPTURE(PlainReadWriteWithoutSync, hundred_thousand_lines, ConfigOfLines(100000));

}  // namespace
}  // namespace talvero
