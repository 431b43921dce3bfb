#include "rom/patch.h"

#include "base/error.h"
#include "rom/bps.h"
#include "rom/ips.h"

#include <algorithm>
#include <cctype>

namespace kvx {

std::optional<PatchFormat> patchFormatFromPath(const std::string& path) {
    const std::size_t dot = path.find_last_of("./\\");
    if (dot == std::string::npos || path[dot] != '.')
        return std::nullopt;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "ips")
        return PatchFormat::Ips;
    if (extension == "bps")
        return PatchFormat::Bps;
    return std::nullopt;
}

std::optional<PatchFormat> patchFormatOf(std::span<const std::uint8_t> patch) {
    if (isIpsPatch(patch))
        return PatchFormat::Ips;
    if (isBpsPatch(patch))
        return PatchFormat::Bps;
    return std::nullopt;
}

std::string_view patchFormatName(PatchFormat format) {
    return format == PatchFormat::Ips ? "IPS" : "BPS";
}

std::vector<std::uint8_t> makePatch(PatchFormat format, std::span<const std::uint8_t> original,
                                    std::span<const std::uint8_t> patched) {
    return format == PatchFormat::Ips ? makeIpsPatch(original, patched)
                                      : makeBpsPatch(original, patched);
}

FileBytes applyPatch(std::span<const std::uint8_t> image, std::span<const std::uint8_t> patch) {
    const auto format = patchFormatOf(patch);
    if (!format)
        throw PatchError("The file is not a patch: it is neither IPS nor BPS.");
    return *format == PatchFormat::Ips ? applyIpsPatch(image, patch) : applyBpsPatch(image, patch);
}

} // namespace kvx
