#include "app/locations.h"

#include "base/fileio.h"
#include "document/settings.h"
#include "ratings/ratingscale.h"

#include <unistd.h>

namespace kvx {

namespace {

std::string inFolder(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    return path;
}

} // namespace

std::vector<std::string> defaultRatingScaleCandidates(const std::string& programDirectory) {
    return {inFolder(programDirectory, DefaultRatingScaleFile),
            inFolder(inFolder(programDirectory, InstalledDataFolder), DefaultRatingScaleFile)};
}

std::string defaultRatingScalePath(const std::string& programDirectory) {
    for (const std::string& path : defaultRatingScaleCandidates(programDirectory))
        if (fileExists(path))
            return path;
    return {};
}

std::string settingsFileLocation(const std::string& programDirectory,
                                 const std::string& userConfigDirectory) {
    const std::string beside = inFolder(programDirectory, SettingsFileName);
    if (fileExists(beside) || ::access(programDirectory.c_str(), W_OK) == 0)
        return beside;
    return inFolder(userConfigDirectory, SettingsFileName);
}

} // namespace kvx
