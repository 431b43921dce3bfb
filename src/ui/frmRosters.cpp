#include "ui/frmRosters.h"

#include "document/tables.h"
#include "ui/childwindow.h"
#include "ui/document.h"
#include "ui/frmChooseFace.h"
#include "ui/frmTradePlayer.h"
#include "ui/platform.h"
#include "ui/qtext.h"
#include "ui/rostergrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvx {

frmRosters::frmRosters(Document& document, Platform& platform, QWidget* parent)
    : QWidget(parent), document_(document), platform_(platform) {
    setObjectName(QStringLiteral("frmRosters"));
    setWindowTitle(QStringLiteral("Rosters"));
    buildControls();
    showFirstPage(true);

    connect(cmbPosition_, &QComboBox::currentIndexChanged, this, &frmRosters::cmbPosition_Click);
    connect(cmbTeams_, &QComboBox::currentIndexChanged, this, &frmRosters::cmbTeams_Click);
    connect(fraPlayers_, &RosterGrid::edited, this, &frmRosters::unstoredEditsChanged);
    // A keystroke that would make a number larger than 99 is refused, audibly.
    connect(fraPlayers_, &RosterGrid::numberRefused, this, [this] { platform_.beep(); });
    connect(&document_, &Document::changed, this, &frmRosters::documentChanged);
}

void frmRosters::buildControls() {
    auto* top = new QHBoxLayout;
    auto labelled = [this, top](const char* caption, const char* name) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        auto* list = new QComboBox(this);
        list->setObjectName(QString::fromLatin1(name));
        label->setBuddy(list);
        top->addWidget(label);
        top->addWidget(list);
        return list;
    };
    cmbTeams_ = labelled("Team:", "cmbTeams");
    cmbTeams_->setMinimumContentsLength(24);
    top->addSpacing(16);
    cmbPosition_ = labelled("Position:", "cmbPosition");
    for (const std::string_view label : GroupLabels)
        cmbPosition_->addItem(toQString(label));
    top->addStretch();

    fraPlayers_ = new RosterGrid(this);
    auto* body = new QHBoxLayout;
    body->addWidget(fraPlayers_, 1);
    body->addWidget(buildUpDown(), 0, Qt::AlignVCenter);

    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const char* caption, const char* name, const char* tip,
                                  void (frmRosters::*handler)()) {
        auto* push = new QPushButton(QString::fromLatin1(caption), this);
        push->setObjectName(QString::fromLatin1(name));
        push->setToolTip(QString::fromLatin1(tip));
        connect(push, &QPushButton::clicked, this, handler);
        buttons->addWidget(push);
    };
    button("Details", "cmdDetails", "Choose the selected player's face",
           &frmRosters::cmdDetails_Click);
    button("Trade", "cmdTrade", "Exchange the selected player with any player",
           &frmRosters::cmdTrade_Click);
    buttons->addStretch();
    button("OK", "cmdOK", "Store this page and close", &frmRosters::cmdOK_Click);

    // The rows stay at the top of a window taller than they need (maximised); the buttons
    // keep to the bottom.
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

// The spinner: one arrow up, one down, beside the rows it moves. Each arrow has its key, Alt
// with the arrow key, anywhere in the window.
QWidget* frmRosters::buildUpDown() {
    auto* upDown = new QWidget(this);
    upDown->setObjectName(QStringLiteral("UpDown1"));
    upDown->setAccessibleName(QStringLiteral("Move player"));
    auto* layout = new QVBoxLayout(upDown);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const int step : {-1, +1}) {
        QToolButton* arrow = buildMoveArrow(upDown, step < 0);
        layout->addWidget(arrow);
        connect(arrow, &QToolButton::clicked, this, [this, step] { UpDown1_Click(step); });
        const Qt::Key key = step < 0 ? Qt::Key_Up : Qt::Key_Down;
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step] { UpDown1_Click(step); });
    }
    return upDown;
}

// --- Pages ---------------------------------------------------------------------------------

void frmRosters::showFirstPage(bool store) {
    CurrentTeam = document_.teamCount() > 0 ? 0 : -1;
    CurrentPosition = -1;
    fillTeamList();
    {
        const QSignalBlocker blocker(cmbPosition_);
        cmbPosition_->setCurrentIndex(0);
    }
    cmbPosition_Click();
    // Opening stores the first page at once, as it is shown.
    if (store)
        Save_Information();
}

void frmRosters::fillTeamList() {
    const QSignalBlocker blocker(cmbTeams_);
    cmbTeams_->clear();
    // Each entry carries its team's index: two teams may show the same text.
    for (int t = 0; t < document_.teamCount(); ++t)
        cmbTeams_->addItem(toQString(document_.team(t).displayName()), t);
    cmbTeams_->setCurrentIndex(showsTeam() ? CurrentTeam : cmbTeams_->count() > 0 ? 0 : -1);
}

