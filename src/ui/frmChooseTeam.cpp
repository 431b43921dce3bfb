#include "ui/frmChooseTeam.h"

#include "ui/qtplatform.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kvx {

namespace {

constexpr const char* NoChangeEntry = "-- No Change --";

} // namespace

frmChooseTeam::frmChooseTeam(const League& league, QWidget* parent)
    : Picker(parent), league_(league) {
    nameWindow(this, "frmChooseTeam", "Select a Team");
    lstTeams_ = listBox(this, "lstTeams", QStringLiteral("Teams"));
    auto* cmdOK = dialogButton(this, "OK", "cmdOK", true);
    auto* cmdCancel = dialogButton(this, "Cancel", "cmdCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstTeams_);
    layout->addLayout(buttonRow({cmdOK, cmdCancel}));
    resize(300, 360);

    // Alphabetical without regard to case, "-- No Change --" always first.
    std::vector<int> order;
    for (int t = 0; t < league_.teamCount(); ++t)
        order.push_back(t);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return toLowerAscii(displayName(a)) < toLowerAscii(displayName(b));
    });
    lstTeams_->addItem(QString::fromLatin1(NoChangeEntry));
    for (const int t : order) {
        auto* item = new QListWidgetItem(toQString(displayName(t)), lstTeams_);
        item->setData(Qt::UserRole, t);
    }
    lstTeams_->setCurrentRow(0);

    connect(cmdOK, &QPushButton::clicked, this, &frmChooseTeam::cmdOK_Click);
    connect(lstTeams_, &QListWidget::itemDoubleClicked, this, &frmChooseTeam::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<TeamChoice> frmChooseTeam::choose(const League& league, QWidget* parent) {
    return runPicker<frmChooseTeam>(league, parent);
}

std::string frmChooseTeam::displayName(int team) const {
    return league_.team(team).displayName();
}

void frmChooseTeam::cmdOK_Click() {
    const int row = lstTeams_->currentRow();
    if (row < 0)
        return;
    // The entry's own team: two teams may show the same text.
    setAnswer(row == 0 ? TeamChoice{}
                       : TeamChoice{lstTeams_->item(row)->data(Qt::UserRole).toInt()});
    accept();
}

} // namespace kvx
