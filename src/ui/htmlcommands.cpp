#include "ui/htmlcommands.h"

#include "base/fileio.h"
#include "base/messages.h"
#include "ui/failure.h"

namespace kvx {

namespace {

constexpr const char* HtmlTitle = "Save Window as HTML";
constexpr const char* HtmlFilter = "HTML File (*.html)|*.html|All Files (*.*)|*";
constexpr const char* HtmlProposedName = "output.html";
constexpr const char* HtmlNotSaved = "The table was not saved.";

} // namespace

void saveWindowAsHtml(Session& session, Platform& platform, const ListTable* list) {
    FileDialogRequest request;
    request.title = HtmlTitle;
    request.filter = HtmlFilter;
    request.confirmOverwrite = true;
    startAt(request, session.HtmlPath, platform.programDirectory());
    if (session.HtmlPath.empty())
        request.proposedName = HtmlProposedName;
    const auto choice = platform.saveFile(request);
    if (!choice)
        return;
    session.HtmlPath = choice->path;
    if (!list)
        return;
    try {
        writeFileAtomically(choice->path, htmlTable(*list));
    } catch (const std::exception& error) {
        platform.messageBox(msg::ReadMeTitle,
                            std::string(HtmlNotSaved) + "\r" + describeFailure(error),
                            MessageIcon::Information);
    }
}

} // namespace kvx
