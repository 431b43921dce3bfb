#pragma once

#include <QMdiArea>

namespace kvx {

// The main window's area for its child windows. While none is open it shows, quietly, what to
// do first, so that a new user is not left with an empty grey window.
class MainArea : public QMdiArea {
    Q_OBJECT

public:
    explicit MainArea(QWidget* parent = nullptr);

    static QString hint();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kvx
