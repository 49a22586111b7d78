#pragma once

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

// The user's stored choices, under application "Quorra", section "Optionen": the seven options
// and the CD image inserted through the main window.
namespace talvero {

namespace SettingKey {
inline constexpr const char* Frameskip = "Frameskip";
inline constexpr const char* JITComp = "JITComp";
inline constexpr const char* Drive = "Drive";
inline constexpr const char* Port1 = "Port1";
inline constexpr const char* ROMfile = "ROMfile";
inline constexpr const char* Scanlines = "Scanlines";
inline constexpr const char* SndEmu = "SndEmu";
/// The inserted CD image's full path; "" when none is in.
inline constexpr const char* CDImage = "CDImage";
/// "False" once the user asked not to be told again that FS-UAE's own ROM stands in.
inline constexpr const char* KickstartNote = "KickstartNote";
}  // namespace SettingKey

inline constexpr const char* kSettingsApplication = "Quorra";
inline constexpr const char* kSettingsSection = "Optionen";

/// A failure to read or write the store.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Where the values live; the windows install the platform's backend.
class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;
    /// The stored text, or nothing when the key is absent. Throws SettingsError.
    virtual std::optional<std::string> Get(const std::string& key) = 0;
    /// Throws SettingsError.
    virtual void Set(const std::string& key, const std::string& text) = 0;
};

class SettingsStore {
public:
    explicit SettingsStore(SettingsBackend& backend) : m_backend(backend) {}

    /// The stored text, or `defaultText` when the key is absent. Each read throws SettingsError.
    std::string ReadText(const std::string& key, const std::string& defaultText);
    /// The stored text read as ParseBoolean reads it; `defaultValue` when absent, nothing when the
    /// text is no boolean.
    std::optional<bool> ReadBool(const std::string& key, bool defaultValue);
    /// The stored text read as ParseInteger reads it; `defaultValue` when absent, nothing when the
    /// text is no number in range.
    std::optional<int> ReadInt(const std::string& key, int defaultValue);
    void Write(const std::string& key, const std::string& text);

private:
    SettingsBackend& m_backend;
};

/// "True"/"False" in any letter case, or a decimal number (0 false, anything else true).
std::optional<bool> ParseBoolean(const std::string& text);
/// A decimal number, rounded to the nearest whole number.
std::optional<int> ParseInteger(const std::string& text);
std::string BooleanText(bool value);

/// The store the program uses; the backend is installed at start-up (or by a test).
SettingsStore Settings();
void SetSettingsBackend(std::unique_ptr<SettingsBackend> backend);

/// A backend held in memory: the default until the platform's is installed.
class MemorySettingsBackend final : public SettingsBackend {
public:
    std::optional<std::string> Get(const std::string& key) override;
    void Set(const std::string& key, const std::string& text) override;

private:
    std::map<std::string, std::string> m_values;
};

}  // namespace talvero
