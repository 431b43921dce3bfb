#include "uitest.h"

#include "ui/facepictures.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

namespace kvx::test {
namespace {

QSet<QRgb> coloursOf(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

} // namespace

class FacePicturesTest : public QObject {
    Q_OBJECT

private slots:
    void everyPictureIsSmallPaletteArtOnTheMaskColour() {
        QImage previous;
        QList<QImage> pictures;
        for (int picture = 1; picture <= FacePictureCount; ++picture) {
            const QByteArray where = "picture " + QByteArray::number(picture);
            const QImage stored(facePicturePath(picture));
            QVERIFY2(!stored.isNull(), where);
            QCOMPARE(stored.size(), QSize(FacePictureSize, FacePictureSize));
            QVERIFY2(stored.colorCount() > 0 && stored.colorCount() <= 16, where);
            const QSet<QRgb> colours = coloursOf(stored);
            QVERIFY2(colours.size() <= 16, where);
            QVERIFY2(colours.contains(FaceMaskColor), where);

            // The mask colour becomes transparent and nothing else does.
            const QImage shown = facePicture(picture).toImage();
            QCOMPARE(shown.size(), stored.size());
            QCOMPARE(coloursOf(shown).size(), colours.size());
            QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
            QCOMPARE(coloursOf(shown).contains(FaceMaskColor), false);
            pictures.append(stored);
        }
        // Neighbours in the chooser's grid of 13 columns, within one skin colour.
        for (int i = 0; i < FacePictureCount; ++i) {
            const bool black = i >= WhiteFaceCount;
            const int first = black ? WhiteFaceCount : 0;
            for (int before : {i - 1, i - 13})
                if (before >= first)
                    QVERIFY2(pictures[i] != pictures[before], QByteArray::number(i + 1) +
                                                                  " looks like " +
                                                                  QByteArray::number(before + 1));
        }
        QVERIFY(facePicture(0).isNull());
        QVERIFY(facePicture(FacePictureCount + 1).isNull());
    }

    void faceIdsMapToTheirPictures() {
        const QList<QPair<int, int>> pictureOfId = {
            {0, 1},    {83, 84},   {84, 0},  {127, 0}, {128, 85},
            {130, 87}, {212, 169}, {213, 0}, {255, 0}, {-1, 0},
        };
        for (const auto& [id, picture] : pictureOfId)
            QCOMPARE(facePictureNumber(id), picture);
        QCOMPARE(facePictureOfFace(130).toImage(), facePicture(87).toImage());
        QCOMPARE(facePictureOfFace(83).toImage(), facePicture(84).toImage());
        QVERIFY(facePictureOfFace(84).isNull());
        QVERIFY(facePictureOfFace(255).isNull());
    }

    void theEnlargedPictureKeepsItsPixelsSharp() {
        const QPixmap picture = facePictureOfFace(5);
        const QImage small = picture.toImage();
        const QImage three = scaledFacePicture(picture, QSize(96, 96)).toImage();
        QCOMPARE(three.size(), QSize(96, 96));
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 96; ++x)
                QCOMPARE(three.pixel(x, y), small.pixel(x / 3, y / 3));
        // An uneven size blends nothing either: no colour that the picture lacks.
        const QImage preview = scaledFacePicture(picture, QSize(73, 73)).toImage();
        QCOMPARE(preview.size(), QSize(73, 73));
        QVERIFY(coloursOf(small).contains(coloursOf(preview)));
    }

    void theGeneratorDrawsTheCommittedPictures() {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            QSKIP("python3 is not installed");
        const QString assets = QStringLiteral(KVX_SOURCE_DIR "/assets/");
        TempDir out;
        const QString outDir = QString::fromStdString(out.path().string());
        QProcess generator;
        generator.start(python, {assets + "faces.py", outDir});
        QVERIFY(generator.waitForFinished(120000));
        QVERIFY2(generator.exitStatus() == QProcess::NormalExit && generator.exitCode() == 0,
                 generator.readAllStandardError().constData());
        QStringList files = {QStringLiteral("faces.qrc")};
        for (int picture = 1; picture <= FacePictureCount; ++picture)
            files.append(QStringLiteral("faces/face%1.png").arg(picture, 3, 10, QLatin1Char('0')));
        for (const QString& name : files) {
            QFile committed(assets + name);
            QFile drawn(outDir + "/" + name);
            QVERIFY2(committed.open(QIODevice::ReadOnly), qPrintable(name));
            QVERIFY2(drawn.open(QIODevice::ReadOnly), qPrintable(name));
            QVERIFY2(committed.readAll() == drawn.readAll(), qPrintable(name));
        }
    }
};

KVX_UI_TEST(FacePicturesTest)

} // namespace kvx::test

#include "facepictures_test.moc"
