#include "rom/edition.h"

namespace kvx {

// Not readable yet: the commands answer that the image is not supported.
const EditionCodec SnesIEdition{6, 28, nullptr, nullptr};

} // namespace kvx
