#pragma once

#include "emulator/DefaultConfiguration.h"

#include <string>
#include <vector>

// Lays out placeholder data: an AppFolder with every game's data file, the support-file pack,
// the emulator folder and its configuration file, and fake CDs. Nothing here is a real game or a
// real Amiga file; the demo and the tests share this one generator.
namespace talvero {

struct GameProfile;

/// The copy records a generated data file holds for a profile, in order.
std::vector<std::string> DemoCopyRecords(const GameProfile& profile);

/// The boot script a generated data file holds (lines separated by line feeds only).
std::string DemoBootScript(const GameProfile& profile);

/// Guardian's patched file on the fake CD and its patch records.
inline constexpr std::size_t kDemoPatchedFileSize = 4096;
std::vector<std::string> DemoPatchRecords();

/// The whole generated data file of a profile.
std::string DemoDataFile(const GameProfile& profile);

/// The content of a generated file on the fake CD.
std::string DemoCdFileBytes(const std::string& record, std::size_t size);

/// A support-file pack whose members have distinct recognisable bytes.
std::string DemoSupportPack();

/// A placeholder Kickstart file that passes the options dialog's check (not a real ROM).
std::string PlaceholderKickstart();

/// Puts the identity file and every copied file of a profile onto a fake CD folder.
/// `fileSize` sets the size of the copied files.
void LayOutDemoCd(const GameProfile& profile, const std::string& cdRoot, std::size_t fileSize = 0);

/// What laying out the demo again does with a generated file that is already there: the build's
/// demo follows the generator (Replace); a user's demo folder keeps what the user changed (Keep).
enum class ExistingDemoFiles { Replace, Keep };

/// Writes a generated file, unless it is there (or anything else is at its name) and `existing`
/// says Keep. True when it was written.
bool WriteDemoFile(const std::string& path, const std::string& bytes, ExistingDemoFiles existing);

/// Lays out an AppFolder as the program does (LayOutAppFolder), then puts in every game's data
/// file, Talvero.dat, the given emulator program under both executable names and kick31.rom
/// unless one is there already. Default.uae is always kept.
void LayOutDemoAppFolder(const std::string& folder, const std::string& standinExecutable,
                         ExistingDemoFiles existing = ExistingDemoFiles::Replace);

}  // namespace talvero
