#pragma once
// The 32 nudge buttons of the print window: each moves two edges of one page's print
// rectangle by 1 mm. A guard stops the nudge when its edge is exactly 1; a guard between
// the two steps keeps the first step done.

#include "store/Records.h"

#include <optional>

enum class Edge { Left, Top, Right, Bottom };

enum class NudgeKind { Up, Left, Down, Right, WidthPlus, WidthMinus, HeightPlus, HeightMinus };

struct NudgeStep {
    Edge edge;
    int delta;
};

struct NudgeRule {
    std::optional<Edge> guardBefore;
    NudgeStep first;
    std::optional<Edge> guardBetween;
    NudgeStep second;
};

struct NudgeButton {
    int page;  // 1 to 4
    NudgeKind kind;
};

// SpeedButton1 to SpeedButton32; nullopt for any other number.
std::optional<NudgeButton> NudgeButtonOf(int number);

// Page 1 guards more than pages 2 to 4.
NudgeRule NudgeRuleOf(int page, NudgeKind kind);

int& EdgeOf(MarginRect& rect, Edge edge);

void ApplyNudge(const NudgeRule& rule, MarginRect& rect);
