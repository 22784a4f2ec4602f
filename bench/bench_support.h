#pragma once
// What the benchmarks share: timing, and running the reference tools they are measured
// against (photographs to measure are in bench/photos.h).
#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d);
double median(std::vector<double> v);
double maximum(const std::vector<double>& v);

// Wall time of a command run to its end (argv[0] looked up on the PATH), its output thrown
// away; exits the benchmark when the command fails.
double commandMs(const std::vector<std::string>& argv);

} // namespace bench
