#include "ui/facepictures.h"

#include <QImage>
#include <QPixmapCache>

// The pictures are compiled into the kvxui static library; a program linking it would drop their
// registration unless something refers to it, so the first use registers them. Outside the
// namespace because the resource's initialiser is a global function.
static void registerFacePictures() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(faces);
        return true;
    }();
    (void)registered;
}

namespace kvx {

int facePictureNumber(int faceId) {
    if (faceId >= 0 && faceId < WhiteFaceCount)
        return faceId + 1;
    if (faceId >= FirstBlackFace && faceId < FirstBlackFace + BlackFaceCount)
        return faceId - FirstBlackFace + WhiteFaceCount + 1;
    return 0;
}

QString facePicturePath(int picture) {
    if (picture < 1 || picture > FacePictureCount)
        return {};
    registerFacePictures();
    return QStringLiteral(":/faces/face%1.png").arg(picture, 3, 10, QLatin1Char('0'));
}

QPixmap facePicture(int picture) {
    const QString path = facePicturePath(picture);
    if (path.isEmpty())
        return {};
    QPixmap pixmap;
    if (QPixmapCache::find(path, &pixmap))
        return pixmap;
    QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == FaceMaskColor)
                line[x] = qRgba(0, 0, 0, 0);
    }
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(path, pixmap);
    return pixmap;
}

QPixmap facePictureOfFace(int faceId) {
    return facePicture(facePictureNumber(faceId));
}

QPixmap scaledFacePicture(const QPixmap& picture, const QSize& size) {
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace kvx
