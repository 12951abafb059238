#pragma once
// Reading the emblem (SVG) and stamp-place (JPEG) pictures of a certificate's page 1.

#include "render/PageImage.h"
#include "render/Primitives.h"

#include <optional>
#include <string>

// The decoded picture, or nullopt when the file does not decode as its format.
std::optional<PictureData> LoadMarkPicture(MarkKind kind, const std::string& path);
