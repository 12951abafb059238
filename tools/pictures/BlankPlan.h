#pragma once
// Which blank pictures the form layouts name, and what each shows.
#include <vector>

#include <QString>

#include "forms/Layout.h"
#include "tools/pictures/Paper.h"

namespace pictures {

struct BlankPicture {
    QString fileName;  // in the program folder's "blanki"
    Paper paper = Paper::Sheet;
    std::vector<QRectF> frames;  // a sheet page's grid, page units
};

// Frames of a page design: its "GRAFIKA: RAMKA" drawings.
std::vector<QRectF> SheetFrames(const PageDesign& design);

// Every picture named by a laid-out page, once, in the order the forms first name it.
// Page 1 of a certificate is its front (with the distinction band when the form's
// calibration set is a "w" one), further pages the inner paper; grade-sheet pages get
// their grid. Throws std::runtime_error when one picture would have to show two things.
std::vector<BlankPicture> PlanBlanks(const LayoutCatalog& catalog);

}  // namespace pictures
