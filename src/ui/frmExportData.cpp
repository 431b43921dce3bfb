#include "ui/frmExportData.h"

#include "document/tables.h"
#include "ui/frmChooseTeam.h"
#include "ui/qtplatform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kvx {

namespace {

constexpr const char* NoChangeCaption = "No Change";

QString indexedName(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

QPushButton* namedButton(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmExportData::frmExportData(const League& league, Edition romEdition, QWidget* parent)
    : frmExportData(league, ExportWizardInput{romEdition, {}, false}, parent) {}

frmExportData::frmExportData(const League& league, const ExportWizardInput& input, QWidget* parent)
    : Picker(parent), league_(league), romEdition_(input.edition), imageTeams_(input.imageTeams),
      Assignment(league, input.edition) {
    nameWindow(this, "frmExportData", "Export Data");
    buildHeading();
    QGridLayout* rows = buildRows();
    // Built in this order so that Tab goes from the buttons to the choices, as it always has.
    QHBoxLayout* buttons = buildButtons();
    QLayout* choices = buildChoices();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblDivision_);
    layout->addSpacing(8);
    layout->addLayout(rows);
    layout->addSpacing(12);
    layout->addStretch();
    layout->addLayout(choices);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    chkFixChecksum_->setChecked(input.fixChecksum);

    Refresh_Page();
}

std::optional<ExportPlan> frmExportData::choose(const League& league,
                                                const ExportWizardInput& input, QWidget* parent) {
    return runPicker<frmExportData>(league, input, parent);
}

void frmExportData::buildHeading() {
    lblDivision_ = new QLabel(QStringLiteral("AFC EAST"), this);
    lblDivision_->setObjectName(QStringLiteral("lblDivision"));
    QFont divisionFont = lblDivision_->font();
    divisionFont.setBold(true);
    divisionFont.setPointSizeF(divisionFont.pointSizeF() * 1.4);
    lblDivision_->setFont(divisionFont);
}

// The column headings and one row per slot of the page.
QGridLayout* frmExportData::buildRows() {
    auto* heading = new QLabel(QStringLiteral("Original Team"), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(16);
    // The image's teams are shown only when they were read (a wizard opened on an image).
    const bool showImage = std::any_of(imageTeams_.begin(), imageTeams_.end(),
                                       [](const SlotTeam& t) { return !t.empty(); });
    auto* imageHeading = new QLabel(QStringLiteral("In the Image Now"), this);
    imageHeading->setObjectName(QStringLiteral("lblImageHeading"));
    imageHeading->setFont(headingFont);
    imageHeading->setVisible(showImage);
    rows->addWidget(heading, 0, 0);
    rows->addWidget(imageHeading, 0, 1);
    for (int r = 0; r < Rows; ++r)
        buildRow(rows, r, showImage);
    rows->setColumnStretch(2, 1);
    return rows;
}

void frmExportData::buildRow(QGridLayout* rows, int r, bool showImage) {
    auto* label = new QLabel(this);
    label->setObjectName(indexedName("lblOriginalTeam", r));
    label->setMinimumWidth(180);
    auto* now = new QLabel(this);
    now->setObjectName(indexedName("lblImageTeam", r));
    now->setMinimumWidth(180);
    now->setVisible(showImage);
    lblImageTeam_[static_cast<std::size_t>(r)] = now;
    rows->addWidget(now, r + 1, 1);
    auto* button = new QPushButton(QString::fromLatin1(NoChangeCaption), this);
    button->setObjectName(indexedName("cmdChangeTeam", r));
    button->setAutoDefault(false);
    button->setMinimumWidth(220);
    rows->addWidget(label, r + 1, 0);
    rows->addWidget(button, r + 1, 2);
    lblOriginalTeam_[static_cast<std::size_t>(r)] = label;
    cmdChangeTeam_[static_cast<std::size_t>(r)] = button;
    connect(button, &QPushButton::clicked, this, [this, r] { cmdChangeTeam_Click(r); });
}

QHBoxLayout* frmExportData::buildButtons() {
    cmdBack_ = namedButton("< Back", "cmdBack", this);
    cmdBack_->setEnabled(false);
    cmdNext_ = namedButton("Next >", "cmdNext", this);
    cmdFinish_ = namedButton("Finish", "cmdFinish", this);
    cmdAuto_ = namedButton("Auto", "cmdAuto", this);
    // Closing the wizard any other way than Finish cancels the export; say so on a button too.
    auto* cmdCancel = namedButton("Cancel", "cmdCancel", this);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdBack_, &QPushButton::clicked, this, &frmExportData::cmdBack_Click);
    connect(cmdNext_, &QPushButton::clicked, this, &frmExportData::cmdNext_Click);
    connect(cmdFinish_, &QPushButton::clicked, this, &frmExportData::cmdFinish_Click);
    connect(cmdAuto_, &QPushButton::clicked, this, &frmExportData::cmdAuto_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAuto_);
    buttons->addStretch();
    buttons->addWidget(cmdBack_);
    buttons->addWidget(cmdNext_);
    buttons->addSpacing(12);
    buttons->addWidget(cmdFinish_);
    buttons->addWidget(cmdCancel);
    return buttons;
}

// What Finish does, shown on every page since Finish can be pressed on any of them.
QLayout* frmExportData::buildChoices() {
    radWriteImage_ = new QRadioButton(QStringLiteral("Write into the image"), this);
    radWriteImage_->setObjectName(QStringLiteral("radWriteImage"));
    radWriteImage_->setAccessibleName(radWriteImage_->text());
    radWriteImage_->setChecked(true);
    radSavePatch_ = new QRadioButton(QStringLiteral("Save as a patch..."), this);
    radSavePatch_->setObjectName(QStringLiteral("radSavePatch"));
    radSavePatch_->setAccessibleName(QStringLiteral("Save as a patch"));
    auto* group = new QButtonGroup(this);
    group->addButton(radWriteImage_);
    group->addButton(radSavePatch_);
    chkFixChecksum_ = new QCheckBox(QStringLiteral("Correct the header checksum"), this);
    chkFixChecksum_->setObjectName(QStringLiteral("chkFixChecksum"));
    chkFixChecksum_->setAccessibleName(chkFixChecksum_->text());

    auto* choices = new QHBoxLayout;
    choices->addWidget(radWriteImage_);
    choices->addWidget(radSavePatch_);
    choices->addSpacing(16);
    choices->addWidget(chkFixChecksum_);
    choices->addStretch();
    return choices;
}

QString frmExportData::teamCaption(int slot) const {
    const int team = Assignment.team(slot);
    if (team < 0)
        return QString::fromLatin1(NoChangeCaption);
    return toQString(league_.team(team).displayName());
}

void frmExportData::Refresh_Page() {
    lblDivision_->setText(QString::fromLatin1(DivisionNames[static_cast<std::size_t>(Page)]));
    for (int r = 0; r < Rows; ++r) {
        const int slot = Page * Rows + r;
        const std::string_view original = DefaultTeamNames(romEdition_, slot);
        lblOriginalTeam_[static_cast<std::size_t>(r)]->setText(toQString(std::string(original)));
        const SlotTeam& now = imageTeams_[static_cast<std::size_t>(slot)];
        QLabel* nowLabel = lblImageTeam_[static_cast<std::size_t>(r)];
        nowLabel->setText(now.empty() ? QString() : toQString(now.displayName()));
        nowLabel->setAccessibleName(
            QStringLiteral("Row %1 in the image now: %2").arg(r + 1).arg(nowLabel->text()));
        cmdChangeTeam_[static_cast<std::size_t>(r)]->setText(teamCaption(slot));
    }
}

void frmExportData::cmdChangeTeam_Click(int row) {
    const std::optional<TeamChoice> chosen = frmChooseTeam::choose(league_, this);
    if (!chosen)
        return;
    Assignment.assign(Page * Rows + row, chosen->team.value_or(-1));
    cmdChangeTeam_[static_cast<std::size_t>(row)]->setText(teamCaption(Page * Rows + row));
}

void frmExportData::cmdAuto_Click() {
    Assignment.autoMatch(league_, Page, &imageTeams_);
    Refresh_Page();
}

void frmExportData::cmdNext_Click() {
    if (Page >= Pages - 1)
        return;
    ++Page;
    cmdBack_->setEnabled(true);
    Refresh_Page();
    if (Page == Pages - 1)
        cmdNext_->setEnabled(false);
}

void frmExportData::cmdBack_Click() {
    if (Page <= 0)
        return;
    --Page;
    Refresh_Page();
    cmdNext_->setEnabled(true);
    if (Page == 0)
        cmdBack_->setEnabled(false);
}

std::vector<std::int16_t> frmExportData::finishedSlots() const {
    return Assignment.finishedSlots(league_.teamCount());
}

ExportPlan frmExportData::plan() const {
    return ExportPlan{finishedSlots(), radSavePatch_->isChecked(), chkFixChecksum_->isChecked()};
}

void frmExportData::cmdFinish_Click() {
    setAnswer(plan());
    accept();
}

} // namespace kvx
