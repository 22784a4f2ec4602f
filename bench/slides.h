#pragma once
#include <QSize>

#include <cstdint>
#include <string>
#include <vector>

namespace editions {
struct Edition;
}

namespace bench {

// What one frame change of the main window cost, from the key that started it.
struct Change {
    double firstDifferentMs = -1; // to the first paint that differs from the window at rest
    double slideMs = 0;           // to the end of the slide (the key's handling returns)
    std::vector<double> moveMs;   // each later paint: from the previous presentation to its end
    int paints = 0;
    std::uint64_t decodes = 0;        // pictures decoded, on any thread
    std::int64_t heapGrowthBytes = 0; // peak live heap above what was live before the key
};

// Opens the film of `names` in `folder` in the edition's main window on a screen of `screen`
// pixels (offscreen platform), paced at `refreshHz`, and pages through it with Page Down and
// Page Up sent to the window as key events: to its end and back to its start.
std::vector<Change> pageThrough(const editions::Edition& edition, const std::string& folder,
                                const std::vector<std::string>& names, QSize screen,
                                double refreshHz);

} // namespace bench
