#pragma once

#include "document/slotassignment.h"

#include <cstdint>
#include <vector>

namespace kvx {

// What the export wizard opens with: the edition, the teams the image holds in each slot now
// (read as the export reads them), and the checksum choice remembered from the last export.
struct ExportWizardInput {
    Edition edition = AutoDetect;
    ImageSlotTeams imageTeams{};
    bool fixChecksum = false;
};

// What Finish answers: every team's RomSlot for the edition, whether the export goes into the
// image or into a patch for it, and whether the header checksum is corrected.
struct ExportPlan {
    std::vector<std::int16_t> romSlots;
    bool asPatch = false;
    bool fixChecksum = false;
};

} // namespace kvx
