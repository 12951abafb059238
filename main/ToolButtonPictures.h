#pragma once
// The tool bar's pictures are the program's own (resources/toolbar/*.svg), so every button
// looks the same on any desktop, with or without an icon theme. The build draws each at the
// tool bar's size and at twice that size for screens that scale (tools/toolbar), as rows of
// premultiplied ARGB32 pixels compiled in as ":/toolbar/<name>.argb32" and
// ":/toolbar/<name>@2x.argb32".
#include <QIcon>
#include <QSize>

inline constexpr QSize kToolButtonPictureSize(32, 32);

// The picture `name` (a file name in resources/toolbar without ".svg"); a null icon for a
// name that is not there.
QIcon ToolButtonPicture(const char* name);
