#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>

// The 169 face pictures of the face chooser, built into the program as resources (drawn by
// assets/faces.py). Every picture is 32 x 32 pixels in at most 16 colours; light grey
// 192/192/192 marks its background.
//
// Picture numbers count from 1, as in the chooser's image list:
//   pictures  1..84   the white faces, face ids   0..83  (picture = id + 1)
//   pictures 85..169  the black faces, face ids 128..212 (picture = id - 128 + 85)
// Any other face id (a game image may hold any byte) has no picture.
namespace kvx {

inline constexpr int FacePictureCount = 169;
inline constexpr int WhiteFaceCount = 84;
inline constexpr int BlackFaceCount = 85;
inline constexpr int FirstBlackFace = 128;
inline constexpr int FacePictureSize = 32;
// The background colour of the stored pictures; facePicture() makes it transparent.
inline constexpr QRgb FaceMaskColor = qRgb(192, 192, 192);

// The picture number of a face id, or 0 when the id has no picture.
int facePictureNumber(int faceId);

// The resource path of picture 1..169 (":/faces/face001.png" ..), an empty string for any other
// number. Loading it gives the stored picture with its mask colour.
QString facePicturePath(int picture);

// Picture 1..169 with its background transparent, ready for a label or button; a null pixmap for
// any other number. Pictures are cached, so asking again is cheap.
QPixmap facePicture(int picture);

// The picture of a face id; a null pixmap when the id has none.
QPixmap facePictureOfFace(int faceId);

// The picture stretched to `size` without blurring: every source pixel becomes a block of equal
// colour (nearest neighbour). Sizes that are multiples of 32 give blocks of one size.
QPixmap scaledFacePicture(const QPixmap& picture, const QSize& size);

} // namespace kvx
