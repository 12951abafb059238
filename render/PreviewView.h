#pragma once
// The main window's preview as the renderer drives it: four tabs "Strona 1" … "Strona 4",
// each a scroll box holding a preview picture. The main window implements it.

class QImage;

class PreviewView {
public:
    virtual ~PreviewView() = default;
    // Makes tab `index` (0..3) the active one.
    virtual void setActivePageTab(int index) = 0;
    // Sets the vertical scroll position of the scroll box of page 1..4.
    virtual void setPageScroll(int page, int y) = 0;
    // Shows or hides the tab of page 2..4 (the tab of page 1 is always shown).
    virtual void setPageTabVisible(int page, bool visible) = 0;
    // Replaces the picture shown on the tab of page 1..4. Its pixels stay valid until the
    // next call for the same page; a view that keeps the picture longer copies it.
    virtual void setPreviewPicture(int page, const QImage& picture) = 0;
};
