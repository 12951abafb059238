#pragma once
// The emblem printed on page 1 of a certificate: the crowned white eagle, wings spread and
// head turned to its right, in black outline on white for a one-colour print, written as
// SVG text of plain paths (SVG Tiny, as Qt Svg reads it).
#include <QByteArray>

namespace pictures {

QByteArray EmblemSvg();

}  // namespace pictures
