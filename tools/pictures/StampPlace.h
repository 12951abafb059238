#pragma once
// The stamp place printed on page 1 of a certificate: a dashed circle marked "M.P."
// on white, which prints as no ink around the mark.
#include <QImage>

namespace pictures {

inline constexpr int kStampPlaceSize = 300;

// Needs a QGuiApplication (the mark's letters come from the font database).
QImage DrawStampPlace();

}  // namespace pictures
