#include "ui/frmDefineTeams.h"

#include "base/messages.h"
#include "ui/failure.h"
#include "ui/qtext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kvx {

namespace {

constexpr const char* Title = "Define Teams";
constexpr const char* NewTeamEntry = "-- New Team --";
constexpr int AbbreviationLength = 4;

QLineEdit* textBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    latin1Only(box);
    return box;
}

// A label that names its control, so that screen readers speak it with the control.
QLabel* labelFor(QWidget* control, const char* caption, const char* name) {
    auto* label = new QLabel(QString::fromLatin1(caption), control->parentWidget());
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(control);
    return label;
}

std::string sortKey(const QString& entry) {
    return toLowerAscii(fromQString(entry));
}

} // namespace

frmDefineTeams::frmDefineTeams(Document& document, Platform& platform, QWidget* parent)
    : QDialog(parent), document_(document), platform_(platform) {
    setObjectName(QStringLiteral("frmDefineTeams"));
    setWindowTitle(QString::fromLatin1(Title));

    cmbTeams_ = new QComboBox(this);
    cmbTeams_->setObjectName(QStringLiteral("cmbTeams"));
    txtCity_ = textBox(this, "txtCity");
    txtName_ = textBox(this, "txtName");
    txtAbbreviation_ = textBox(this, "txtAbbreviation");
    // Typing stops at four characters; a longer abbreviation the league already holds (SNES
    // III images, data files, CSV) is shown whole and kept unless the user shortens it, and the
    // limit then follows it down to four.
    connect(txtAbbreviation_, &QLineEdit::textEdited, this, [this](const QString& text) {
        txtAbbreviation_->setMaxLength(std::max(AbbreviationLength, static_cast<int>(text.size())));
    });
    txtSchedule_ = textBox(this, "txtSchedule");
    cmdApply_ = new QPushButton(QStringLiteral("Apply"), this);
    cmdApply_->setObjectName(QStringLiteral("cmdApply"));
    // Enter applies what was typed; OK would drop it.
    cmdApply_->setDefault(true);
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setAutoDefault(false);

    auto* fields = new QFormLayout;
    fields->addRow(labelFor(cmbTeams_, "Team:", "lblTeam"), cmbTeams_);
    fields->addRow(labelFor(txtCity_, "City:", "lblCity"), txtCity_);
    fields->addRow(labelFor(txtName_, "Name:", "lblName"), txtName_);
    fields->addRow(labelFor(txtAbbreviation_, "Abbreviation:", "lblAbbreviation"),
                   txtAbbreviation_);
    fields->addRow(labelFor(txtSchedule_, "Schedule Name:", "lblSchedule"), txtSchedule_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdApply_);
    buttons->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setTabOrder(cmbTeams_, txtCity_);
    setTabOrder(txtCity_, txtName_);
    setTabOrder(txtName_, txtAbbreviation_);
    setTabOrder(txtAbbreviation_, txtSchedule_);
    setTabOrder(txtSchedule_, cmdApply_);
    setTabOrder(cmdApply_, cmdOK_);
    resize(360, sizeHint().height());

    cmbTeams_->addItem(QString::fromLatin1(NewTeamEntry), -1);
    for (int t = 0; t < document_.teamCount(); ++t)
        insertEntry(t);
    cmbTeams_->setCurrentIndex(0);

    connect(cmbTeams_, &QComboBox::currentIndexChanged, this, &frmDefineTeams::cmbTeams_Click);
    connect(cmdApply_, &QPushButton::clicked, this, &frmDefineTeams::cmdApply_Click);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
}

void frmDefineTeams::insertEntry(int team) {
    const QString entry = toQString(document_.team(team).displayName());
    const std::string key = sortKey(entry);
    int at = 1;
    while (at < cmbTeams_->count() && sortKey(cmbTeams_->itemText(at)) <= key)
        ++at;
    cmbTeams_->insertItem(at, entry, team);
}

void frmDefineTeams::cmbTeams_Click() {
    // Each entry carries its own team's index, so that two teams showing the same text can
    // both be edited.
    const int index = cmbTeams_->currentIndex();
    SelectedTeam = index > 0 ? cmbTeams_->itemData(index).toInt() : -1;
    if (SelectedTeam < 0) {
        showTexts({});
        return;
    }
    const TeamRecord& team = document_.team(SelectedTeam);
    showTexts({team.City, team.Name, team.Abbreviation, team.ScheduleName});
}

void frmDefineTeams::showTexts(const TeamTexts& texts) {
    txtCity_->setText(toQString(texts.City));
    txtName_->setText(toQString(texts.Name));
    const QString abbreviation = toQString(texts.Abbreviation);
    txtAbbreviation_->setMaxLength(
        std::max(AbbreviationLength, static_cast<int>(abbreviation.size())));
    txtAbbreviation_->setText(abbreviation);
    txtSchedule_->setText(toQString(texts.ScheduleName));
}

TeamTexts frmDefineTeams::typedTexts() const {
    return {fromQString(txtCity_->text()), fromQString(txtName_->text()),
            fromQString(txtAbbreviation_->text()), fromQString(txtSchedule_->text())};
}

void frmDefineTeams::cmdApply_Click() {
    try {
        applyTexts();
    } catch (const std::exception& error) {
        platform_.messageBox(msg::ReadMeTitle, describeFailure(error), MessageIcon::Information);
    }
}

void frmDefineTeams::applyTexts() {
    const TeamTexts texts = typedTexts();
    if (const auto refused = teamTextsRefusal(document_.league(), texts, SelectedTeam)) {
        const bool exists = refused->reason == TeamTextsRefusal::TeamExists;
        platform_.messageBox(refused->title, refused->text,
                             exists ? MessageIcon::Exclamation : MessageIcon::Information);
        return;
    }
    if (SelectedTeam >= 0) {
        document_.setTeamTexts(SelectedTeam, texts);
        // The entry keeps its place in the list, even where the new name sorts elsewhere.
        cmbTeams_->setItemText(cmbTeams_->currentIndex(),
                               toQString(document_.team(SelectedTeam).displayName()));
        return;
    }
    insertEntry(document_.addTeam(texts));
    showTexts({});
    txtCity_->setFocus();
}

} // namespace kvx
