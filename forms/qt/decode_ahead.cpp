#include "forms/qt/decode_ahead.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "forms/form.h"
#include "forms/qt/form_painter.h"

namespace forms::qt {

namespace {

using Work = std::vector<std::pair<forms::Picture, QSize>>;

void add(Work& work, const forms::Picture& picture, QSize size) {
    const bool listed = std::any_of(work.begin(), work.end(), [&](const auto& item) {
        return item.first == picture && item.second == size;
    });
    if (!listed)
        work.emplace_back(picture, size);
}

// The stretched pictures to decode, split by whether they show in `visible`, as the painter
// decides it.
void collect(const std::vector<forms::Control*>& children, const QRect& visible, qreal dpr,
             Work& shown, Work& hidden) {
    for (const forms::Control* c : children) {
        if (!c->Visible)
            continue;
        if (c->isContainer())
            collect(c->children(), visible, dpr, shown, hidden);
        const auto* image = dynamic_cast<const forms::Image*>(c);
        if (!image || !image->Stretch || !image->Picture.get())
            continue;
        const forms::Picture& picture = image->Picture.get();
        const QSize device = stretchedPictureSize(*image, dpr);
        if (device.isEmpty() || picture->requestedAt(device))
            continue;
        add(shownPart(*image, visible).isEmpty() ? hidden : shown, picture, device);
    }
}

// Pictures whose decode takes long enough to be worth a thread of its own: a megapixel or more.
bool isLarge(const forms::PictureData& picture) {
    return static_cast<long long>(picture.widthPx()) * picture.heightPx() >= 1000 * 1000;
}

std::future<void> decodeOnWorker(forms::Picture picture, QSize size,
                                 std::function<void()> done = {}) {
    return std::async(std::launch::async,
                      [picture = std::move(picture), size, done = std::move(done)] {
                          (void)picture->scaled(size);
                          if (done)
                              done();
                      });
}

} // namespace

DecodeAhead::~DecodeAhead() {
    for (auto& f : background_)
        f.wait();
}

void DecodeAhead::beforePaint(const forms::Form& form, QRect visible, qreal dpr, bool wait,
                              const std::function<void()>& decoded) {
    // Decodes that finished let go of their pictures.
    background_.erase(std::remove_if(background_.begin(), background_.end(),
                                     [](const std::future<void>& f) {
                                         return f.wait_for(std::chrono::seconds(0)) ==
                                                std::future_status::ready;
                                     }),
                      background_.end());
    Work shown, hidden;
    collect(form.children(), visible, dpr, shown, hidden);
    for (auto& [picture, size] : hidden)
        if (std::find(shown.begin(), shown.end(), std::make_pair(picture, size)) == shown.end())
            background_.push_back(decodeOnWorker(picture, size));
    // Large pictures side by side on workers; small ones (the design's bitmaps) cost less
    // than starting a thread, so this thread decodes them while the workers run.
    std::vector<std::future<void>> others;
    for (const auto& [picture, size] : shown) {
        if (!isLarge(*picture))
            continue;
        if (wait)
            others.push_back(decodeOnWorker(picture, size));
        else if (!picture->requestedAt(size))
            background_.push_back(decodeOnWorker(picture, size, decoded));
    }
    for (const auto& [picture, size] : shown)
        if (!isLarge(*picture))
            (void)picture->scaled(size);
    for (auto& f : others)
        f.wait();
}

} // namespace forms::qt
