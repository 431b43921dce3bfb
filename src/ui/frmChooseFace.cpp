#include "ui/frmChooseFace.h"

#include "ui/facepictures.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvx {

namespace {

// A grid box is a little larger than its picture, with room for the frame that marks the choice.
constexpr int BoxSize = 36;

int faceOfBox(int box, bool black) {
    return black ? FirstBlackFace + box : box;
}

// The grid box showing `face` in the colour it belongs to, or -1 when no box shows it.
int boxOfFace(int face) {
    if (face >= 0 && face < WhiteFaceCount)
        return face;
    if (face >= FirstBlackFace && face < FirstBlackFace + BlackFaceCount)
        return face - FirstBlackFace;
    return -1;
}

} // namespace

frmChooseFace::frmChooseFace(int face, QWidget* parent) : Picker(parent), face_(face) {
    nameWindow(this, "frmChooseFace", "Customize Player");
    QGroupBox* skin = buildSkinChoice();
    buildPreview();
    QGroupBox* grid = buildFaceGrid();
    auto* cmdOK = dialogButton(this, "OK", "cmdOK", true);
    auto* cmdCancel = dialogButton(this, "Cancel", "cmdCancel");

    auto* top = new QHBoxLayout;
    top->addWidget(skin);
    top->addStretch();
    top->addWidget(imgRealFace_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid);
    layout->addLayout(buttonRow({cmdOK, cmdCancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Opening: the incoming face's colour, its picture in the preview. An id without a picture
    // (images may hold any byte) shows none; below 128 it counts as white, as the game's own ids.
    setAnswer(face);
    const bool black = face >= FirstBlackFace;
    (black ? radBlack_ : radWhite_)->setChecked(true);
    showGrid(black);
    showPreview(face);

    connect(radWhite_, &QRadioButton::clicked, this, [this] { showGrid(false); });
    connect(radBlack_, &QRadioButton::clicked, this, [this] { showGrid(true); });
    connect(faces_, &QButtonGroup::idClicked, this, &frmChooseFace::picFace_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmChooseFace::reject);
}

QGroupBox* frmChooseFace::buildSkinChoice() {
    auto* skin = new QGroupBox(QStringLiteral("Skin Color"), this);
    radBlack_ = new QRadioButton(QStringLiteral("Black"), skin);
    radBlack_->setObjectName(QStringLiteral("radBlack"));
    radWhite_ = new QRadioButton(QStringLiteral("White"), skin);
    radWhite_->setObjectName(QStringLiteral("radWhite"));
    auto* skinLayout = new QVBoxLayout(skin);
    skinLayout->addWidget(radBlack_);
    skinLayout->addWidget(radWhite_);
    return skin;
}

void frmChooseFace::buildPreview() {
    imgRealFace_ = new QLabel(this);
    imgRealFace_->setObjectName(QStringLiteral("imgRealFace"));
    imgRealFace_->setAccessibleName(QStringLiteral("Chosen face"));
    imgRealFace_->setFrameShape(QFrame::StyledPanel);
    imgRealFace_->setFrameShadow(QFrame::Sunken);
    imgRealFace_->setAlignment(Qt::AlignCenter);
    const int frame = 2 * imgRealFace_->frameWidth();
    imgRealFace_->setFixedSize(PreviewSize + frame, PreviewSize + frame);
}

QGroupBox* frmChooseFace::buildFaceGrid() {
    auto* grid = new QGroupBox(QStringLiteral("Face"), this);
    auto* gridLayout = new QGridLayout(grid);
    gridLayout->setSpacing(4);
    faces_ = new QButtonGroup(this);
    for (int box = 0; box < Boxes; ++box) {
        auto* button = new QToolButton(grid);
        button->setObjectName(QStringLiteral("picFace_%1").arg(box));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFixedSize(BoxSize, BoxSize);
        button->setIconSize(QSize(FacePictureSize, FacePictureSize));
        gridLayout->addWidget(button, box / Columns, box % Columns);
        faces_->addButton(button, box);
        picFace_[static_cast<std::size_t>(box)] = button;
    }
    return grid;
}

std::optional<int> frmChooseFace::choose(int face, QWidget* parent) {
    return runPicker<frmChooseFace>(face, parent);
}

// The white faces fill boxes 0..83, the black ones boxes 0..84; the rest of the grid is hidden.
// Switching colours changes only the grid, never the choice.
void frmChooseFace::showGrid(bool black) {
    black_ = black;
    const int count = black ? BlackFaceCount : WhiteFaceCount;
    for (int box = 0; box < Boxes; ++box) {
        QToolButton* button = picFace_[static_cast<std::size_t>(box)];
        const bool shown = box < count;
        if (shown) {
            const int face = faceOfBox(box, black);
            button->setIcon(QIcon(facePictureOfFace(face)));
            button->setAccessibleName(QStringLiteral("Face %1").arg(face));
        }
        button->setVisible(shown);
    }
    markChoice();
}

void frmChooseFace::markChoice() {
    const int box = boxOfFace(face_);
    const bool inGrid = box >= 0 && (face_ >= FirstBlackFace) == black_;
    if (inGrid) {
        picFace_[static_cast<std::size_t>(box)]->setChecked(true);
    } else if (QAbstractButton* checked = faces_->checkedButton()) {
        // An exclusive group keeps one button on; let go of it to show that none is chosen.
        faces_->setExclusive(false);
        checked->setChecked(false);
        faces_->setExclusive(true);
    }
}

void frmChooseFace::picFace_Click(int box) {
    face_ = faceOfBox(box, black_);
    setAnswer(face_);
    showPreview(face_);
    markChoice();
}

void frmChooseFace::showPreview(int face) {
    const QPixmap picture = facePictureOfFace(face);
    if (picture.isNull()) {
        imgRealFace_->clear();
        imgRealFace_->setAccessibleDescription(QStringLiteral("No picture"));
        return;
    }
    imgRealFace_->setPixmap(scaledFacePicture(picture, QSize(PreviewSize, PreviewSize)));
    imgRealFace_->setAccessibleDescription(QStringLiteral("Face %1").arg(face));
}

void frmChooseFace::reject() {
    setAnswer(std::nullopt);
    QDialog::reject();
}

void frmChooseFace::closeEvent(QCloseEvent* event) {
    done(Accepted);
    event->accept();
}

} // namespace kvx
