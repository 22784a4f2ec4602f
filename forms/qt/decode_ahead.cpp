#include "forms/qt/decode_ahead.h"

#include <future>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "forms/qt/form_painter.h"

namespace forms::qt {

namespace {

using Work = std::vector<std::pair<forms::Picture, QSize>>;

void collect(const std::vector<forms::Control*>& children, qreal dpr, Work& work) {
    for (const forms::Control* c : children) {
        if (!c->Visible)
            continue;
        if (c->isContainer())
            collect(c->children(), dpr, work);
        const auto* image = dynamic_cast<const forms::Image*>(c);
        if (!image || !image->Stretch || !image->Picture.get())
            continue;
        const QSize device = stretchedPictureSize(*image, dpr);
        if (device.isEmpty() || image->Picture.get()->decodedAt(device))
            continue;
        bool listed = false;
        for (const auto& [pic, size] : work)
            listed = listed || (pic == image->Picture.get() && size == device);
        if (!listed)
            work.emplace_back(image->Picture.get(), device);
    }
}

} // namespace

void decodeAhead(const forms::Form& form, qreal dpr) {
    Work work;
    collect(form.children(), dpr, work);
    if (work.size() < 2)
        return; // one picture: the paint decodes it, nothing to run side by side
    std::vector<std::future<void>> others;
    for (std::size_t i = 1; i < work.size(); ++i)
        others.push_back(std::async(std::launch::async,
                                    [&item = work[i]] { (void)item.first->scaled(item.second); }));
    (void)work[0].first->scaled(work[0].second);
    for (auto& f : others)
        f.wait();
}

} // namespace forms::qt
