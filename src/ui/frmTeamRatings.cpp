#include "ui/frmTeamRatings.h"

#include "ui/childwindow.h"
#include "ui/frmWeightRatings.h"
#include "ui/ratingscalenotice.h"
#include "ui/reportlist.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>

#include <algorithm>

namespace kvx {

namespace {

// The least width of each column in twips; every rebuild widens them to what they show.
constexpr int TeamWidth = 1440;
constexpr int OverallWidth = 800;
constexpr int GroupWidth = 500;

// The design size of the window and the places of its controls, in twips.
constexpr int WindowWidth = 8160;
constexpr int WindowHeight = 6000;
constexpr int ListTop = 200;
constexpr int SettingsLeft = 120;
constexpr int ListLeft = 120; // the list's margins inside the frame
constexpr int ListRight = 100;

} // namespace

frmTeamRatings::frmTeamRatings(Session& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("frmTeamRatings"));
    setWindowTitle(QStringLiteral("Team Ratings"));

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QStringLiteral("fraTeams"));
    notice_ = new RatingScaleNotice(session_, frame_);
    lsvTeams_ = makeReportList(frame_, "lsvTeams", "Team ratings", TeamRatingsColumnCount);
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

    Update_lsvTeams();
    resize(sizeHint());
}

void frmTeamRatings::Update_lsvTeams() {
    table_.rebuild(session_.document.league(), session_.ratingScale);
    showTable();
    // The design widths are the least each column gets: team names and a sorted column's
    // header with its indicator need more.
    std::vector<int> widths(TeamRatingsColumnCount, GroupWidth);
    widths[0] = TeamWidth;
    widths[1] = OverallWidth;
    fitColumns(lsvTeams_, widths);
}

void frmTeamRatings::showTable() {
    showList(lsvTeams_, table_.listTable(), table_.keys(), table_.order());
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
    // Wide enough for every column, the frame's margins around the list included.
    const int content = twipsToPixelsX(this, ListLeft + ListRight) + fittedListWidth(lsvTeams_);
    return {std::max(twipsToPixelsX(this, WindowWidth), content),
            twipsToPixelsY(this, WindowHeight)};
}

void frmTeamRatings::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void frmTeamRatings::relayout() {
    layoutListWindow(this, frame_, lsvTeams_, ListTop, cmdSettings_, cmdOK_, notice_);
}

} // namespace kvx