bool frmRosters::showsTeam() const {
    return CurrentTeam >= 0 && CurrentTeam < document_.teamCount();
}

bool frmRosters::showsPage() const {
    return showsTeam() && CurrentPosition >= 0;
}

RosterPage::Records frmRosters::storedPage() const {
    RosterPage::Records records;
    if (showsPage())
        for (int r = 0; r < Rows; ++r)
            records[static_cast<std::size_t>(r)] =
                document_.player(CurrentTeam, CurrentPosition * Rows + r);
    return records;
}

void frmRosters::cmbPosition_Click() {
    const int group = cmbPosition_->currentIndex();
    if (group < 0)
        return;
    Save_Information();
    fraPlayers_->showColumns(group);
    CurrentPosition = group;
    Update_Player_Display();
    fraPlayers_->selectRow(0);
}

void frmRosters::cmbTeams_Click() {
    // The list is refreshed on every change of the teams, but an index past the last team is
    // never taken.
    const QVariant entry = cmbTeams_->currentData();
    const int team = entry.isValid() ? entry.toInt() : -1;
    if (team < 0 || team >= document_.teamCount())
        return;
    Save_Information();
    CurrentTeam = team;
    Update_Player_Display();
    fraPlayers_->selectRow(0);
}

void frmRosters::Update_Player_Display() {
    fraPlayers_->showRecords(storedPage());
    emit unstoredEditsChanged();
}

void frmRosters::Save_Information() {
    if (!showsPage())
        return;
    fraPlayers_->settleAll();
    const auto page = fraPlayers_->page().records(storedPage());
    {
        const QScopedValueRollback<bool> storing(storing_, true);
        document_.storePlayers(CurrentTeam, CurrentPosition * Rows, page, tr(EditPlayersAction));
    }
    fraPlayers_->markStored();
    emit unstoredEditsChanged();
}

bool frmRosters::hasUnstoredEdits() const {
    return showsPage() && fraPlayers_->page().hasUnstoredEdits(storedPage());
}

void frmRosters::storeTyping() {
    if (hasUnstoredEdits())
        Save_Information();
}

int frmRosters::Selected_Radio() const {
    return fraPlayers_->selectedRow();
}

// --- Commands ------------------------------------------------------------------------------
//
// Moving, trading and a new face change the document at once. What was typed on the page is
// stored first, so that it is not lost; the document's change signal then redisplays the page.

void frmRosters::UpDown1_Click(int step) {
    const int row = Selected_Radio();
    const int target = row + step;
    if (target < 0 || target >= Rows) {
        platform_.beep();
        return;
    }
    if (!showsPage())
        return;
    storeTyping();
    const int first = CurrentPosition * Rows;
    document_.swapPlayers(CurrentTeam, first + row, CurrentTeam, first + target, tr("Move Player"));
    fraPlayers_->selectRow(target, true);
}

void frmRosters::cmdDetails_Click() {
    if (!showsPage())
        return;
    storeTyping();
    const int slot = CurrentPosition * Rows + Selected_Radio();
    const int face = document_.player(CurrentTeam, slot).Face;
    const std::optional<int> chosen = frmChooseFace::choose(face, this);
    // OK without a click hands the incoming face back: nothing to store, even when the id is
    // one the chooser has no picture for.
    if (chosen && *chosen != face && showsTeam())
        document_.setFace(CurrentTeam, slot, *chosen);
}

void frmRosters::cmdTrade_Click() {
    if (!showsPage())
        return;
    storeTyping();
    const int slot = CurrentPosition * Rows + Selected_Radio();
    const std::optional<PlayerPlace> partner = frmTradePlayer::choose(document_, this);
    if (partner && showsTeam())
        document_.swapPlayers(CurrentTeam, slot, partner->team, partner->slot, tr("Trade"));
}

void frmRosters::cmdOK_Click() {
    Save_Information();
    closeChildWindow(this);
}

// --- Following the document ----------------------------------------------------------------

void frmRosters::documentChanged(const DocumentChange& change) {
    if (storing_)
        return;
    if (document_.teamCount() == 0) {
        closeChildWindow(this);
        return;
    }
    // Another document, or the team shown is gone (an undone Define Teams): start over without
    // storing anything, as the page shown belongs to what is gone.
    if (change.has(DocumentAspect::Whole) || !showsTeam()) {
        showFirstPage(false);
        return;
    }
    if (change.has(DocumentAspect::TeamCount) || change.has(DocumentAspect::TeamTexts))
        fillTeamList();
    if (change.has(DocumentAspect::Players) && change.touches(CurrentTeam))
        Update_Player_Display();
}

} // namespace kvx
