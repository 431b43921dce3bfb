#include "support/write_faults.h"

#include <memory>
#include <mutex>
#include <optional>

namespace kvx::test {

namespace {

struct Recording {
    std::mutex mutex;
    int error = 0;
    std::optional<WriteStep> failing;
    std::vector<WriteStep> steps;
};

// The live one; the hook is called from whichever thread writes.
std::shared_ptr<Recording> live;

void install(int error, std::optional<WriteStep> failing) {
    auto recording = std::make_shared<Recording>();
    recording->error = error;
    recording->failing = failing;
    live = recording;
    setWriteStepHook([recording](WriteStep step) {
        const std::lock_guard lock(recording->mutex);
        if (recording->steps.empty() || recording->steps.back() != step)
            recording->steps.push_back(step);
        return recording->failing == step ? recording->error : 0;
    });
}

} // namespace

InjectedWriteFailure::InjectedWriteFailure(int error, WriteStep step) {
    install(error, step);
}

InjectedWriteFailure::InjectedWriteFailure(RecordOnly) {
    install(0, std::nullopt);
}

InjectedWriteFailure::~InjectedWriteFailure() {
    setWriteStepHook({});
    live.reset();
}

std::vector<WriteStep> InjectedWriteFailure::steps() const {
    if (!live)
        return {};
    const std::lock_guard lock(live->mutex);
    return live->steps;
}

} // namespace kvx::test
