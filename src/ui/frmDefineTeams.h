#pragma once

#include "ui/document.h"
#include "ui/platform.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kvx {

// "Define Teams": renames the league's teams and adds new ones, through the document's owner.
// Nothing is stored until Apply; OK closes and drops what was typed since.
class frmDefineTeams : public QDialog {
    Q_OBJECT

public:
    frmDefineTeams(Document& document, Platform& platform, QWidget* parent = nullptr);

    // The team whose texts the boxes show; -1 while "-- New Team --" is selected.
    int selectedTeam() const { return SelectedTeam; }

private:
    void cmbTeams_Click();
    void cmdApply_Click();
    void applyTexts();
    TeamTexts typedTexts() const;
    void showTexts(const TeamTexts& texts);
    // Adds the list entry of `team` at its alphabetical place among the teams' entries.
    void insertEntry(int team);

    Document& document_;
    Platform& platform_;
    int SelectedTeam = -1;

    QComboBox* cmbTeams_;
    QLineEdit* txtCity_;
    QLineEdit* txtName_;
    QLineEdit* txtAbbreviation_;
    QLineEdit* txtSchedule_;
    QPushButton* cmdApply_;
    QPushButton* cmdOK_;
};

} // namespace kvx
