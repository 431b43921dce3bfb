#include "rom/edition.h"

namespace kvx {

// Not readable yet: the commands answer that the image is not supported.
const EditionCodec GenesisIIIEdition{5, 32, nullptr, nullptr};

} // namespace kvx
