#include "ui/mainarea.h"

#include "ui/leaguesummary.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QPainter>

namespace kvx {

MainArea::MainArea(QWidget* parent) : QMdiArea(parent) {
    setAccessibleDescription(hint());
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    summary_ = new LeagueSummary(viewport());
    summary_->hide();
    connect(this, &QMdiArea::subWindowActivated, this, &MainArea::placeSummary);
}

QString MainArea::hint() {
    return tr("To begin, import a game image (File \u25B8 Import Data...),\n"
              "open a league (File \u25B8 Open...), or drop a file here.");
}

void MainArea::showLeague(const QString& file, const QString& origin, int teams) {
    hasLeague_ = teams > 0;
    summary_->setLeague(file, origin, teams);
    placeSummary();
    viewport()->update();
}

void MainArea::placeSummary() {
    if (!summary_)
        return; // the summary itself is being added
    const bool shown = hasLeague_ && subWindowList().isEmpty();
    if (shown) {
        summary_->adjustSize();
        QRect place(QPoint(), summary_->size());
        place.moveCenter(viewport()->rect().center());
        summary_->setGeometry(place);
    }
    summary_->setVisible(shown);
}

void MainArea::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    placeSummary();
}

// A child window's frame comes and goes as a child of the viewport.
bool MainArea::viewportEvent(QEvent* event) {
    const bool handled = QMdiArea::viewportEvent(event);
    if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved)
        placeSummary();
    return handled;
}

void MainArea::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event);
    if (hasLeague_ || !subWindowList().isEmpty())
        return;
    QPainter painter(viewport());
    const QColor ink = background().color();
    painter.setPen(ink.lightness() > 128 ? ink.darker(170) : ink.lighter(170));
    painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap, hint());
}

} // namespace kvx
