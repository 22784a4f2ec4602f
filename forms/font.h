#pragma once
#include <string>

namespace forms {

// A font as a design names it. The host substitutes installed, metric-close faces.
struct Font {
    std::string name = "MS Sans Serif";
    float size = 8.25f; // points
    int weight = 400;
    bool italic = false;
    int charset = 0;
    bool operator==(const Font&) const = default;
};

} // namespace forms
