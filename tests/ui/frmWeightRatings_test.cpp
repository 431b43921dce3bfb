#include "ratingswindow.h"
#include "uitest.h"

#include "ui/frmWeightRatings.h"

#include <QAccessible>
#include <QLabel>
#include <QSlider>

namespace kvx::test {

namespace {

// The editor as "Settings..." shows it, here without the modal loop so that the test can
// drive it directly.
struct Editor {
    explicit Editor(RatingScale& scale) : dialog(scale) {
        dialog.show();
        position = dialog.findChild<QComboBox*>("cmbPosition");
        starters = dialog.findChild<QComboBox*>("cmbDepthA");
        backups = dialog.findChild<QComboBox*>("cmbDepthB");
    }
    QSlider* slider(int i) const {
        return dialog.findChild<QSlider*>(QStringLiteral("sliWeight_%1").arg(i));
    }
    QLabel* label(int i) const {
        return dialog.findChild<QLabel*>(QStringLiteral("lblAtt_%1").arg(i));
    }
    QString value(int i) const {
        return dialog.findChild<QLabel*>(QStringLiteral("lblWeight_%1").arg(i))->text();
    }
    QStringList visibleLabels() const {
        QStringList texts;
        for (int i = 0; i < AttributeCount; ++i)
            if (slider(i)->isVisible())
                texts << label(i)->text();
        return texts;
    }

    frmWeightRatings dialog;
    QComboBox* position = nullptr;
    QComboBox* starters = nullptr;
    QComboBox* backups = nullptr;
};

// What a screen reader says for a control: the name of its label where it has one.
QString spokenName(QWidget* widget) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
    const auto labels = control->relations(QAccessible::Label);
    return labels.isEmpty() ? control->text(QAccessible::Name)
                            : labels.first().first->text(QAccessible::Name);
}

} // namespace

class WeightRatingsTest : public QObject {
    Q_OBJECT

private slots:
    // Opening shows QB; each group shows its own labels, sliders and stored values. Selecting
    // a group changes nothing, not even a hidden weight or one a loaded file put out of range.
    void showsTheSelectedGroup() {
        RatingScale scale{};
        scale[OL].Weights[8] = 5;  // hidden for OL, still counted
        scale[RB].Weights[0] = 20; // out of the sliders' range, from a loaded file
        const RatingScale loaded = scale;
        Editor editor(scale);
        QCOMPARE(editor.dialog.windowTitle(), QString("Weight Ratings"));
        QCOMPARE(editor.position->currentText(), QString("QB"));
        QCOMPARE(editor.starters->currentText(), QString("1"));
        QCOMPARE(editor.backups->currentText(), QString("0"));
        QCOMPARE(editor.visibleLabels(),
                 QStringList({"RS", "RP", "MS", "HP", "BB", "AG", "PS", "PC", "PA", "AR", "CO"}));
        for (int i = 0; i < AttributeCount; ++i) {
            QCOMPARE(editor.slider(i)->value(), 0);
            QCOMPARE(editor.value(i), QString("0"));
            QCOMPARE(editor.slider(i)->maximum(), 15);
            QCOMPARE(editor.slider(i)->pageStep(), 1);
            QCOMPARE(editor.label(i)->buddy(), editor.slider(i));
        }
        QCOMPARE(editor.label(0)->toolTip(), QString("Running Speed"));
        QCOMPARE(QAccessible::queryAccessibleInterface(editor.slider(0))->text(QAccessible::Name),
                 QString("Weight RS"));
        QCOMPARE(QAccessible::queryAccessibleInterface(editor.slider(6))->text(QAccessible::Name),
                 QString("Weight PS"));
        QCOMPARE(spokenName(editor.position), QString("Position:"));
        QCOMPARE(spokenName(editor.starters), QString("Depth:"));
        QCOMPARE(spokenName(editor.backups), QString("Backups"));

        pick(*editor.position, "OL");
        QCOMPARE(editor.visibleLabels(), QStringList({"RS", "RP", "MS", "HP", "BB", "AG"}));
        pick(*editor.position, "K");
        QCOMPARE(editor.visibleLabels(),
                 QStringList({"RS", "RP", "MS", "HP", "BB", "AG", "KP", "KA", "AB"}));
        QVERIFY(!editor.label(6)->toolTip().isEmpty());
        QCOMPARE(QAccessible::queryAccessibleInterface(editor.slider(8))->text(QAccessible::Name),
                 QString("Weight AB"));
        pick(*editor.position, "RB");
        QCOMPARE(editor.slider(0)->value(), 15);
        QCOMPARE(editor.value(0), QString("20"));
        QVERIFY(scale == loaded);
    }

    // Every change reaches the rating scale at once: slider 3 of DL moved to 12 by the keyboard.
    void slidersWriteAtOnce() {
        RatingScale scale{};
        Editor editor(scale);
        pick(*editor.position, "DL");
        QSlider* slider = editor.slider(3);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(scale[DL].Weights[3], 15);
        QTest::keyClick(slider, Qt::Key_Left);
        QTest::keyClick(slider, Qt::Key_Left);
        QTest::keyClick(slider, Qt::Key_Left);
        QCOMPARE(scale[DL].Weights[3], 12);
        QCOMPARE(editor.value(3), QString("12"));
        RatingScale expected{};
        expected[DL].Weights[3] = 12;
        QVERIFY(scale == expected);
    }

    // Starters + backups never exceed the seven depth places: the list the user did not touch
    // gives way. Switching groups shows each group's own counts and changes none.
    void depthRule() {
        RatingScale scale{};
        scale[QB].StartersMinusOne = 2; // 3 starters
        scale[QB].Backups = 2;
        scale[TE].StartersMinusOne = 0; // 1 + 6
        scale[TE].Backups = 6;
        scale[WR].StartersMinusOne = 4; // 5 + 1
        scale[WR].Backups = 1;
        Editor editor(scale);

        pick(*editor.starters, "6");
        QCOMPARE(editor.backups->currentText(), QString("1"));
        pick(*editor.backups, "5");
        QCOMPARE(editor.starters->currentText(), QString("2"));
        QCOMPARE(scale[QB].StartersMinusOne, 1);
        QCOMPARE(scale[QB].Backups, 5);

        pick(*editor.position, "TE");
        pick(*editor.position, "WR");
        QCOMPARE(editor.starters->currentText(), QString("5"));
        QCOMPARE(editor.backups->currentText(), QString("1"));
        QCOMPARE(scale[TE].StartersMinusOne, 0);
        QCOMPARE(scale[TE].Backups, 6);
        QCOMPARE(scale[WR].StartersMinusOne, 4);
        QCOMPARE(scale[WR].Backups, 1);
    }
};

KVX_UI_TEST(WeightRatingsTest)

} // namespace kvx::test

#include "frmWeightRatings_test.moc"
