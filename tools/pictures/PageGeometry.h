#pragma once
// Where the page lands on each picture the build draws. Drawing happens in page
// units (forms/Layout.h: the printed page, origin top left); each target maps them
// so that whatever is placed in page units stands over its place.
#include <QRectF>
#include <QSize>
#include <QTransform>

#include "forms/Layout.h"
#include "render/PreviewGeometry.h"

namespace pictures {

inline constexpr QRectF kPageRect{0.0, 0.0, double(kPageWidth), double(kPageHeight)};

// The blank pictures behind the form dialogs: the scale the dialogs place fields with.
inline constexpr QSize kBlankSize{kBlankWidth, kBlankHeight};

inline QTransform PageToBlank()
{
    return QTransform::fromScale(kPictureScale, kPictureScale);
}

// Page units stretched into a target rectangle, as the preview draws the page.
inline QTransform PageToRect(const QRectF& target)
{
    QTransform t;
    t.translate(target.left(), target.top());
    t.scale(target.width() / kPageRect.width(), target.height() / kPageRect.height());
    return t;
}

}  // namespace pictures
