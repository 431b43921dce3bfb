#pragma once

#include "document/htmltable.h"
#include "ui/platform.h"
#include "ui/session.h"

#include <optional>
#include <string>

namespace kvx {

// File > Save Window as HTML...: asks for a file, remembers it as HtmlPath (also when nothing is
// written) and writes `list` (the active Team Ratings list as shown) as one HTML table,
// replacing the file in one step. With no list (another child window is active) nothing is
// written. A failed write leaves any old file as it was and says so. Returns what the status
// bar tells afterwards; nothing when the dialog was cancelled or the write failed.
std::optional<std::string> saveWindowAsHtml(Session& session, Platform& platform,
                                            const ListTable* list);

} // namespace kvx
