#include "uitest.h"

#include "ui/facepictures.h"
#include "ui/frmChooseFace.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace kvx::test {

namespace {

QToolButton* box(QWidget& chooser, int index) {
    return chooser.findChild<QToolButton*>(QStringLiteral("picFace_%1").arg(index));
}

bool checked(QWidget& chooser, const char* name) {
    return chooser.findChild<QRadioButton*>(name)->isChecked();
}

int checkedBoxes(QWidget& chooser) {
    int count = 0;
    for (int i = 0; i < frmChooseFace::Boxes; ++i)
        count += box(chooser, i)->isChecked() ? 1 : 0;
    return count;
}

// The preview as shown, or a null image when it shows nothing.
QImage preview(QWidget& chooser) {
    return chooser.findChild<QLabel*>("imgRealFace")->pixmap().toImage();
}

} // namespace

class ChooseFaceTest : public QObject {
    Q_OBJECT

private slots:
    // Face 5 opens on White with its picture enlarged pixel by pixel; box 20 gives 20. The
    // grid shows 84 white faces; on Black its box 84 shows the last black face.
    void whiteFaceAndTheGrid() {
        frmChooseFace chooser(5);
        QCOMPARE(chooser.windowTitle(), QString("Customize Player"));
        QVERIFY(checked(chooser, "radWhite"));
        const QImage shown = preview(chooser).convertToFormat(QImage::Format_ARGB32);
        const QImage picture =
            facePictureOfFace(5).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shown.size(), QSize(96, 96));
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 96; ++x)
                QCOMPARE(shown.pixel(x, y), picture.pixel(x / 3, y / 3));
        QVERIFY(box(chooser, 5)->isChecked());
        QVERIFY(!box(chooser, 83)->isHidden());
        QVERIFY(box(chooser, 84)->isHidden());
        QCOMPARE(box(chooser, 20)->accessibleName(), QString("Face 20"));

        box(chooser, 20)->click();
        chooser.findChild<QAbstractButton*>("cmdOK")->click();
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(chooser.dialogResult(), std::optional(20));

        chooser.findChild<QRadioButton*>("radBlack")->click();
        QVERIFY(!box(chooser, 84)->isHidden());
        QVERIFY(box(chooser, 85)->isHidden());
        QCOMPARE(box(chooser, 84)->accessibleName(), QString("Face 212"));
    }

    // Face 130 opens on Black with box 2; box 0 gives 128. Switching colour alone keeps the
    // face, Cancel after clicks gives nothing, the close box keeps the choice.
    void blackFaceColourSwitchCancelAndCloseBox() {
        frmChooseFace chooser(130);
        QVERIFY(checked(chooser, "radBlack"));
        QVERIFY(box(chooser, 2)->isChecked());
        QVERIFY(preview(chooser) ==
                scaledFacePicture(facePictureOfFace(130), QSize(96, 96)).toImage());
        box(chooser, 0)->click();
        QCOMPARE(chooser.dialogResult(), std::optional(128));

        chooser.findChild<QRadioButton*>("radWhite")->click();
        QCOMPARE(checkedBoxes(chooser), 0);
        QCOMPARE(chooser.dialogResult(), std::optional(128));
        chooser.show();
        chooser.close();
        QCOMPARE(chooser.dialogResult(), std::optional(128));

        frmChooseFace cancelled(130);
        box(cancelled, 7)->click();
        cancelled.findChild<QAbstractButton*>("cmdCancel")->click();
        QVERIFY(!cancelled.dialogResult());
    }

    // An image may hold any byte: an id without a picture shows none, selects nothing, and OK
    // hands it back unchanged.
    void idsWithoutPicture_data() {
        QTest::addColumn<int>("face");
        QTest::addColumn<bool>("black");
        QTest::newRow("between the ranges") << 100 << false;
        QTest::newRow("above the black faces") << 250 << true;
    }

    void idsWithoutPicture() {
        QFETCH(int, face);
        QFETCH(bool, black);
        frmChooseFace chooser(face);
        QCOMPARE(checked(chooser, "radBlack"), black);
        QVERIFY(preview(chooser).isNull());
        QCOMPARE(checkedBoxes(chooser), 0);
        chooser.findChild<QAbstractButton*>("cmdOK")->click();
        QCOMPARE(chooser.dialogResult(), std::optional(face));
    }
};

KVX_UI_TEST(ChooseFaceTest)

} // namespace kvx::test

#include "frmChooseFace_test.moc"
