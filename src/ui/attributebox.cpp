#include "ui/attributebox.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace kvx {

namespace {

class AttributeBoxAccessible : public QAccessibleWidget {
public:
    explicit AttributeBoxAccessible(QWidget* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return static_cast<const QComboBox*>(widget())->currentText();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* attributeBoxInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(AttributeBox::staticMetaObject.className()) &&
        object->isWidgetType())
        return new AttributeBoxAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

AttributeBox::AttributeBox(QWidget* parent) : QComboBox(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(attributeBoxInterface);
        return true;
    }();
    (void)installed;
}

} // namespace kvx
