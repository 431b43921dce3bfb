#include "ui/rostercontrols.h"

#include "document/rosterpage.h"
#include "document/tables.h"
#include "document/typedvalues.h"
#include "ui/attributebox.h"
#include "ui/qtext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QValidator>

namespace kvx {

namespace {

// Grid columns: the row button, "#", "First Name", "Last Name", then the eleven attributes.
constexpr int FirstAttributeColumn = 4;

// A jersey number box refuses a keystroke that would make the number one the images cannot
// store.
class JerseyNumberValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        return isJerseyNumber(fromQString(input)) ? Acceptable : Invalid;
    }
};

QLineEdit* rowText(QGridLayout* grid, int row, int column, const char* name, const char* spoken) {
    auto* box = new QLineEdit(grid->parentWidget());
    box->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(row));
    box->setAccessibleName(rowName(row, QString::fromLatin1(spoken)));
    grid->addWidget(box, row + 1, column);
    return box;
}

QComboBox* attributeBox(QGridLayout* grid, int row, int attribute) {
    auto* box = new AttributeBox(grid->parentWidget());
    box->setObjectName(QStringLiteral("cmbAtt_%1").arg(row * AttributeCount + attribute));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Typed values follow their own rule when the box is left; completing "1" to "13" as it is
    // typed would defeat it.
    box->setCompleter(nullptr);
    for (int level = 0; level < static_cast<int>(AttributeScale.size()); ++level)
        box->addItem(QString::fromStdString(RosterPage::levelText(level)));
    box->setCurrentIndex(-1);
    box->setEnabled(false);
    // Wide enough for two digits beside the arrow, so that all eleven columns fit.
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 30);
    QSizePolicy policy = box->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    box->setSizePolicy(policy);
    grid->addWidget(box, row + 1, FirstAttributeColumn + attribute);
    return box;
}

} // namespace

std::array<QWidget*, 3 + AttributeCount> RosterRowControls::boxes() const {
    std::array<QWidget*, 3 + AttributeCount> all{number, firstName, lastName};
    std::copy(attributes.begin(), attributes.end(), all.begin() + 3);
    return all;
}

QString rowName(int row, const QString& what) {
    return QStringLiteral("Row %1 %2").arg(row + 1).arg(what);
}

std::array<QLabel*, AttributeCount> buildRosterHeader(QGridLayout* grid) {
    auto header = [grid](const QString& caption, int column, Qt::Alignment alignment) {
        auto* label = new QLabel(caption, grid->parentWidget());
        label->setAlignment(alignment | Qt::AlignBottom);
        grid->addWidget(label, 0, column);
        return label;
    };
    header(QStringLiteral("#"), 1, Qt::AlignHCenter);
    header(QStringLiteral("First Name"), 2, Qt::AlignLeft);
    header(QStringLiteral("Last Name"), 3, Qt::AlignLeft);
    std::array<QLabel*, AttributeCount> labels{};
    for (std::size_t j = 0; j < labels.size(); ++j) {
        QLabel* label =
            header(QString(), FirstAttributeColumn + static_cast<int>(j), Qt::AlignHCenter);
        label->setObjectName(QStringLiteral("lblAtt_%1").arg(j));
        if (j < CommonAttributeAbbreviations.size()) {
            label->setText(toQString(CommonAttributeAbbreviations[j]));
            label->setToolTip(toQString(CommonAttributeNames[j]));
        }
        labels[j] = label;
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    return labels;
}

RosterRowControls buildRosterRow(QGridLayout* grid, int row) {
    RosterRowControls controls;
    controls.radio = new QRadioButton(grid->parentWidget());
    controls.radio->setObjectName(QStringLiteral("radPlayer_%1").arg(row));
    controls.radio->setAccessibleName(QStringLiteral("Row %1").arg(row + 1));
    grid->addWidget(controls.radio, row + 1, 0);

    QLineEdit* number = rowText(grid, row, 1, "txtNumber", "number");
    number->setToolTip(QStringLiteral("Jersey number, 0 to 99"));
    number->setValidator(new JerseyNumberValidator(number));
    number->setAlignment(Qt::AlignRight);
    number->setFixedWidth(number->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    controls.number = number;
    controls.firstName = rowText(grid, row, 2, "txtFirstName", "first name");
    controls.firstName->setMinimumWidth(100);
    controls.lastName = rowText(grid, row, 3, "txtLastName", "last name");
    controls.lastName->setMinimumWidth(110);
    for (QLineEdit* name : {controls.firstName, controls.lastName}) {
        // The name columns take the room the window gives them, from a compact start.
        name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        latin1Only(name);
    }
    for (int j = 0; j < AttributeCount; ++j)
        controls.attributes[static_cast<std::size_t>(j)] = attributeBox(grid, row, j);
    return controls;
}

QToolButton* buildMoveArrow(QWidget* parent, bool up) {
    auto* button = new QToolButton(parent);
    button->setObjectName(up ? QStringLiteral("UpDown1Up") : QStringLiteral("UpDown1Down"));
    button->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    button->setAccessibleName(up ? QStringLiteral("Move player up")
                                 : QStringLiteral("Move player down"));
    button->setToolTip(up ? QStringLiteral("Move the selected player up one place (Alt+Up)")
                          : QStringLiteral("Move the selected player down one place (Alt+Down)"));
    button->setFixedSize(28, 24);
    return button;
}

void paintRow(const RosterRowControls& row, const QColor& colour) {
    for (QWidget* box : row.boxes()) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, colour);
        box->setPalette(palette);
    }
}

} // namespace kvx
