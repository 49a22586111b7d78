#include "platform/cdimage/ImageNames.h"

#include "platform/PathText.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace talvero {

namespace {

// "AKIRA.;1" and "AKIRA;1" are "AKIRA"; "ab.exec;1" is "ab.exec".
std::string WithoutVersion(std::string_view name)
{
    const auto semicolon = name.rfind(';');
    if (semicolon == std::string_view::npos ||
        !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(semicolon) + 1, name.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return std::string(name);
    std::string bare(name.substr(0, semicolon));
    if (!bare.empty() && bare.back() == '.')
        bare.pop_back();
    return bare;
}

}  // namespace

std::string ImageExtension(std::string_view path)
{
    const auto dot = path.find_last_of('.');
    const auto separator = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (separator != std::string_view::npos && dot < separator))
        return {};
    return AsciiLower(path.substr(dot));
}

bool HasCdImageExtension(std::string_view path)
{
    const std::string extension = ImageExtension(path);
    return extension == ".iso" || extension == ".cue" || extension == ".nrg";
}

std::vector<std::string> SplitImagePath(std::string_view path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find('\\', start), path.size());
        if (end > start)
            parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::optional<std::size_t> MatchImageName(const std::vector<std::string>& names, std::string_view wanted)
{
    const std::string bareWanted = WithoutVersion(wanted);
    const std::string lowerWanted = AsciiLower(bareWanted);
    const std::vector<std::function<bool(const std::string&)>> tiers = {
        [&](const std::string& name) { return name == wanted; },
        [&](const std::string& name) { return WithoutVersion(name) == bareWanted; },
        [&](const std::string& name) { return AsciiLower(WithoutVersion(name)) == lowerWanted; },
    };
    for (const auto& matches : tiers) {
        std::optional<std::size_t> best;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (matches(names[i]) && (!best || names[i] < names[*best]))
                best = i;
        }
        if (best)
            return best;
    }
    return std::nullopt;
}

bool IsPlainImageName(std::string_view fullName)
{
    const std::string name = WithoutVersion(fullName);
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace talvero
