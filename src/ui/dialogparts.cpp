#include "ui/dialogparts.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>

namespace kvx {

void nameWindow(QWidget* window, const char* name, const char* caption) {
    window->setObjectName(QString::fromLatin1(name));
    window->setWindowTitle(QString::fromLatin1(caption));
}

QPushButton* dialogButton(QWidget* parent, const char* caption, const char* name, bool isDefault) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setDefault(isDefault);
    return button;
}

QListWidget* listBox(QWidget* parent, const char* name, const QString& spokenName) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    if (!spokenName.isEmpty())
        list->setAccessibleName(spokenName);
    return list;
}

QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* button : buttons)
        row->addWidget(button);
    return row;
}

} // namespace kvx
