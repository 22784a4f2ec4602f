#include "tests/corpus/peak_memory.h"

#include <fstream>
#include <string>

namespace picture_corpus {

namespace {

std::int64_t statusKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1)) * 1024;
    return -1;
}

} // namespace

PeakMemory::PeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
    start_ = statusKb("VmRSS");
}

std::int64_t PeakMemory::rise() const {
    const std::int64_t peak = statusKb("VmHWM");
    return peak < 0 || start_ < 0 ? -1 : peak - start_;
}

} // namespace picture_corpus
