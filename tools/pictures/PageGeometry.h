#pragma once
// Where the page lands on each picture the build draws. Drawing happens in page
// units (forms/Layout.h: the printed page, origin top left); each target maps them
// so that whatever is placed in page units stands over its place.
#include <QRectF>
#include <QSize>
#include <QTransform>

#include "forms/Layout.h"

namespace pictures {

inline constexpr QRectF kPageRect{0.0, 0.0, double(kPageWidth), double(kPageHeight)};

// The blank pictures behind the form dialogs: the scale the dialogs place fields with.
inline constexpr QSize kBlankSize{kBlankWidth, kBlankHeight};

// The preview pictures: the renderer stretches a page into (74, 74)-(957, 1388),
// so the background shows the same page there with an even margin around it.
inline constexpr QRectF kPreviewPageRect{74.0, 74.0, 957.0 - 74.0, 1388.0 - 74.0};
inline constexpr QSize kPreviewSize{957 + 74, 1388 + 74};

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

} // namespace pictures
