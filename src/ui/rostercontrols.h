#pragma once

#include "document/league.h"

#include <QString>

#include <array>

class QColor;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class QWidget;

namespace kvx {

// The controls of one row of the rosters editor's grid, with the names tests and screen readers
// find them by: radPlayer_r, txtNumber_r, txtFirstName_r, txtLastName_r and cmbAtt_c for the
// eleven attribute boxes c = r × 11 + attribute ("Row 1 first name", "Row 1 RS", ...).
struct RosterRowControls {
    QRadioButton* radio = nullptr;
    QLineEdit* number = nullptr;
    QLineEdit* firstName = nullptr;
    QLineEdit* lastName = nullptr;
    std::array<QComboBox*, AttributeCount> attributes{};

    // The number, name and attribute boxes, in the order Tab runs through them.
    std::array<QWidget*, 3 + AttributeCount> boxes() const;
};

// How a row's control is spoken: rows are counted as the depth chart counts them, from 1.
QString rowName(int row, const QString& what);

// The captions over the grid's columns; the attribute captions are returned for the groups
// to fill (the first six are the same in every group and filled here).
std::array<QLabel*, AttributeCount> buildRosterHeader(QGridLayout* grid);

// Builds one row of the grid (row 0 in grid row 1) with its controls empty and its attribute
// boxes disabled. A hidden attribute column keeps its place.
RosterRowControls buildRosterRow(QGridLayout* grid, int row);

// One arrow of the spinner that moves a player.
QToolButton* buildMoveArrow(QWidget* parent, bool up);

// The background of a row's number, name and attribute boxes.
void paintRow(const RosterRowControls& row, const QColor& colour);

} // namespace kvx
