#include "ui/mainarea.h"

#include <QPainter>

namespace kvx {

MainArea::MainArea(QWidget* parent) : QMdiArea(parent) {
    setAccessibleDescription(hint());
}

QString MainArea::hint() {
    return tr("To begin, import a game image (File \u25B8 Import Data...),\n"
              "open a league (File \u25B8 Open...), or drop a file here.");
}

void MainArea::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event);
    if (!subWindowList().isEmpty())
        return;
    QPainter painter(viewport());
    const QColor ink = background().color();
    painter.setPen(ink.lightness() > 128 ? ink.darker(170) : ink.lighter(170));
    painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap, hint());
}

} // namespace kvx
