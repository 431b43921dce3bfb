#pragma once

#include "ui/dialogparts.h"

#include <array>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QRadioButton;
class QToolButton;

namespace kvx {

// "Customize Player": picks a player's face, a skin colour and one of its pictures. It changes
// nothing itself: it answers the face last clicked, the incoming face when none was clicked,
// or nothing after Cancel.
//
// The grid's box i shows white face i (boxes 0..83) or black face 128 + i (boxes 0..84).
class frmChooseFace : public Picker<int> {
    Q_OBJECT

public:
    static constexpr int Columns = 13;
    static constexpr int Boxes = 91; // 7 rows of 13
    // The preview shows a 32-pixel picture three times enlarged, every pixel a 3 x 3 block.
    static constexpr int PreviewSize = 96;

    explicit frmChooseFace(int face, QWidget* parent = nullptr);

    // Runs the dialog opened on `face` and answers the face chosen, or nothing.
    static std::optional<int> choose(int face, QWidget* parent);

    // Cancel and Escape: answers nothing.
    void reject() override;

protected:
    // The window frame's close box keeps the choice, as OK does.
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls in their tab order: the colours, the preview, the grid.
    QGroupBox* buildSkinChoice();
    void buildPreview();
    QGroupBox* buildFaceGrid();
    void showGrid(bool black);
    void picFace_Click(int box);
    void showPreview(int face);
    // Marks the box of the chosen face when it is in the grid shown, otherwise none.
    void markChoice();

    // The face chosen so far, the incoming one until a face is clicked.
    int face_;
    bool black_ = false;
    QRadioButton* radBlack_;
    QRadioButton* radWhite_;
    QLabel* imgRealFace_;
    QButtonGroup* faces_;
    std::array<QToolButton*, Boxes> picFace_{};
};

} // namespace kvx
