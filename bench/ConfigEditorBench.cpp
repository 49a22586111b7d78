// SetConfigValue on the demo configuration file and on a 10,000-line file, beside a plain read
// and write of the same file.
#include "emulator/ConfigEditor.h"
#include "demo/DemoFolder.h"
#include "platform/AppFolder.h"
#include "platform/Files.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace talvero {
namespace {

std::string LargeConfig()
{
    std::string content = DefaultUaeTemplate();
    for (int i = 0; content.size() < 10000 * 24; ++i)
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
}

void PlainReadWrite(benchmark::State& state, const std::string& content)
{
    const std::string path = Prepare(content);
    for (auto _ : state)
        WriteFileBytes(path, ReadFileBytes(path));
}

BENCHMARK_CAPTURE(SetConfig, demo_default_uae, DefaultUaeTemplate());
BENCHMARK_CAPTURE(PlainReadWrite, demo_default_uae, DefaultUaeTemplate())->Name("SetConfig/plain/demo_default_uae");
BENCHMARK_CAPTURE(SetConfig, ten_thousand_lines, LargeConfig());
BENCHMARK_CAPTURE(PlainReadWrite, ten_thousand_lines, LargeConfig())->Name("SetConfig/plain/ten_thousand_lines");

}  // namespace
}  // namespace talvero
