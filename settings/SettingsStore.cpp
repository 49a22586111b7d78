#include "settings/SettingsStore.h"

#include "platform/PathText.h"

#include <charconv>
#include <cmath>

namespace talvero {

namespace {

std::optional<double> ParseNumber(const std::string& text)
{
    std::string number = Trimmed(text);
    if (!number.empty() && number.front() == '+')
        number.erase(0, 1);
    if (number.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::unique_ptr<SettingsBackend>& InstalledBackend()
{
    static std::unique_ptr<SettingsBackend> backend = std::make_unique<MemorySettingsBackend>();
    return backend;
}

}  // namespace

std::optional<bool> ParseBoolean(const std::string& text)
{
    const std::string word = AsciiLower(Trimmed(text));
    if (word == "true")
        return true;
    if (word == "false")
        return false;
    if (const auto number = ParseNumber(text))
        return *number != 0.0;
    return std::nullopt;
}

std::optional<int> ParseInteger(const std::string& text)
{
    const auto number = ParseNumber(text);
    if (!number || *number < -32768.5 || *number > 32767.5)
        return std::nullopt;
    return static_cast<int>(std::nearbyint(*number));
}

std::string BooleanText(bool value)
{
    return value ? "True" : "False";
}

std::string SettingsStore::ReadText(const std::string& key, const std::string& defaultText)
{
    return m_backend.Get(key).value_or(defaultText);
}

std::optional<bool> SettingsStore::ReadBool(const std::string& key, bool defaultValue)
{
    const auto text = m_backend.Get(key);
    return text ? ParseBoolean(*text) : defaultValue;
}

std::optional<int> SettingsStore::ReadInt(const std::string& key, int defaultValue)
{
    const auto text = m_backend.Get(key);
    return text ? ParseInteger(*text) : defaultValue;
}

void SettingsStore::Write(const std::string& key, const std::string& text)
{
    m_backend.Set(key, text);
}

SettingsStore Settings()
{
    return SettingsStore(*InstalledBackend());
}

void SetSettingsBackend(std::unique_ptr<SettingsBackend> backend)
{
    InstalledBackend() = std::move(backend);
}

std::optional<std::string> MemorySettingsBackend::Get(const std::string& key)
{
    const auto found = m_values.find(key);
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}

void MemorySettingsBackend::Set(const std::string& key, const std::string& text)
{
    m_values[key] = text;
}

}  // namespace talvero
