#pragma once
// The tool bar's pictures are the program's own (resources/toolbar/*.svg), drawn at the
// tool bar's size, so every button looks the same on any desktop, with or without an icon
// theme.
#include <QIcon>
#include <QSize>

inline constexpr QSize kToolButtonPictureSize(32, 32);

// The picture `name` (a file name in resources/toolbar without ".svg"); a null icon for a
// name that is not there.
QIcon ToolButtonPicture(const char* name);
