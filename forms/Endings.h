#pragma once
// Gender endings and joined letters: a narrow field right after a fixed word on the same
// line ("otrzymał" + "a", "promocj" + "ę", "w" + "e"). Its text must continue the word, so
// the field starts where the word's text ends, in whatever font the word is shown in, and a
// fixed text right after the field follows it one blank further on.

#include "forms/Layout.h"

#include <functional>
#include <vector>

struct EndingPair {
    int word = -1;      // index of the printed label holding the word
    int ending = -1;    // index of the field holding its ending
    int follower = -1;  // index of the printed label that continues the line, or -1
};

// The endings among `components` (one design, or a form's pages together): a stored edit or
// combo at most kEndingMaxWidth wide whose rectangle begins at most kEndingReach right of a
// printed label's rectangle on the same line and page; it follows the nearest such label.
// Its follower is the nearest printed label on that line beginning at most kFollowerReach
// right of the field. Ordered by page, line and position along the line.
inline constexpr int kEndingMaxWidth = 20;
inline constexpr int kEndingReach = 6;
inline constexpr int kFollowerReach = 12;
std::vector<EndingPair> FindEndings(const QList<LayoutComponent>& components);

// Where a text of width `advance` begins and ends when aligned within [left, right].
double TextStart(TextAlign align, double left, double right, double advance);
double TextEnd(TextAlign align, double left, double right, double advance);

// The width of `text` in the font `component` is shown in (page units).
using TextWidthIn = std::function<double(const LayoutComponent& component, const QString& text)>;

// What becomes of an ending's width when it has a follower. On the printed page the field
// holds its widest ending and stops where the blank before the follower begins, so the
// strike-out of an empty ending ends short of the next word; a field on screen keeps its
// width, which its frame and text margins need.
enum class EndingBoxes { KeepWidth, EndBeforeFollower };

// Moves every ending's rectangle to begin where its word's text ends, and its follower's to
// begin its text one blank after the widest ending the field can hold.
void PlaceEndings(QList<LayoutComponent>& components, const TextWidthIn& width, EndingBoxes boxes);
