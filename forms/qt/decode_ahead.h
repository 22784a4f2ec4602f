#pragma once
#include <QtGlobal>

namespace forms {
class Form;
}

namespace forms::qt {

// Decodes, side by side on worker threads, the pictures a paint of the form is about to
// draw stretched and that are not decoded at their drawn size yet (the two frames of a
// slide after a frame change), so that the paint itself only draws. Returns when all are
// decoded. Nothing of the model changes: the handlers still run one at a time.
void decodeAhead(const forms::Form& form, qreal devicePixelRatio);

} // namespace forms::qt
