#include "ui/frmTeamRatings.h"

#include "ui/childwindow.h"
#include "ui/frmWeightRatings.h"
#include "ui/ratingscalenotice.h"
#include "ui/reportlist.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>

namespace kvx {

namespace {

// Column widths in twips: "Team" keeps its design width, the others are set on every rebuild.
constexpr int TeamWidth = 1440;
constexpr int OverallWidth = 800;
constexpr int GroupWidth = 500;

// The design size of the window and the places of its controls, in twips.
constexpr int WindowWidth = 8160;
constexpr int WindowHeight = 6000;
constexpr int ListTop = 200;
constexpr int SettingsLeft = 120;

} // namespace

frmTeamRatings::frmTeamRatings(Session& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("frmTeamRatings"));
    setWindowTitle(QStringLiteral("Team Ratings"));

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QStringLiteral("fraTeams"));
    notice_ = new RatingScaleNotice(session_, frame_);
    lsvTeams_ = makeReportList(frame_, "lsvTeams", "Team ratings", TeamRatingsColumnCount);
    lsvTeams_->setColumnWidth(0, twipsToPixelsX(this, TeamWidth));
    cmdSettings_ = makeListButton(this, "Settings...", "cmdSettings");
    cmdSettings_->move(twipsToPixelsX(this, SettingsLeft), 0);
    cmdOK_ = makeListButton(this, "OK", "cmdOK");
    setTabOrder(lsvTeams_, cmdSettings_);
    setTabOrder(cmdSettings_, cmdOK_);

    connect(lsvTeams_->header(), &QHeaderView::sectionClicked, this,
            &frmTeamRatings::lsvTeams_ColumnClick);
    connect(cmdSettings_, &QPushButton::clicked, this, &frmTeamRatings::cmdSettings_Click);
    connect(cmdOK_, &QPushButton::clicked, this, [this] { closeChildWindow(this); });
    connect(notice_, &RatingScaleNotice::shownChanged, this, &frmTeamRatings::relayout);
    connect(&session_.document, &Document::changed, this, [this](const DocumentChange& change) {
        if (changesTeamList(change))
            Update_lsvTeams();
    });

    resize(sizeHint());
    Update_lsvTeams();
}

void frmTeamRatings::Update_lsvTeams() {
    std::vector<int> widths(TeamRatingsColumnCount - 1, GroupWidth);
    widths[0] = OverallWidth;
    setColumnWidths(lsvTeams_, 1, widths);
    table_.rebuild(session_.document.league(), session_.ratingScale);
    showTable();
}

void frmTeamRatings::showTable() {
    std::vector<std::string> keys;
    keys.reserve(table_.rows().size());
    for (const TeamRatingsRow& row : table_.rows())
        keys.push_back(row.Key);
    showList(lsvTeams_, table_.listTable(), std::move(keys), table_.order());
}

void frmTeamRatings::lsvTeams_ColumnClick(int column) {
    table_.clickColumn(column);
    showTable();
}

void frmTeamRatings::cmdSettings_Click() {
    frmWeightRatings editor(session_.ratingScale, this);
    editor.exec();
    // Weights set by hand are a scale as well: no window says any longer that there is none.
    RatingScaleNotice::refreshAll(window());
    Update_lsvTeams();
}

QSize frmTeamRatings::sizeHint() const {
    return {twipsToPixelsX(this, WindowWidth), twipsToPixelsY(this, WindowHeight)};
}

void frmTeamRatings::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void frmTeamRatings::relayout() {
    layoutListWindow(this, frame_, lsvTeams_, ListTop, cmdSettings_, cmdOK_, notice_);
}

} // namespace kvx
