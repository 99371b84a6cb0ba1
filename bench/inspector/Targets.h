#pragma once

#include <optional>

// What the inspector is held to. A page size without a target of its own
// takes that of the next larger size that has one.
namespace bench::targets {

inline constexpr double kLongestStepMs = 50;
inline constexpr double kRowsInViewMs = 300;
inline constexpr double kSortMs = 1000;
inline constexpr double kStallTotalMs = 2500;
inline constexpr int kStepsAfterResume = 2;
inline constexpr double kStdtypesReadyMs = 10000;

// Up to this size every row is filled within a fixed time; above it,
// within a multiple of what vorlane-cli elements takes on the same page.
inline constexpr int kFixedReadyUpTo = 10000;
inline constexpr double kFixedReadyMs = 3000;
inline constexpr double kReadyTimesCli = 5;

inline std::optional<double> readyMs(int elements, std::optional<double> cliMs)
{
    if (elements <= kFixedReadyUpTo)
        return kFixedReadyMs;
    if (cliMs)
        return kReadyTimesCli * *cliMs;
    return std::nullopt;
}

inline std::optional<double> residentMb(int elements)
{
    if (elements <= 10000)
        return 120;
    if (elements <= 100000)
        return 300;
    return std::nullopt;
}

} // namespace bench::targets
