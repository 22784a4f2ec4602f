#pragma once
// What the benchmarks share: photographs with a real photograph's detail, timing, and the
// reference tools they are measured against.
#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d);
double median(std::vector<double> v);
double maximum(const std::vector<double>& v);

// A JPEG of w x h pixels with soft shapes, light and sensor grain, so that decoding it costs
// what a photograph's does.
void writePhoto(const std::string& path, int w, int h, unsigned seed);

// Wall time of a command run to its end (argv[0] looked up on the PATH), its output thrown
// away; exits the benchmark when the command fails.
double commandMs(const std::vector<std::string>& argv);

} // namespace bench
