#pragma once

class QWidget;

namespace kvx {

// Closes a window that the main window shows in its area: its frame there, or the window itself
// when it stands alone (as in tests). The windows' own OK buttons close them this way.
void closeChildWindow(QWidget* window);

} // namespace kvx
