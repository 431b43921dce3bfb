#include "ui/htmlcommands.h"

#include "base/fileio.h"
#include "base/messages.h"
#include "rom/routines.h"
#include "ui/failure.h"

namespace kvx {

namespace {

constexpr const char* HtmlTitle = "Save Window as HTML";
constexpr const char* HtmlFilter = "HTML File (*.html)|*.html|All Files (*.*)|*";
constexpr const char* HtmlProposedName = "output.html";
constexpr const char* HtmlNotSaved = "The table was not saved.";
constexpr const char* HtmlOnlyTeamRatings =
    "Nothing was written: only the Team Ratings list is saved as HTML.";

} // namespace

std::optional<std::string> saveWindowAsHtml(Session& session, Platform& platform,
                                            const ListTable* list) {
    FileDialogRequest request;
    request.title = HtmlTitle;
    request.defaultSuffix = "html";
    request.filter = HtmlFilter;
    request.confirmOverwrite = true;
    startAt(request, session.HtmlPath, platform.programDirectory());
    if (session.HtmlPath.empty())
        request.proposedName = HtmlProposedName;
    const auto choice = platform.saveFile(request);
    if (!choice)
        return std::nullopt;
    session.HtmlPath = choice->path;
    if (!list)
        return std::string(HtmlOnlyTeamRatings);
    try {
        writeFileAtomically(choice->path, htmlTable(*list));
    } catch (const std::exception& error) {
        platform.messageBox(msg::ReadMeTitle,
                            std::string(HtmlNotSaved) + "\r" + describeFailure(error),
                            MessageIcon::Information);
        return std::nullopt;
    }
    return "Saved the team ratings as " + Text_After_Last(choice->path, "/");
}

} // namespace kvx
