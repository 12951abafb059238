#pragma once
// The emblem and stamp-place pictures of a certificate's page 1, read from the data folder.

#include "render/PageImage.h"
#include "render/Primitives.h"

#include <optional>
#include <string>

// The file a mark is printed from: the data folder's "grafika/m_p.jpg" for the stamp place;
// for the emblem "grafika/orzel.png" when a school has put its own emblem there as a PNG
// picture, otherwise "grafika/orzel.svg" (the factory emblem, or the school's own SVG).
std::string MarkPictureFile(const std::string& dataFolder, MarkKind kind);

// The decoded picture, or nullopt when the file does not decode. The emblem is taken by
// its content: a PNG (or JPEG) picture as such, anything else as SVG; the stamp place is a JPEG.
std::optional<PictureData> LoadMarkPicture(MarkKind kind, const std::string& path);
