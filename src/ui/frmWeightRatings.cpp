#include "ui/frmWeightRatings.h"

#include "document/tables.h"
#include "ui/qtext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace kvx {

namespace {

constexpr int SharedAttributes = 6; // sliders 0..5 in the left column, 6..10 in the right
constexpr int TopWeight = 15;

QString indexedName(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

QComboBox* dropDown(const char* name, int first, int last, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (int n = first; n <= last; ++n)
        list->addItem(QString::number(n));
    return list;
}

// An entry outside the list (a loaded file may hold any count) shows as no entry.
void showEntry(QComboBox* list, int index) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

} // namespace

frmWeightRatings::frmWeightRatings(RatingScale& scale, QWidget* parent)
    : QDialog(parent), scale_(scale) {
    setObjectName(QStringLiteral("frmWeightRatings"));
    setWindowTitle(QStringLiteral("Weight Ratings"));

    // Built in the order Tab runs through them.
    QHBoxLayout* selectors = buildSelectors();
    auto* sliders = new QGridLayout;
    sliders->setHorizontalSpacing(8);
    sliders->setColumnMinimumWidth(3, 24);
    for (int i = 0; i < AttributeCount; ++i)
        addSliderRow(sliders, i);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(selectors);
    layout->addSpacing(8);
    layout->addLayout(sliders);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(cmbPosition_, &QComboBox::currentIndexChanged, this,
            &frmWeightRatings::cmbPosition_Click);
    // Only the user's own pick applies the depth rule; showing a group's values does not.
    connect(cmbDepthA_, &QComboBox::activated, this, &frmWeightRatings::cmbDepthA_Click);
    connect(cmbDepthB_, &QComboBox::activated, this, &frmWeightRatings::cmbDepthB_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    cmbPosition_Click();
}

QHBoxLayout* frmWeightRatings::buildSelectors() {
    auto* positionLabel = new QLabel(QStringLiteral("Position:"), this);
    positionLabel->setObjectName(QStringLiteral("lblPosition"));
    cmbPosition_ = new QComboBox(this);
    cmbPosition_->setObjectName(QStringLiteral("cmbPosition"));
    for (const std::string_view group : GroupLabels)
        cmbPosition_->addItem(toQString(group));
    positionLabel->setBuddy(cmbPosition_);

    auto* depthLabel = new QLabel(QStringLiteral("Depth:"), this);
    depthLabel->setObjectName(QStringLiteral("lblDepth"));
    cmbDepthA_ = dropDown("cmbDepthA", 1, DepthPlaces, this);
    cmbDepthA_->setAccessibleName(QStringLiteral("Starters"));
    depthLabel->setBuddy(cmbDepthA_);
    auto* dash = new QLabel(QStringLiteral("-"), this);
    dash->setObjectName(QStringLiteral("lblDash"));
    cmbDepthB_ = dropDown("cmbDepthB", 0, DepthPlaces - 1, this);
    cmbDepthB_->setAccessibleName(QStringLiteral("Backups"));
    // Some platforms speak a drop-down list by its label only: the dash labels the backups.
    dash->setAccessibleName(cmbDepthB_->accessibleName());
    dash->setBuddy(cmbDepthB_);

    auto* selectors = new QHBoxLayout;
    selectors->addWidget(positionLabel);
    selectors->addWidget(cmbPosition_);
    selectors->addSpacing(24);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{depthLabel, cmbDepthA_, dash, cmbDepthB_})
        selectors->addWidget(widget);
    selectors->addStretch();
    return selectors;
}

// One attribute's label, slider and value; attributes 0..5 in the left column, 6..10 in the
// right.
void frmWeightRatings::addSliderRow(QGridLayout* sliders, int i) {
    const auto at = static_cast<std::size_t>(i);
    auto* label = new QLabel(this);
    label->setObjectName(indexedName("lblAtt", i));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("MMM")));
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(indexedName("sliWeight", i));
    slider->setRange(0, TopWeight);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setMinimumWidth(160);
    label->setBuddy(slider);
    // The number the slider sets, which a bare slider does not show.
    auto* value = new QLabel(this);
    value->setObjectName(indexedName("lblWeight", i));
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int row = i < SharedAttributes ? i : i - SharedAttributes;
    const int column = i < SharedAttributes ? 0 : 4;
    sliders->addWidget(label, row, column);
    sliders->addWidget(slider, row, column + 1);
    sliders->addWidget(value, row, column + 2);
    lblAtt_[at] = label;
    sliWeight_[at] = slider;
    lblWeight_[at] = value;
    connect(slider, &QSlider::valueChanged, this,
            [this, i](int weight) { sliWeight_Change(i, weight); });
    // The right column keeps its place when a group hides some of its sliders.
    for (QWidget* widget : {static_cast<QWidget*>(slider), static_cast<QWidget*>(value)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    if (i < SharedAttributes) {
        label->setText(toQString(CommonAttributeAbbreviations[at]));
        label->setToolTip(toQString(CommonAttributeNames[at]));
        slider->setAccessibleName(QStringLiteral("Weight ") + label->text());
        slider->setAccessibleDescription(label->toolTip());
    }
}

RatingScaleEntry& frmWeightRatings::entry() {
    return scale_[static_cast<std::size_t>(std::max(0, cmbPosition_->currentIndex()))];
}

void frmWeightRatings::cmbPosition_Click() {
    const int group = std::max(0, cmbPosition_->currentIndex());
    const RatingScaleEntry& shown = entry();
    for (int i = 0; i < AttributeCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (i >= SharedAttributes) {
            const std::string_view abbreviation =
                AttributeNames(group, i - SharedAttributes, Abbreviation);
            lblAtt_[at]->setText(toQString(abbreviation));
            lblAtt_[at]->setToolTip(
                toQString(AttributeNames(group, i - SharedAttributes, FullName)));
            sliWeight_[at]->setAccessibleName(QStringLiteral("Weight ") + lblAtt_[at]->text());
            sliWeight_[at]->setAccessibleDescription(lblAtt_[at]->toolTip());
            // A hidden slider's weight is kept, and still counts in the ratings.
            sliWeight_[at]->setVisible(!abbreviation.empty());
            lblWeight_[at]->setVisible(!abbreviation.empty());
        }
        // A weight outside the slider's range (from a loaded file) is shown as stored beside
        // the slider and left as it is until the user moves the slider.
        const QSignalBlocker quiet(sliWeight_[at]);
        sliWeight_[at]->setValue(shown.Weights[at]);
        lblWeight_[at]->setText(QString::number(shown.Weights[at]));
    }
    showDepth();
}

void frmWeightRatings::showDepth() {
    showEntry(cmbDepthA_, entry().StartersMinusOne);
    showEntry(cmbDepthB_, entry().Backups);
}

void frmWeightRatings::sliWeight_Change(int index, int value) {
    entry().Weights[static_cast<std::size_t>(index)] = static_cast<std::int16_t>(value);
    lblWeight_[static_cast<std::size_t>(index)]->setText(QString::number(value));
}

void frmWeightRatings::cmbDepthA_Click(int startersMinusOne) {
    pickStarters(entry(), startersMinusOne);
    showDepth();
}

void frmWeightRatings::cmbDepthB_Click(int backups) {
    pickBackups(entry(), backups);
    showDepth();
}

} // namespace kvx
