// Applying IPS and BPS patches: any patch is applied or refused with a PatchError, never read or
// written out of bounds; and whatever it makes, each of the program's own patch writers turns the
// image into it again.

#include "check.h"
#include "patch_input.h"

#include "base/error.h"
#include "rom/bps.h"
#include "rom/crc32.h"
#include "rom/ips.h"
#include "rom/patch.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace {

using namespace kvx;

void putU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int n = 0; n < 4; ++n)
        bytes[at + static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(value >> (8 * n));
}

void seal(std::vector<std::uint8_t>& patch, std::span<const std::uint8_t> image) {
    if (!isBpsPatch(patch) || patch.size() < 16)
        return;
    putU32(patch, patch.size() - 12, crc32(image));
    putU32(patch, patch.size() - 4, crc32(std::span(patch).first(patch.size() - 4)));
}

// Larger results are left out of the round trip only to keep the runs quick.
constexpr std::size_t RoundTripLimit = 1 << 20;

void checkRoundTrip(std::span<const std::uint8_t> image, const FileBytes& result) {
    if (result.size() > RoundTripLimit)
        return;
    for (const PatchFormat format : {PatchFormat::Ips, PatchFormat::Bps}) {
        const auto patch = makePatch(format, image, result);
        const FileBytes again = applyPatch(image, patch);
        fuzz::check(again == result, format == PatchFormat::Ips
                                         ? "an IPS patch of the result does not make it again"
                                         : "a BPS patch of the result does not make it again");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < fuzz::PatchInputHeader)
        return 0;
    const std::vector<std::uint8_t> image = fuzz::patchImage((std::size_t{data[1]} << 8) | data[2]);
    std::vector<std::uint8_t> patch(data + fuzz::PatchInputHeader, data + size);
    if (data[0] & fuzz::SealBpsChecks)
        seal(patch, image);
    FileBytes result;
    try {
        result = applyPatch(image, patch);
    } catch (const PatchError&) {
        return 0;
    }
    checkRoundTrip(image, result);
    return 0;
}
