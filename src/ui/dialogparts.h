#pragma once

#include <QDialog>
#include <QString>

#include <initializer_list>
#include <optional>
#include <utility>

class QHBoxLayout;
class QListWidget;
class QPushButton;

namespace kvx {

// The pieces every picker and small dialog is built from, made one way.

// Gives a window its documented name and its caption.
void nameWindow(QWidget* window, const char* name, const char* caption);

// A push button with its documented name; `isDefault` makes Enter press it.
QPushButton* dialogButton(QWidget* parent, const char* caption, const char* name,
                          bool isDefault = false);

// A list box with its documented name and, unless a buddy label names it, the name a screen
// reader speaks for it.
QListWidget* listBox(QWidget* parent, const char* name, const QString& spokenName = {});

// The row of buttons at the foot of a dialog, pushed to the right.
QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons);

// A modal dialog that answers an `Answer`, or nothing when it was closed without one. It changes
// nothing itself; whoever opened it decides what the answer does.
template <class Answer>
class Picker : public QDialog {
public:
    explicit Picker(QWidget* parent) : QDialog(parent) {}

    std::optional<Answer> dialogResult() const { return answer_; }

protected:
    void setAnswer(std::optional<Answer> answer) { answer_ = std::move(answer); }

private:
    std::optional<Answer> answer_;
};

// Runs a picker modally and hands back its answer: what was chosen, or nothing.
template <class Picker, class... Args>
auto runPicker(Args&&... args) {
    Picker picker(std::forward<Args>(args)...);
    picker.exec();
    return picker.dialogResult();
}

} // namespace kvx
