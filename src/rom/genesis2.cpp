#include "rom/edition.h"

namespace kvx {

// Not readable yet: the commands answer that the image is not supported.
const EditionCodec GenesisIIEdition{4, 28, nullptr, nullptr};

} // namespace kvx
