#pragma once

#include "base/fileio.h"
#include "document/settings.h"
#include "ratings/ratings.h"
#include "ui/document.h"

#include <optional>
#include <string>

namespace kvx {

// What the program's windows share: the one league document (through its owner, which every
// change passes), the rating scale and the paths the file dialogs remember. The application
// owns one; every window receives it by reference.
struct Session {
    Document document;
    RatingScale ratingScale{};
    // A rating-scale file was read into ratingScale (at start-up or from the menu).
    bool ratingScaleLoaded = false;

    std::string HtmlPath;
    std::string RomPath;
    std::string RatingScalePath;
    // The data file last opened or saved, also across runs; where the Open and Save As dialogs
    // start while the document is untitled.
    std::string lastDataFile;
    // The data file the document was read from or last saved to, as it was then: Save asks
    // before replacing what another program has written there since.
    std::optional<FileIdentity> dataFileIdentity;

    // The main window's placement as Qt saves it, in hexadecimal; kept in the settings file.
    std::string windowGeometry;

    // The checksum choice, the image last exported into and the emulator command, kept in the
    // settings file.
    ExportSettings exportSettings;
};

// No rating scale has been loaded and no weight set by hand: every rating is 00 and every team
// the best, which the ratings windows say rather than show without a word.
inline bool ratingScaleMissing(const Session& session) {
    return !session.ratingScaleLoaded && session.ratingScale == RatingScale{};
}

} // namespace kvx
