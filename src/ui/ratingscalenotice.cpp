#include "ui/ratingscalenotice.h"

#include "ui/session.h"

namespace kvx {

RatingScaleNotice::RatingScaleNotice(const Session& session, QWidget* parent)
    : QLabel(parent), session_(session) {
    setObjectName(QStringLiteral("lblNoRatingScale"));
    setText(tr("No rating scale is loaded: File \u25B8 Load Rating Scale..."));
    setWordWrap(true);
    setVisible(ratingScaleMissing(session_));
}

void RatingScaleNotice::refresh() {
    const bool missing = ratingScaleMissing(session_);
    if (missing == !isHidden())
        return;
    setVisible(missing);
    emit shownChanged();
}

void RatingScaleNotice::refreshAll(QWidget* window) {
    for (RatingScaleNotice* notice : window->findChildren<RatingScaleNotice*>())
        notice->refresh();
}

} // namespace kvx
