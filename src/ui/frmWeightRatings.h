#pragma once

#include "document/league.h"
#include "ratings/ratings.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QSlider;

namespace kvx {

// "Weight Ratings": edits the rating scale in place, one position group at a time: the weight
// of each attribute and how many starters and backups count. Every change is written into the
// scale at once; there is no cancel.
class frmWeightRatings : public QDialog {
    Q_OBJECT

public:
    frmWeightRatings(RatingScale& scale, QWidget* parent = nullptr);

private:
    QHBoxLayout* buildSelectors();
    void addSliderRow(QGridLayout* sliders, int index);
    // Shows the stored values of the selected group and changes none of them.
    void cmbPosition_Click();
    void sliWeight_Change(int index, int value);
    void cmbDepthA_Click(int startersMinusOne);
    void cmbDepthB_Click(int backups);
    void showDepth();
    RatingScaleEntry& entry();

    RatingScale& scale_;
    QComboBox* cmbPosition_;
    QComboBox* cmbDepthA_;
    QComboBox* cmbDepthB_;
    std::array<QSlider*, AttributeCount> sliWeight_{};
    std::array<QLabel*, AttributeCount> lblAtt_{};
    std::array<QLabel*, AttributeCount> lblWeight_{};
};

} // namespace kvx
