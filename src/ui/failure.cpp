#include "ui/failure.h"

#include "base/error.h"

#include <new>

namespace kvx {

std::string describeFailure(const std::exception& error) {
    if (dynamic_cast<const Error*>(&error))
        return error.what();
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return "There is not enough memory to finish this command. Nothing was changed.";
    return std::string("The command could not be finished: ") + error.what();
}

} // namespace kvx
