#pragma once

#include "ui/document.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kvx {

// "General Information": the roster date and the credits line, in a window of the main
// window's area that does not block the others. OK stores what it shows; closing it any other
// way stores nothing.
class frmGeneralInformation : public QWidget {
    Q_OBJECT

public:
    explicit frmGeneralInformation(Document& document, QWidget* parent = nullptr);

private:
    // Shows the document's general information in the controls.
    void showInformation();
    void Save_Information();
    void cmdOK_Click();
    void documentChanged(const DocumentChange& change);

    Document& document_;
    QLineEdit* txtYear_;
    QComboBox* cmbMonth_;
    QComboBox* cmbDay_;
    QLineEdit* txtCredits_;
    QPushButton* cmdOK_;
};

} // namespace kvx
