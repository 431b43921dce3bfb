#pragma once

#include "document/league.h"
#include "ratings/ratings.h"

#include <string>

namespace kvx {

// What the program's windows share: the one league document and rating scale, whether the
// document has changed since it was created, loaded, imported or saved, and the paths the file
// dialogs remember. The application owns one; every window receives it by reference.
struct Session {
    League league;
    RatingScale ratingScale{};
    bool documentChanged = false;

    std::string HtmlPath;
    std::string RomPath;
    std::string RatingScalePath;
    // The data file last opened or saved, also across runs; where the Open and Save As dialogs
    // start while the document is untitled.
    std::string lastDataFile;

    // Edition of the image an export is writing; indexes RomSlot in the export wizard.
    int RomEdition = 0;
};

} // namespace kvx
