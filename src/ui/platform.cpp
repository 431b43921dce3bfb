#include "ui/platform.h"

#include "rom/routines.h"

namespace kvx {

void startAt(FileDialogRequest& request, const std::string& rememberedPath,
             const std::string& programDirectory) {
    if (rememberedPath.find('/') == std::string::npos) {
        request.initialFolder = programDirectory;
        request.proposedName = rememberedPath;
        return;
    }
    request.initialFolder = Text_Before_Last(rememberedPath, "/");
    request.proposedName = Text_After_Last(rememberedPath, "/");
    // A file at the root: its folder is "/" itself, not the empty text before it.
    if (request.initialFolder.empty())
        request.initialFolder.assign(1, '/');
}

} // namespace kvx
