#pragma once

#include "base/writesteps.h"

#include <cerrno>
#include <vector>

namespace kvx::test {

// While one of these lives, every file written by writeFileAtomically fails at `step` with
// `error`: at Write as on a full disk (half of the bytes reach the temporary file, then the write
// fails; "No space left on device" by default), at any other step as if that system call had
// failed. Either way it records the steps taken, so that a test can see their order. Only one
// may live at a time.
class InjectedWriteFailure {
public:
    explicit InjectedWriteFailure(int error = ENOSPC, WriteStep step = WriteStep::Write);
    ~InjectedWriteFailure();
    InjectedWriteFailure(const InjectedWriteFailure&) = delete;
    InjectedWriteFailure& operator=(const InjectedWriteFailure&) = delete;

    // The steps taken since this was made, the failed one last; a write handed over in pieces
    // counts once.
    std::vector<WriteStep> steps() const;

protected:
    struct RecordOnly {};
    explicit InjectedWriteFailure(RecordOnly);
};

// The same, failing nothing: it only records the steps.
class RecordedWriteSteps : public InjectedWriteFailure {
public:
    RecordedWriteSteps() : InjectedWriteFailure(RecordOnly{}) {}
};

} // namespace kvx::test
