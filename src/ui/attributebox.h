#pragma once

#include <QComboBox>

namespace kvx {

// An editable attribute box of the rosters editor. Screen readers speak it by its accessible
// name ("Row 1 RS") and its value as its value: Qt's own combo box interface names an editable
// box by its text on some platforms, which would leave a filled grid of boxes named "56".
class AttributeBox : public QComboBox {
    Q_OBJECT

public:
    explicit AttributeBox(QWidget* parent = nullptr);
};

} // namespace kvx
