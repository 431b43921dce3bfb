#include "rom/commands.h"

#include "base/error.h"
#include "base/fileio.h"
#include "rom/headerchecksum.h"
#include "rom/romio.h"
#include "rom/routines.h"

namespace kvx {

namespace {

constexpr std::size_t SignatureOffset = 0x10;
constexpr std::size_t SignatureLength = 16;

} // namespace

std::string editionFilterString() {
    std::string filter;
    for (const EditionInfo& info : Editions)
        filter += info.filter;
    return filter;
}

std::string_view editionName(Edition edition) {
    return editionInfo(edition).shortName;
}

std::optional<Edition> editionFromName(std::string_view name) {
    for (const EditionInfo& info : Editions)
        if (name == info.shortName || name == std::to_string(code(info.edition)))
            return info.edition;
    return std::nullopt;
}

std::optional<Edition> detectEdition(const RomImage& image) {
    if (image.size() < SignatureOffset + SignatureLength)
        return std::nullopt;
    const std::string hex = Bytes_To_Hex(image.text(SignatureOffset, SignatureLength));
    for (const EditionInfo& info : Editions)
        if (!info.signature.empty() && hex == info.signature)
            return info.edition;
    return std::nullopt;
}

bool editionSupported(Edition edition) {
    return findEdition(edition) != nullptr;
}

Edition resolveEdition(Edition named, const RomImage& image) {
    const std::optional<Edition> edition = named == AutoDetect ? detectEdition(image) : named;
    if (!edition || !editionSupported(*edition))
        throw UnsupportedImage();
    return *edition;
}

ImportResult importLeague(const RomImage& image, Edition edition, int rosterChoice, League& into) {
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

std::optional<ImportResult> importImage(const RomImage& image, Edition named,
                                        const RosterQuestion& askRoster, League& into) {
    const Edition edition = resolveEdition(named, image);
    int roster = 0;
    if (editionInfo(edition).rosters > 1) {
        const auto answer = askRoster();
        if (!answer)
            return std::nullopt;
        roster = *answer;
    }
    ImportResult result = importLeague(image, edition, roster, into);
    if (result.teamCount == 0)
        throw UnsupportedImage();
    result.edition = edition;
    return result;
}

ExportResult exportLeague(Edition edition, const League& league, RomImage& image,
                          const ExportChoices& choices) {
    ExportResult result = Export_ROM(edition, league, image);
    if (choices.fixChecksum && !fixHeaderChecksum(image))
        result.notes.emplace_back(NoHeaderChecksum);
    return result;
}

ExportResult exportImageFile(const std::string& path, Edition edition, const League& league,
                             const ExportChoices& choices, const ExportChecked& checked) {
    const FileLock lock(path);
    RomImage image = RomImage::load(path);
    ExportResult result = exportLeague(resolveEdition(edition, image), league, image, choices);
    if (checked)
        checked(result);
    writeFileAtomically(
        path, [&image](const ByteSink& sink) { sink(image.bytes()); }, lock.identity());
    return result;
}

ExportedCopy exportCopy(const std::string& path, Edition edition, const League& league,
                        const ExportChoices& choices) {
    ExportedCopy copy{RomImage::load(path), {}, {}};
    copy.exported = copy.original;
    copy.result =
        exportLeague(resolveEdition(edition, copy.original), league, copy.exported, choices);
    return copy;
}

} // namespace kvx
