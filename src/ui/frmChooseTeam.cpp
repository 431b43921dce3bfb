#include "ui/frmChooseTeam.h"

#include "ui/qtplatform.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kvx {

namespace {

constexpr const char* NoChangeEntry = "-- No Change --";

} // namespace

frmChooseTeam::frmChooseTeam(const League& league, QWidget* parent)
    : QDialog(parent), league_(league) {
    setObjectName(QStringLiteral("frmChooseTeam"));
    setWindowTitle(QStringLiteral("Select a Team"));

    lstTeams_ = new QListWidget(this);
    lstTeams_->setObjectName(QStringLiteral("lstTeams"));
    lstTeams_->setAccessibleName(QStringLiteral("Teams"));
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstTeams_);
    layout->addLayout(buttons);
    resize(300, 360);

    // Alphabetical without regard to case, "-- No Change --" always first.
    std::vector<int> order;
    for (int t = 0; t < league_.TeamCount; ++t)
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

    connect(cmdOK_, &QPushButton::clicked, this, &frmChooseTeam::cmdOK_Click);
    connect(lstTeams_, &QListWidget::itemDoubleClicked, this, &frmChooseTeam::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

std::string frmChooseTeam::displayName(int team) const {
    return league_.team(team).displayName();
}

void frmChooseTeam::cmdOK_Click() {
    const int row = lstTeams_->currentRow();
    if (row < 0)
        return;
    if (row == 0) {
        result_ = NoChange;
    } else {
        // The entry's own team: two teams may show the same text.
        result_ = lstTeams_->item(row)->data(Qt::UserRole).toInt();
    }
    accept();
}

} // namespace kvx
