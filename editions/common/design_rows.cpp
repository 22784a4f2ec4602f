#include "editions/common/design_rows.h"

namespace editions {

forms::FormDesign designFromRows(forms::FormDesign window, const std::vector<DesignRow>& rows,
                                 Which which, const std::string& resources) {
    for (const DesignRow& row : rows) {
        if (!row.present.of(which))
            continue;
        forms::ControlDesign& c = window.controls.emplace_back();
        const Rect& at = row.at.of(which);
        c.kind = row.kind;
        c.name = row.name;
        c.index = row.index;
        c.parent = row.parent;
        c.left = at.left;
        c.top = at.top;
        c.width = at.width;
        c.height = at.height;
        c.visible = row.visible.of(which);
        c.tabIndex = row.tabIndex.of(which);
        c.back = row.back.of(which);
        c.fore = row.fore;
        c.font = row.font;
        c.text = row.text.of(which);
        c.toolTip = row.toolTip;
        const std::string picture = row.picture.of(which);
        c.picture = picture.empty() ? std::string() : resources + picture;
        c.borderStyle = row.borderStyle;
        c.autoSize = row.autoSize;
        c.stretch = row.stretch;
        c.align = row.align;
        c.alignment = row.alignment;
        c.backStyle = row.backStyle;
        c.appearance = row.appearance;
        c.enabled = row.enabled;
        c.tabStop = row.tabStop;
        c.value = row.value;
    }
    return window;
}

DesignRow only(Which which, DesignRow row) {
    row.present = Both<bool>(which == Which::Kadroskop, which == Which::Lampionika);
    return row;
}

forms::Font cyrillicSansSerif(float size, int weight) {
    forms::Font f;
    f.name = "MS Sans Serif";
    f.size = size;
    f.weight = weight;
    f.charset = 204;
    return f;
}

} // namespace editions
