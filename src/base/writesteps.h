#pragma once

#include <functional>

namespace kvx {

// The durable steps of replacing a file, in the order they are taken: writing the temporary
// file, flushing it to the disk, renaming it over the file, flushing the folder that holds the
// rename.
enum class WriteStep { Write, FlushFile, Rename, FlushFolder };

// Where fault tests stand in the one function that writes files. Every step of
// writeFileAtomically passes through the hook, if one is set: it returns 0 to take the step for
// real, or the errno the step is to fail with (a failed Write lets half of the bytes through
// first, as a disk that fills up does). An empty hook removes it. The program sets none.
using WriteStepHook = std::function<int(WriteStep)>;
void setWriteStepHook(WriteStepHook hook);

} // namespace kvx
