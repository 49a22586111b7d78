#include "demo/DemoImage.h"

#include "demo/DemoFolder.h"
#include "games/GameProfiles.h"
#include "platform/AppFolder.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/Process.h"

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace talvero {

namespace {

constexpr std::size_t kData = 2048;
constexpr std::size_t kRaw = 2352;

// Runs a program with its output discarded and waits for it; true when it succeeded.
bool Run(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The EDC of a raw sector: CRC-32 with the polynomial CD-ROM uses, reflected.
std::uint32_t Edc(const unsigned char* data, std::size_t length)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t edc = i;
            for (int bit = 0; bit < 8; ++bit)
                edc = (edc >> 1) ^ ((edc & 1) ? 0xD8018001u : 0);
            t[i] = edc;
        }
        return t;
    }();
    std::uint32_t edc = 0;
    for (std::size_t i = 0; i < length; ++i)
        edc = (edc >> 8) ^ table[(edc ^ data[i]) & 0xFF];
    return edc;
}

unsigned char Bcd(unsigned value)
{
    return static_cast<unsigned char>((value / 10) << 4 | (value % 10));
}

void PutEdc(unsigned char* at, std::uint32_t edc)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(edc >> (8 * i));
}

// A raw sector around 2048 bytes of data: sync, address, mode, (sub-header,) data, EDC; the
// error-correction bytes stay zero, which readers of images do not check.
std::string RawSector(const char* data, std::size_t sector, SectorMode mode)
{
    std::string raw(kRaw, '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(raw.data());
    for (int i = 1; i <= 10; ++i)
        bytes[i] = 0xFF;
    const std::size_t address = sector + 150;
    bytes[12] = Bcd(static_cast<unsigned>(address / 75 / 60));
    bytes[13] = Bcd(static_cast<unsigned>(address / 75 % 60));
    bytes[14] = Bcd(static_cast<unsigned>(address % 75));
    if (mode == SectorMode::Mode1_2352) {
        bytes[15] = 1;
        std::copy(data, data + kData, raw.begin() + 16);
        PutEdc(bytes + 16 + kData, Edc(bytes, 16 + kData));
    } else {
        bytes[15] = 2;
        bytes[18] = bytes[22] = 0x08;  // form 1 data
        std::copy(data, data + kData, raw.begin() + 24);
        PutEdc(bytes + 24 + kData, Edc(bytes + 16, 8 + kData));
    }
    return raw;
}

std::string Msf(std::size_t sectors)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02zu:%02zu:%02zu", sectors / 75 / 60, sectors / 75 % 60, sectors % 75);
    return text;
}

}  // namespace

void MakeIsoImage(const std::string& folder, const std::string& isoPath, IsoNames names)
{
    std::vector<std::string> arguments = {"xorriso", "-as", "mkisofs", "-quiet", "-V", "TALVERO_DEMO"};
    if (names == IsoNames::Joliet || names == IsoNames::JolietAndRockRidge)
        arguments.push_back("-J");
    // xorriso records Rock Ridge names unless told not to.
    arguments.push_back(names == IsoNames::RockRidge || names == IsoNames::JolietAndRockRidge ? "-R"
                                                                                              : "--norock");
    for (const char* last : {"-o", isoPath.c_str(), folder.c_str()})
        arguments.emplace_back(last);
    if (!Run(arguments))
        ThrowFileError(ErrorNumber::DeviceIO, "xorriso could not make " + isoPath);
}

void MakeNrg(const std::string& isoPath, const std::string& nrgPath)
{
    const std::string iso = ReadFileBytes(isoPath);
    const auto bigEndian = [](std::uint64_t value, int bytes) {
        std::string out;
        for (int i = bytes - 1; i >= 0; --i)
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
        return out;
    };
    // ETN2: one track of MODE1/2048 sectors (start, length, mode 0, first sector, reserved).
    const std::string track =
        bigEndian(0, 8) + bigEndian(iso.size(), 8) + bigEndian(0, 4) + bigEndian(0, 4) + bigEndian(0, 8);
    const std::string chunks = "ETN2" + bigEndian(track.size(), 4) + track + "SINF" + bigEndian(4, 4) +
                               bigEndian(1, 4) + "END!" + bigEndian(0, 4);
    WriteFileBytes(nrgPath, iso + chunks + "NER5" + bigEndian(iso.size(), 8));
}

const char* CueModeName(SectorMode mode)
{
    switch (mode) {
    case SectorMode::Mode1_2048:
        return "MODE1/2048";
    case SectorMode::Mode1_2352:
        return "MODE1/2352";
    case SectorMode::Mode2_2352:
        return "MODE2/2352";
    }
    return "";
}

void MakeBinCue(const std::string& isoPath, const std::string& cuePath, const std::string& binPath,
                SectorMode mode, int audioSectors)
{
    const std::string iso = ReadFileBytes(isoPath);
    const std::size_t sectors = iso.size() / kData;
    ReplaceFileStreaming(binPath, [&](const ByteSink& write) {
        for (std::size_t i = 0; i < sectors; ++i) {
            if (mode == SectorMode::Mode1_2048) {
                write(iso.data() + i * kData, kData);
            } else {
                const std::string raw = RawSector(iso.data() + i * kData, i, mode);
                write(raw.data(), raw.size());
            }
        }
        // Audio: a quiet ramp, recognisably not data.
        std::string audio(kRaw, '\0');
        for (std::size_t i = 0; i < kRaw; ++i)
            audio[i] = static_cast<char>(i & 0x0F);
        for (int i = 0; i < audioSectors; ++i)
            write(audio.data(), audio.size());
    });
    const std::string binName = LastPartOf(binPath, "/");
    std::string cue = "FILE \"" + binName + "\" BINARY\r\n  TRACK 01 " + CueModeName(mode) +
                      "\r\n    INDEX 01 00:00:00\r\n";
    if (audioSectors > 0)
        cue += "  TRACK 02 AUDIO\r\n    INDEX 01 " + Msf(sectors) + "\r\n";
    WriteFileBytes(cuePath, cue);
}

}  // namespace talvero

namespace talvero {

void MakeDemoCdImage(const std::vector<std::string>& titles, const std::string& imagePath,
                     std::size_t fileSize)
{
    const std::filesystem::path image(imagePath);
    const std::string scratch = imagePath + ".files";
    std::filesystem::remove_all(scratch);
    for (const std::string& title : titles)
        LayOutDemoCd(*FindProfile(title), scratch, fileSize);
    if (image.extension() == ".cue") {
        const std::string iso = imagePath + ".iso";
        MakeIsoImage(scratch, iso, IsoNames::JolietAndRockRidge);
        MakeBinCue(iso, imagePath, std::filesystem::path(image).replace_extension(".bin").string(),
                   SectorMode::Mode1_2352, 75);
        std::filesystem::remove(iso);
    } else {
        MakeIsoImage(scratch, imagePath, IsoNames::JolietAndRockRidge);
    }
    std::filesystem::remove_all(scratch);
}

bool LayOutDemoImages(const std::string& drivesFolder, ExistingDemoFiles existing)
{
    if (FindProgramOnPath("xorriso").empty())
        return false;
    const std::pair<const char*, const char*> images[] = {{"Lemmings", "E.cue"}, {"Akira", "F.iso"}};
    for (const auto& [title, name] : images) {
        const std::string image = JoinPath(drivesFolder, name);
        if (existing == ExistingDemoFiles::Replace || !EntryExists(image))
            MakeDemoCdImage({title}, image);
    }
    return true;
}

}  // namespace talvero
