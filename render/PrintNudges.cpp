#include "render/PrintNudges.h"

#include <array>

namespace {

using K = NudgeKind;

// Index = button number − 1.
constexpr std::array<NudgeButton, 32> kButtons = {{
    {1, K::Up},        {1, K::Left},       {1, K::Down},        {1, K::Right},        // 1 to 4
    {2, K::Up},        {2, K::Left},       {2, K::Down},        {2, K::Right},        // 5 to 8
    {1, K::WidthPlus}, {1, K::WidthMinus}, {1, K::HeightPlus},  {1, K::HeightMinus},  // 9 to 12
    {2, K::WidthPlus}, {2, K::WidthMinus}, {2, K::HeightMinus}, {2, K::HeightPlus},   // 13 to 16
    {3, K::Right},     {3, K::Down},       {3, K::Left},        {3, K::Up},           // 17 to 20
    {3, K::WidthPlus}, {3, K::WidthMinus}, {3, K::HeightMinus}, {3, K::HeightPlus},   // 21 to 24
    {4, K::Right},     {4, K::Down},       {4, K::Left},        {4, K::Up},           // 25 to 28
    {4, K::WidthPlus}, {4, K::WidthMinus}, {4, K::HeightMinus}, {4, K::HeightPlus},   // 29 to 32
}};

}  // namespace

std::optional<NudgeButton> NudgeButtonOf(int number)
{
    if (number < 1 || number > int(kButtons.size()))
        return std::nullopt;
    return kButtons[number - 1];
}

NudgeRule NudgeRuleOf(int page, NudgeKind kind)
{
    const bool firstPage = page == 1;
    const auto guardIf = [](bool on, Edge edge) {
        return on ? std::optional<Edge>(edge) : std::nullopt;
    };
    switch (kind) {
    case K::Up:
        return {Edge::Top, {Edge::Top, -1}, std::nullopt, {Edge::Bottom, -1}};
    case K::Left:
        return {Edge::Left, {Edge::Left, -1}, guardIf(firstPage, Edge::Right), {Edge::Right, -1}};
    case K::Down:
        return {std::nullopt, {Edge::Top, +1}, std::nullopt, {Edge::Bottom, +1}};
    case K::Right:
        return {std::nullopt, {Edge::Left, +1}, std::nullopt, {Edge::Right, +1}};
    case K::WidthPlus:
        return {Edge::Left, {Edge::Left, -1}, std::nullopt, {Edge::Right, +1}};
    case K::WidthMinus:
        if (firstPage)
            return {Edge::Right, {Edge::Right, -1}, std::nullopt, {Edge::Left, +1}};
        return {std::nullopt, {Edge::Left, +1}, std::nullopt, {Edge::Right, -1}};
    case K::HeightPlus:
        return {Edge::Top, {Edge::Top, -1}, std::nullopt, {Edge::Bottom, +1}};
    case K::HeightMinus:
        return {
            std::nullopt, {Edge::Top, +1}, guardIf(firstPage, Edge::Bottom), {Edge::Bottom, -1}};
    }
    return {};
}

int& EdgeOf(MarginRect& rect, Edge edge)
{
    switch (edge) {
    case Edge::Left:
        return rect.X1;
    case Edge::Top:
        return rect.Y1;
    case Edge::Right:
        return rect.X2;
    case Edge::Bottom:
        break;
    }
    return rect.Y2;
}

void ApplyNudge(const NudgeRule& rule, MarginRect& rect)
{
    if (rule.guardBefore && EdgeOf(rect, *rule.guardBefore) == 1)
        return;
    EdgeOf(rect, rule.first.edge) += rule.first.delta;
    if (rule.guardBetween && EdgeOf(rect, *rule.guardBetween) == 1)
        return;
    EdgeOf(rect, rule.second.edge) += rule.second.delta;
}
