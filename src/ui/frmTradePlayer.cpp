#include "ui/frmTradePlayer.h"

#include "document/tables.h"
#include "ui/document.h"
#include "ui/qtext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kvx {

frmTradePlayer::frmTradePlayer(const Document& document, QWidget* parent)
    : Picker(parent), document_(document) {
    nameWindow(this, "frmTradePlayer", "Trade Player");

    cmbTeams_ = new QComboBox(this);
    cmbTeams_->setObjectName(QStringLiteral("cmbTeams"));
    auto* lblTeams = new QLabel(QStringLiteral("Team:"), this);
    lblTeams->setBuddy(cmbTeams_);
    cmbPlayer_ = listBox(this, "cmbPlayer");
    auto* lblPlayer = new QLabel(QStringLiteral("Player:"), this);
    lblPlayer->setBuddy(cmbPlayer_);
    cmdOK_ = dialogButton(this, "OK", "cmdOK", true);
    auto* cmdCancel = dialogButton(this, "Cancel", "cmdCancel");

    auto* fields = new QGridLayout;
    fields->addWidget(lblTeams, 0, 0);
    fields->addWidget(cmbTeams_, 0, 1);
    fields->addWidget(lblPlayer, 1, 0, Qt::AlignTop);
    fields->addWidget(cmbPlayer_, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttonRow({cmdOK_, cmdCancel}));
    resize(340, 420);

    fillTeamList();

    connect(&document_, &Document::changed, this, &frmTradePlayer::documentChanged);
    connect(cmbTeams_, &QComboBox::currentIndexChanged, this, &frmTradePlayer::cmbTeams_Click);
    // OK hands back a slot only while a player is chosen.
    connect(cmbPlayer_, &QListWidget::currentRowChanged, this,
            [this](int row) { cmdOK_->setEnabled(row >= 0); });
    connect(cmbPlayer_, &QListWidget::itemActivated, this, &frmTradePlayer::cmdOK_Click);
    connect(cmdOK_, &QPushButton::clicked, this, &frmTradePlayer::cmdOK_Click);
    // Cancel, Escape and the window frame's close box all answer nothing.
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<PlayerPlace> frmTradePlayer::choose(const Document& document, QWidget* parent) {
    return runPicker<frmTradePlayer>(document, parent);
}

// Every team in document order; the entry chosen stays chosen while its team exists.
void frmTradePlayer::fillTeamList() {
    {
        const QSignalBlocker blocker(cmbTeams_);
        const int chosen = cmbTeams_->currentIndex();
        cmbTeams_->clear();
        for (int t = 0; t < document_.teamCount(); ++t)
            cmbTeams_->addItem(toQString(document_.team(t).displayName()), t);
        cmbTeams_->setCurrentIndex(chosen >= 0 && chosen < cmbTeams_->count() ? chosen : 0);
    }
    cmbTeams_Click();
}

void frmTradePlayer::documentChanged(const DocumentChange& change) {
    if (change.has(DocumentAspect::Whole) || change.has(DocumentAspect::TeamCount) ||
        change.has(DocumentAspect::TeamTexts))
        fillTeamList();
    else if (change.has(DocumentAspect::Players) && change.touches(chosenTeam()))
        cmbTeams_Click();
}

std::string frmTradePlayer::entryText(const PlayerRecord& player, int slot) {
    return player.LastName + ", " + player.FirstName + " (" + Slot_Label(slot) + ")";
}

int frmTradePlayer::chosenTeam() const {
    const QVariant entry = cmbTeams_->currentData();
    const int team = entry.isValid() ? entry.toInt() : -1;
    return team < document_.teamCount() ? team : -1;
}

// The chosen team's players in slot order; a slot is listed when it has a last name.
void frmTradePlayer::cmbTeams_Click() {
    cmbPlayer_->clear();
    const int team = chosenTeam();
    if (team >= 0)
        for (int slot = 0; slot < PlayerSlots; ++slot) {
            const PlayerRecord& player = document_.player(team, slot);
            if (!player.LastName.empty()) {
                auto* item = new QListWidgetItem(toQString(entryText(player, slot)), cmbPlayer_);
                item->setData(Qt::UserRole, slot);
            }
        }
    cmbPlayer_->setCurrentRow(cmbPlayer_->count() > 0 ? 0 : -1);
    cmdOK_->setEnabled(cmbPlayer_->currentRow() >= 0);
}

void frmTradePlayer::cmdOK_Click() {
    const int team = chosenTeam();
    const QListWidgetItem* item = cmbPlayer_->currentItem();
    if (team < 0 || !item)
        return;
    setAnswer(PlayerPlace{team, item->data(Qt::UserRole).toInt()});
    accept();
}

} // namespace kvx
