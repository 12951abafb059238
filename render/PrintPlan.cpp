#include "render/PrintPlan.h"

std::vector<int> PrintPlan::pages() const
{
    std::vector<int> all;
    for (const PrintJobPlan& job : jobs)
        for (const std::vector<int>& side : job.sides)
            all.insert(all.end(), side.begin(), side.end());
    return all;
}

PrintPlan MakePrintPlan(int pageCount, bool twoSided)
{
    std::vector<int> first;
    std::vector<int> second;
    switch (pageCount) {
    case 1:
        first = {1};
        break;
    case 2:
        first = {1};
        second = {2};
        break;
    case 3:
        first = {1};
        second = {2, 3};
        break;
    case 4:
        first = {1, 4};
        second = {2, 3};
        break;
    default:
        return {};
    }
    if (second.empty())
        return {{{QStringLiteral("TOVRIX"), {first}}}, false};
    if (twoSided)
        return {{{QStringLiteral("TOVRIX"), {first, second}}}, false};
    return {{{QStringLiteral("TOVRIX 1"), {first}}, {QStringLiteral("TOVRIX 2"), {second}}}, true};
}
