#pragma once
// The printed look of the blank paper, drawn in page units (885 x 1314) onto a painter
// whose transform maps page units to the target.
#include <vector>

#include <QPainter>
#include <QRectF>

namespace pictures {

// Pale tint with a fine mesh of crossing waves and a rosette in the middle of the page;
// covers `area` (page units), which may reach beyond the page.
void DrawSecurityBackground(QPainter& p, const QRectF& area);

// The decorated double frame around a certificate page.
void DrawCertificateBorder(QPainter& p);

// The white and red diagonal band across the top left corner of a certificate
// with distinction.
void DrawDistinctionBand(QPainter& p);

// The ruled grid of a grade-sheet page: every frame the page prints, as thin lines.
void DrawSheetGrid(QPainter& p, const std::vector<QRectF>& frames);

}  // namespace pictures
