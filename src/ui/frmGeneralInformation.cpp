#include "ui/frmGeneralInformation.h"

#include "ui/childwindow.h"
#include "ui/qtext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvx {

namespace {

constexpr int Months = 12;
constexpr int Days = 31;
constexpr int YearLength = 4;

QComboBox* numberList(QWidget* parent, const char* name, const char* spoken, int last) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(QString::fromLatin1(spoken));
    for (int n = 1; n <= last; ++n)
        list->addItem(QString::number(n));
    return list;
}

// The entry of a 1-based value, or none for a value the list does not hold (a data file may
// carry any number there).
int entryOf(int value, int last) {
    return value >= 1 && value <= last ? value - 1 : -1;
}

} // namespace

frmGeneralInformation::frmGeneralInformation(Document& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName(QStringLiteral("frmGeneralInformation"));
    setWindowTitle(QStringLiteral("General Information"));

    txtYear_ = new QLineEdit(QStringLiteral("1999"), this);
    txtYear_->setObjectName(QStringLiteral("txtYear"));
    txtYear_->setAccessibleName(QStringLiteral("Roster date year"));
    txtYear_->setMaxLength(YearLength);
    latin1Only(txtYear_);
    cmbMonth_ = numberList(this, "cmbMonth", "Roster date month", Months);
    cmbDay_ = numberList(this, "cmbDay", "Roster date day", Days);
    txtCredits_ = new QLineEdit(this);
    txtCredits_->setObjectName(QStringLiteral("txtCredits"));
    latin1Only(txtCredits_);
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));

    auto* lblRosterDate = new QLabel(QStringLiteral("Roster Date:"), this);
    lblRosterDate->setObjectName(QStringLiteral("lblRosterDate"));
    lblRosterDate->setBuddy(txtYear_);
    auto* lblCredits = new QLabel(QStringLiteral("Credits:"), this);
    lblCredits->setObjectName(QStringLiteral("lblCredits"));
    lblCredits->setBuddy(txtCredits_);

    auto* date = new QHBoxLayout;
    date->addWidget(txtYear_);
    date->addWidget(cmbMonth_);
    date->addWidget(cmbDay_);
    date->addStretch();
    auto* fields = new QGridLayout;
    fields->addWidget(lblRosterDate, 0, 0);
    fields->addLayout(date, 0, 1);
    fields->addWidget(lblCredits, 1, 0);
    fields->addWidget(txtCredits_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    txtYear_->setMaximumWidth(txtYear_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                              16);
    // Room for a credits line as long as the images' own.
    txtCredits_->setMinimumWidth(txtCredits_->fontMetrics().averageCharWidth() * 36);
    setTabOrder(txtYear_, cmbMonth_);
    setTabOrder(cmbMonth_, cmbDay_);
    setTabOrder(cmbDay_, txtCredits_);
    setTabOrder(txtCredits_, cmdOK_);

    // The year is kept trimmed and padded to four; an edit only where that changes its bytes.
    GeneralInfoRecord info = document_.league().GeneralInfo;
    info.Year = fittedYear(trimSpaces(info.Year));
    document_.setGeneralInfo(info);
    showInformation();

    connect(cmdOK_, &QPushButton::clicked, this, &frmGeneralInformation::cmdOK_Click);
    connect(&document_, &Document::changed, this, &frmGeneralInformation::documentChanged);
}

void frmGeneralInformation::showInformation() {
    const GeneralInfoRecord& info = document_.league().GeneralInfo;
    txtYear_->setText(toQString(trimSpaces(info.Year)));
    txtCredits_->setText(toQString(trimSpaces(info.Credits)));
    cmbMonth_->setCurrentIndex(entryOf(info.Month, Months));
    cmbDay_->setCurrentIndex(entryOf(info.Day, Days));
}

void frmGeneralInformation::documentChanged(const DocumentChange& change) {
    // Another document, or an undone edit: what the window shows would belong to nothing.
    if (change.has(DocumentAspect::Whole) || change.has(DocumentAspect::GeneralInfo))
        showInformation();
}

void frmGeneralInformation::Save_Information() {
    GeneralInfoRecord info = document_.league().GeneralInfo;
    info.Year = fittedYear(fromQString(txtYear_->text()));
    info.Credits = fromQString(txtCredits_->text());
    // A list without selection keeps the stored value, whatever it is.
    if (cmbMonth_->currentIndex() >= 0)
        info.Month = static_cast<std::int16_t>(cmbMonth_->currentIndex() + 1);
    if (cmbDay_->currentIndex() >= 0)
        info.Day = static_cast<std::int16_t>(cmbDay_->currentIndex() + 1);
    document_.setGeneralInfo(info);
}

void frmGeneralInformation::cmdOK_Click() {
    Save_Information();
    closeChildWindow(this);
}

} // namespace kvx
