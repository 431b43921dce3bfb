#include "ui/leaguesummary.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvx {

LeagueSummary::LeagueSummary(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("fraLeague"));
    setAccessibleName(tr("League"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    lblFile_ = new QLabel(this);
    lblFile_->setObjectName(QStringLiteral("lblLeagueFile"));
    QFont bold = lblFile_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    lblFile_->setFont(bold);
    lblOrigin_ = new QLabel(this);
    lblOrigin_->setObjectName(QStringLiteral("lblLeagueOrigin"));
    lblTeams_ = new QLabel(this);
    lblTeams_->setObjectName(QStringLiteral("lblLeagueTeams"));
    auto* next = new QLabel(tr("Next:"), this);

    steps_ = new QVBoxLayout;
    steps_->setSpacing(2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFile_);
    layout->addWidget(lblOrigin_);
    layout->addWidget(lblTeams_);
    layout->addSpacing(8);
    layout->addWidget(next);
    layout->addLayout(steps_);
}

void LeagueSummary::setLeague(const QString& file, const QString& origin, int teams) {
    lblFile_->setText(file);
    lblOrigin_->setText(origin);
    lblOrigin_->setVisible(!origin.isEmpty());
    lblTeams_->setText(teams == 1 ? tr("1 team") : tr("%1 teams").arg(teams));
    adjustSize();
}

void LeagueSummary::addStep(QAction* action) {
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("cmdNext_") + action->objectName());
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setDefaultAction(action);
    steps_->addWidget(button, 0, Qt::AlignLeft);
}

} // namespace kvx
