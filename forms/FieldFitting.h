#pragma once
// How the widgets of a document form fit their boxes on screen. Every widget stands on
// its printed rectangle scaled to the blank's picture (toPicture); these rules derive its
// font and frame from that box alone, the same for every form:
//  - an edit or a combo box shows the form's 11-pixel sans font, or the largest smaller
//    one whose height fits the text area, so descenders stay visible; a frame is dropped
//    where it would take room the text needs;
//  - a memo shows its printed font scaled to the screen (no kerning, no hinting, as the
//    page prints it), or the largest smaller one with which its line limit of lines fits
//    without scrolling, and wraps where the printed line ends at that size, so every line
//    it shows fits its printed box;
//  - a label shows its printed font (or its given screen height), or the largest smaller
//    one with which its caption fits its width.
// A field narrower than its typing limit needs is widened to the right, into room of its
// page that no other component takes.

#include "forms/Layout.h"

#include <QFont>
#include <QList>
#include <QRect>

class QWidget;

struct ScreenFit {
    QFont font;
    bool frame = true;
    int wrapWidth = 0;  // a wrapping memo: pixels its lines wrap at; else 0
};

ScreenFit FitOnScreen(const LayoutComponent& component);

// The font `component` prints in, sized in page units (the page is 885 units wide).
QFont PrintedFont(const LayoutComponent& component);

// A box holding a word's ending or joined letter ("otrzymał" + "a", "w" + "e") shows one
// or two letters, never more, and names what it is: its width in `font` with or without a
// frame, and its tooltip after the printed word `word`.
inline constexpr int kLetterBoxLetters = 2;
int LetterBoxWidth(const QFont& font, bool frame);
QString LetterBoxToolTip(const QString& word);

// The on-screen rectangle of `component`, one of `page` (the components standing on its
// page), shown with `fit`.
QRect ScreenRect(const LayoutComponent& component, const QList<const LayoutComponent*>& page,
                 const ScreenFit& fit);

// Gives `widget` (the component's edit, combo box, memo or label) the fit and rectangle.
void ApplyScreenFit(QWidget* widget, const ScreenFit& fit, const QRect& rect);
