#pragma once

#include "base/filebuffer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

// The patch formats a roster update can be shared in.
enum class PatchFormat { Ips, Bps };

// The format a patch file's name asks for, by its extension (".ips", ".bps", in any case).
std::optional<PatchFormat> patchFormatFromPath(const std::string& path);
// The format of a patch, by its first bytes.
std::optional<PatchFormat> patchFormatOf(std::span<const std::uint8_t> patch);
// "IPS" or "BPS".
std::string_view patchFormatName(PatchFormat format);

// The patch that turns `original` into `patched`; throws PatchError when the format cannot
// describe the change (IPS and an image over 16 MiB).
std::vector<std::uint8_t> makePatch(PatchFormat format, std::span<const std::uint8_t> original,
                                    std::span<const std::uint8_t> patched);

// The image with an IPS or BPS patch applied, the format told by the patch's first bytes. Throws
// PatchError when the file is neither, is damaged, or (BPS) was made for another image.
FileBytes applyPatch(std::span<const std::uint8_t> image, std::span<const std::uint8_t> patch);

} // namespace kvx
