#pragma once

#include "document/league.h"
#include "document/slotassignment.h"
#include "ui/dialogparts.h"
#include "ui/exportplan.h"

#include <array>
#include <optional>
#include <vector>

class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kvx {

// "Export Data": the wizard that places the league's teams into the 30 division slots of one
// edition, five slots (one division) per page. Beside each slot's original name it shows the team
// the image holds there now. It changes nothing itself: after Finish it answers the plan (what
// the teams' RomSlot for that edition become and how the export is to be written), and nothing
// when it was closed any other way.
class frmExportData : public Picker<ExportPlan> {
    Q_OBJECT

public:
    static constexpr int Rows = SlotAssignment::Rows;
    static constexpr int Pages = SlotAssignment::Pages;

    frmExportData(const League& league, Edition romEdition, QWidget* parent = nullptr);
    frmExportData(const League& league, const ExportWizardInput& input, QWidget* parent = nullptr);

    // Runs the wizard and answers the plan Finish left, or nothing.
    static std::optional<ExportPlan> choose(const League& league, const ExportWizardInput& input,
                                            QWidget* parent);
    int page() const { return Page; }
    // Team index chosen for division slot 0..29; -1 = no change.
    int assignment(int slot) const { return Assignment.team(slot); }
    // RomSlot of the wizard's edition for every team, as Finish chose them.
    std::vector<std::int16_t> finishedSlots() const;
    // The slots, and the choices below them, as Finish left them.
    ExportPlan plan() const;

private:
    void Refresh_Page();
    void cmdChangeTeam_Click(int row);
    void cmdAuto_Click();
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdFinish_Click();
    QString teamCaption(int slot) const;
    void buildHeading();
    QGridLayout* buildRows();
    void buildRow(QGridLayout* rows, int row, bool showImage);
    QLayout* buildChoices();
    QHBoxLayout* buildButtons();

    const League& league_;
    const Edition romEdition_;
    const ImageSlotTeams imageTeams_;
    SlotAssignment Assignment;
    int Page = 0;

    QLabel* lblDivision_;
    std::array<QLabel*, Rows> lblOriginalTeam_{};
    std::array<QLabel*, Rows> lblImageTeam_{};
    std::array<QPushButton*, Rows> cmdChangeTeam_{};
    QRadioButton* radWriteImage_;
    QRadioButton* radSavePatch_;
    QCheckBox* chkFixChecksum_;
    QPushButton* cmdBack_;
    QPushButton* cmdNext_;
    QPushButton* cmdFinish_;
    QPushButton* cmdAuto_;
};

} // namespace kvx
