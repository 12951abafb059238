#pragma once
// The emblem printed on page 1 of a certificate: a stylised crowned eagle,
// written as SVG text of plain paths (SVG Tiny, as Qt Svg reads it).
#include <QByteArray>

namespace pictures {

QByteArray EmblemSvg();

} // namespace pictures
