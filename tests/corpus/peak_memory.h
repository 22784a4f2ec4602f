#pragma once
#include <cstdint>

namespace picture_corpus {

// The peak resident size of this process since the last reset (Linux: VmHWM, reset through
// /proc/self/clear_refs), and the resident size now, in bytes; -1 where they cannot be read.
class PeakMemory {
  public:
    // Resets the peak to the resident size now.
    PeakMemory();
    // How far the resident size rose above its size at the reset.
    std::int64_t rise() const;

  private:
    std::int64_t start_;
};

} // namespace picture_corpus
