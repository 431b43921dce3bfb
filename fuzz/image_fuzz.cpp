// One harness per edition (KVX_FUZZ_EDITION names it): an input damages a valid image of the
// edition (see image_input.h). Whatever imports is exported back unchanged (the import remembers
// where every team came from) and imported again. The second import must equal the first but for
// what an export is documented to change (differenceAfterExport); an export that is refused must
// not have written a byte. Then the round trip itself: the exported image, imported and exported
// back unchanged, must come back byte for byte.
// Exceptions other than the core's own, and anything the sanitizers see, are crashes.

#include "check.h"
#include "editions.h"
#include "image_input.h"

#include "base/error.h"
#include "rom/edition.h"
#include "rom/romio.h"

#include <cstddef>
#include <cstdint>
#include <span>

#ifndef KVX_FUZZ_EDITION
#error "KVX_FUZZ_EDITION names the edition code the harness fuzzes"
#endif

namespace kvx::fuzz {
namespace {

constexpr int Edition = KVX_FUZZ_EDITION;
// Genesis II exports into the third roster's place; the other editions have one roster.
constexpr int ExportedRoster = Edition == GenesisII ? 3 : 0;

class ImageHarness {
public:
    ImageHarness() : trial_(fuzzedEdition(Edition).validImage()) {}

    void run(std::span<const std::uint8_t> input) {
        int roster = 0;
        RomImage& image = trial_.prepare(input, roster);
        tryImage(image, roster);
        trial_.restore();
    }

private:
    void tryImage(RomImage& image, int roster) {
        info_ = GeneralInfoRecord{};
        try {
            Import_ROM(Edition, image, league_.Teams, &info_, roster);
        } catch (const Error&) {
            return; // a damaged image is refused; that is all an import owes it
        }

        league_.TeamCount = static_cast<std::int16_t>(league_.Teams.size());
        league_.GeneralInfo = info_;

        const std::size_t written = trial_.bytesWritten();
        try {
            Export_ROM(Edition, league_, image);
        } catch (const ExportRefused&) {
            check(trial_.bytesWritten() == written, "a refused export wrote to the image");
            return;
        } catch (const RomError&) {
            check(trial_.bytesWritten() == written,
                  "an export refused as damaged wrote to the image");
            return;
        }

        GeneralInfoRecord info;
        try {
            Import_ROM(Edition, image, again_, &info, ExportedRoster);
        } catch (const Error& error) {
            fail(std::string("the exported image does not import: ") + error.what());
        }
        const std::string difference =
            differenceAfterExport(Edition, league_.Teams, info_, again_, info);
        if (!difference.empty())
            fail("the exported league does not import as it was exported: " + difference);
        requireUnchangedRoundTrip(image, info);
    }

    // Import, then export back without a change: every byte stays.
    void requireUnchangedRoundTrip(const RomImage& exported, const GeneralInfoRecord& info) {
        League league;
        league.Teams = again_;
        league.TeamCount = static_cast<std::int16_t>(again_.size());
        league.GeneralInfo = info;
        copy_ = exported;
        try {
            Export_ROM(Edition, league, copy_);
        } catch (const Error& error) {
            fail(std::string("an unchanged import of an exported image is refused: ") +
                 error.what());
        }
        if (copy_.bytes() != exported.bytes())
            fail("an unchanged import exported back changes the image");
    }

    TrialImage trial_;
    League league_;
    GeneralInfoRecord info_;
    std::vector<TeamRecord> again_;
    RomImage copy_;
};

} // namespace
} // namespace kvx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static kvx::fuzz::ImageHarness harness;
    harness.run(std::span<const std::uint8_t>(data, size));
    return 0;
}
