#pragma once

#include <QMdiArea>

namespace kvx {

class LeagueSummary;

// The main window's area for its child windows. While none is open it shows, quietly, what to
// do first, so that a new user is not left with an empty grey window; once a league is loaded,
// what that league is and what to do next. The area scrolls when child windows reach beyond it.
class MainArea : public QMdiArea {
    Q_OBJECT

public:
    explicit MainArea(QWidget* parent = nullptr);

    static QString hint();

    // The loaded league's summary, with its next steps added by the main window; shown while
    // the league has teams and no child window is open.
    LeagueSummary* summary() const { return summary_; }
    void showLeague(const QString& file, const QString& origin, int teams);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void placeSummary();

    LeagueSummary* summary_ = nullptr;
    bool hasLeague_ = false;
};

} // namespace kvx
