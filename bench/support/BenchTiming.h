#pragma once
// Timing of the benchmarks: the program's work and its floor run alternately in one
// process, so both see the same machine load; each prints its median and its spread.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
};

inline Spread SpreadOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

inline double TimeMs(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// One warm-up run of each, then `runs` pairs, program first in even pairs and floor first
// in odd ones.
inline std::pair<Spread, Spread> Alternate(int runs, const std::function<void()>& program,
                                           const std::function<void()>& floor)
{
    program();
    floor();
    std::vector<double> programTimes, floorTimes;
    for (int run = 0; run < runs; ++run) {
        if (run % 2 == 0) {
            programTimes.push_back(TimeMs(program));
            floorTimes.push_back(TimeMs(floor));
        } else {
            floorTimes.push_back(TimeMs(floor));
            programTimes.push_back(TimeMs(program));
        }
    }
    return {SpreadOf(programTimes), SpreadOf(floorTimes)};
}

// "what  now 12.3 ms (11.9-14.0)  floor 6.1 ms (5.9-7.2)  ratio 2.02  goal <= 2.0x: met";
// a goal ratio of 0 prints no goal.
inline void Report(const char* what, const std::pair<Spread, Spread>& times, double goalRatio = 0,
                   double goalMs = 0)
{
    const auto& [program, floor] = times;
    const double ratio = program.median / floor.median;
    std::string goal;
    if (goalRatio > 0) {
        const bool met = ratio <= goalRatio && (goalMs <= 0 || program.median < goalMs);
        goal = "   goal <= " + std::to_string(goalRatio).substr(0, 3) + "x" +
               (goalMs > 0 ? " and < " + std::to_string(int(goalMs)) + " ms" : std::string()) +
               (met ? ": met" : ": NOT met");
    }
    std::printf("%-46s now %8.2f ms (%.2f-%.2f)   floor %8.2f ms (%.2f-%.2f)   ratio %5.2f%s\n",
                what, program.median, program.min, program.max, floor.median, floor.min, floor.max,
                ratio, goal.c_str());
}
