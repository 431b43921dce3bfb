#pragma once

#include <string>
#include <vector>

namespace kvx {

// Where the program's own files are, for a copy run from its build or unpacked folder (a
// "portable" copy: everything beside the executable) as well as for an installed one
// (executable in PREFIX/bin, data in PREFIX/share/kvxm2000, settings in the user's folder).

// The data folder of an installed program, relative to the folder of its executable.
inline constexpr const char* InstalledDataFolder = "../share/kvxm2000";

// The rating scale loaded at start-up: "default.trs" beside the executable, else in the
// installed data folder; "" when neither exists.
std::string defaultRatingScalePath(const std::string& programDirectory);
// The places defaultRatingScalePath looks, in its order.
std::vector<std::string> defaultRatingScaleCandidates(const std::string& programDirectory);

// The settings file: beside the executable when one is already there or that folder can be
// written; otherwise "kvxm2000.ini" in `userConfigDirectory` (which need not exist yet).
std::string settingsFileLocation(const std::string& programDirectory,
                                 const std::string& userConfigDirectory);

} // namespace kvx
