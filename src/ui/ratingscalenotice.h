#pragma once

#include <QLabel>

namespace kvx {

struct Session;

// The line above a ratings list that says no rating scale is loaded (so every rating shows 00),
// shown until one is loaded or weights are set by hand.
class RatingScaleNotice : public QLabel {
    Q_OBJECT

public:
    RatingScaleNotice(const Session& session, QWidget* parent);

    // Shows or hides the line as the session's scale now stands.
    void refresh();
    // Refreshes every notice inside `window` (the main window after a scale was loaded, a
    // ratings window after its weights were edited).
    static void refreshAll(QWidget* window);

signals:
    // The line was shown or hidden: the window lays its list out again.
    void shownChanged();

private:
    const Session& session_;
};

} // namespace kvx
