#pragma once
// The style's standard pictures (OK, Cancel, Save, ...) for buttons of windows made at
// start. The style decodes several picture files for each of them, which a window not
// shown yet does not need: this icon asks the style for its picture the first time it is
// drawn, measured or queried, and then answers as the style's own icon does.
#include <QIcon>
#include <QStyle>

QIcon StandardIcon(QStyle::StandardPixmap picture);
