#include "ui/frmPlayerRatings.h"

#include "document/tables.h"
#include "ui/childwindow.h"
#include "ui/qtext.h"
#include "ui/ratingscalenotice.h"
#include "ui/reportlist.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include <algorithm>

namespace kvx {

namespace {

// The least width of each column in twips ("#", "Name", "Overall", then every attribute
// column); every rebuild widens them to what they show.
constexpr int NumberWidth = 500;
constexpr int NameWidth = 1440;
constexpr int OverallWidth = 1000;
constexpr int AttributeWidth = 500;

// The design size of the window and the places of its controls, in twips.
constexpr int WindowWidth = 9120;
constexpr int WindowHeight = 6000;
constexpr int ListTop = 600; // room for the group selector above the list
constexpr int SelectorLeft = 120;
constexpr int SelectorTop = 200;
constexpr int LabelGap = 90;   // between "Position:" and its list
constexpr int ListRight = 100; // the list's margin on the right of the frame

} // namespace

frmPlayerRatings::frmPlayerRatings(Session& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("frmPlayerRatings"));
    setWindowTitle(QStringLiteral("Player Ratings"));

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QStringLiteral("fraPlayers"));

    auto* label = new QLabel(QStringLiteral("Position:"), frame_);
    label->setObjectName(QStringLiteral("lblPosition"));
    cmbPosition_ = new QComboBox(frame_);
    cmbPosition_->setObjectName(QStringLiteral("cmbPosition"));
    for (const std::string_view group : GroupLabels)
        cmbPosition_->addItem(toQString(group));
    label->setBuddy(cmbPosition_);
    label->adjustSize();
    const int selectorTop = twipsToPixelsY(this, SelectorTop);
    const int labelTop = selectorTop + (cmbPosition_->sizeHint().height() - label->height()) / 2;
    label->move(twipsToPixelsX(this, SelectorLeft), labelTop);
    cmbPosition_->move(label->x() + label->width() + twipsToPixelsX(this, LabelGap), selectorTop);
    cmbPosition_->resize(cmbPosition_->sizeHint());

    notice_ = new RatingScaleNotice(session_, frame_);
    lsvPlayers_ = makeReportList(frame_, "lsvPlayers", "Player ratings", PlayerRatingsColumnCount);
    cmdOK_ = makeListButton(this, "OK", "cmdOK");
    setTabOrder(cmbPosition_, lsvPlayers_);
    setTabOrder(lsvPlayers_, cmdOK_);

    connect(lsvPlayers_->header(), &QHeaderView::sectionClicked, this,
            &frmPlayerRatings::lsvPlayers_ColumnClick);
    connect(cmdOK_, &QPushButton::clicked, this, [this] { closeChildWindow(this); });
    connect(notice_, &RatingScaleNotice::shownChanged, this, &frmPlayerRatings::relayout);
    connect(&session_.document, &Document::changed, this, [this](const DocumentChange& change) {
        if (changesTeamList(change))
            Redraw_Form();
    });

    // Opening: group 0 selected, which builds the list, and a window as wide as it.
    cmbPosition_->setCurrentIndex(0);
    Redraw_Form();
    resize(sizeHint());
    // Every pick rebuilds the list, of the group shown as well: that is how the user brings it
    // up to date after roster edits or another rating scale.
    connect(cmbPosition_, &QComboBox::activated, this, [this] { Redraw_Form(); });
}

void frmPlayerRatings::Redraw_Form() {
    const int group = std::max(0, cmbPosition_->currentIndex());
    table_.rebuild(session_.document.league(), session_.ratingScale, group);
    showTable();
    // The design widths are the least each column gets: names with their team need more.
    std::vector<int> widths(PlayerRatingsColumnCount, AttributeWidth);
    widths[0] = NumberWidth;
    widths[1] = NameWidth;
    widths[2] = OverallWidth;
    fitColumns(lsvPlayers_, widths);
}

void frmPlayerRatings::showTable() {
    showList(lsvPlayers_, table_.listTable(), table_.keys(), table_.order());
}

void frmPlayerRatings::lsvPlayers_ColumnClick(int column) {
    table_.clickColumn(column);
    showTable();
}

QSize frmPlayerRatings::sizeHint() const {
    // Wide enough for every column, the frame's margins around the list included.
    const int content =
        twipsToPixelsX(this, SelectorLeft + ListRight) + fittedListWidth(lsvPlayers_);
    return {std::max(twipsToPixelsX(this, WindowWidth), content),
            twipsToPixelsY(this, WindowHeight)};
}

void frmPlayerRatings::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void frmPlayerRatings::relayout() {
    layoutListWindow(this, frame_, lsvPlayers_, ListTop, nullptr, cmdOK_, notice_);
}

} // namespace kvx
