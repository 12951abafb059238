#pragma once
// Where a page lands on its preview picture: the renderer stretches the page into this
// rectangle and the build draws the preview backgrounds to match.
#include <QRect>
#include <QSize>

// (0, 0) at (74, 74), (885, 1314) at (957, 1388).
inline constexpr QRect kPreviewPageRect{74, 74, 957 - 74, 1388 - 74};
// The size of a preview picture: the page rectangle with its margin on every side.
inline constexpr QSize kPreviewPictureSize{957 + 74, 1388 + 74};
