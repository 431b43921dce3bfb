#include "ui/childwindow.h"

#include <QMdiSubWindow>

namespace kvx {

void closeChildWindow(QWidget* window) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        frame->close();
    else
        window->close();
}

} // namespace kvx
