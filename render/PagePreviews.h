#pragma once
// Laying the composed pages over their background pictures in the preview tabs.

#include "render/PageCanvas.h"
#include "render/PreviewGeometry.h"

#include <QImage>
#include <QRect>

#include <array>
#include <optional>

class PreviewView;

// The background with the page drawn over it; a null background gives a white picture.
QImage ComposePreviewPicture(const QImage& background, const PageImage& page);
// The same into `picture`, whose pixels are reused when it already has the background's
// size and is not shared.
void ComposePreviewPictureInto(QImage& picture, const QImage& background, const PageImage& page);

// Closes the canvases and shows page n over background n on the tab of page n; a page
// without a background (nullopt) keeps the picture its tab shows. The four pictures are
// composed into the same memory at every render: the view is handed a picture over that
// memory, which the next render of its page overwrites.
void ShowPagePreviews(PageImages& pages, PageCanvases& canvases, PreviewView& view,
                      const std::array<std::optional<QImage>, 4>& backgrounds);
