#include "rom/commands.h"

#include "rom/headerchecksum.h"
#include "rom/romio.h"
#include "rom/routines.h"

#include <array>

namespace kvx {

namespace {

constexpr std::array<std::string_view, 9> FilterEntries = {
    "Kickvane (Auto Detect)|*.nes;*.bin;*.smc|",
    "[NES] Kickvane|*.nes|",
    "[SEGA] Kickvane|*.bin|",
    "[SEGA] Kickvane II|*.bin|",
    "[SEGA] Kickvane III|*.bin|",
    "[SNES] Kickvane|*.smc|",
    "[SNES] Kickvane II|*.smc|",
    "[SNES] Kickvane III|*.smc|",
    "[PSX] Kickvane|*.dat|"};

constexpr std::array<std::string_view, 9> EditionNames = {
    "auto", "nes", "genesis1", "genesis2", "genesis3", "snes1", "snes2", "snes3", "psx"};

struct Signature {
    std::string_view hex;
    int edition;
};

constexpr std::array<Signature, 6> Signatures = {{
    {"38807480B080EC8028816481A081DC81", Nes},
    {"00000578000005820000058C00000596", GenesisI},
    {"000005B0000005BA000005C4000005CE", GenesisII},
    {"000005BC000005C6000005D0000005DA", GenesisIII},
    {"A2FF1F9AA900005BE220A98048AB2200", SnesI},
    {"A2FF079AA900005BE220A98048AB2200", SnesIII},
}};

constexpr std::size_t SignatureOffset = 0x10;
constexpr std::size_t SignatureLength = 16;

} // namespace

std::string_view editionFilterEntry(int edition) {
    if (edition < 1 || edition > 9)
        return {};
    return FilterEntries[static_cast<std::size_t>(edition - 1)];
}

std::string editionFilterString() {
    std::string filter;
    for (const auto entry : FilterEntries)
        filter += entry;
    return filter;
}

std::string_view editionName(int edition) {
    if (edition < 1 || edition > 9)
        return {};
    return EditionNames[static_cast<std::size_t>(edition - 1)];
}

std::optional<int> editionFromName(std::string_view name) {
    for (int edition = 1; edition <= 9; ++edition)
        if (name == editionName(edition) || name == std::to_string(edition))
            return edition;
    return std::nullopt;
}

int detectEdition(const RomImage& image) {
    if (image.size() < SignatureOffset + SignatureLength)
        return 0;
    const std::string hex = Bytes_To_Hex(image.text(SignatureOffset, SignatureLength));
    for (const Signature& signature : Signatures)
        if (hex == signature.hex)
            return signature.edition;
    return 0;
}

bool editionSupported(int edition) {
    return findEdition(edition) != nullptr;
}

ImportResult importLeague(const RomImage& image, int edition, int rosterChoice, League& into) {
    std::vector<TeamRecord> teams;
    GeneralInfoRecord generalInfo = into.GeneralInfo;
    ImportResult result = Import_ROM(edition, image, teams, &generalInfo, rosterChoice);
    if (result.teamCount == 0)
        return result;
    into.Teams = std::move(teams);
    into.TeamCount = static_cast<std::int16_t>(result.teamCount);
    into.GeneralInfo = std::move(generalInfo);
    return result;
}

ExportResult exportLeague(int edition, const League& league, RomImage& image,
                          const ExportChoices& choices) {
    ExportResult result = Export_ROM(edition, league, image);
    if (choices.fixChecksum && !fixHeaderChecksum(image))
        result.notes.emplace_back(NoHeaderChecksum);
    return result;
}

ExportResult exportImageFile(const std::string& path, int edition, const League& league) {
    RomImage image = RomImage::load(path);
    ExportResult result = Export_ROM(edition, league, image);
    image.save(path);
    return result;
}

} // namespace kvx
