#include "forms/loaded_pictures.h"

#include <sys/stat.h>

#include <iterator>

namespace forms {

bool LoadedPictures::Identity::operator==(const Identity& o) const {
    return device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
}

Result<Picture> LoadedPictures::load(const std::string& hostPath) {
    // The identity is taken before the file is read: should the file change while it is
    // read, the next load sees another identity and reads it again.
    struct stat st {};
    const bool known = ::stat(hostPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    const Identity identity{st.st_dev, st.st_ino, st.st_size, st.st_mtim};
    if (known) {
        const auto it = live_.find(hostPath);
        if (it != live_.end() && it->second.identity == identity)
            if (Picture picture = it->second.picture.lock()) {
                keep(picture);
                return picture;
            }
    }
    Result<Picture> loaded = PictureData::fromFile(hostPath);
    // What was loaded from the file before can be found no more: it is not kept for it.
    if (const auto it = live_.find(hostPath); it != live_.end())
        if (const Picture before = it->second.picture.lock())
            recent_.remove(before);
    for (auto it = live_.begin(); it != live_.end();)
        it = it->second.picture.expired() ? live_.erase(it) : std::next(it);
    if (loaded && known) {
        live_[hostPath] = Entry{identity, loaded.value()};
        keep(loaded.value());
    } else {
        live_.erase(hostPath);
    }
    return loaded;
}

void LoadedPictures::keep(const Picture& picture) {
    recent_.remove(picture);
    recent_.push_front(picture);
    // Of those only kept here (no control holds them), the oldest go first, until their
    // pixels fit and they are few.
    std::int64_t bytes = 0;
    std::size_t count = 0;
    for (const Picture& p : recent_)
        if (p.use_count() == 1) {
            bytes += p->decodedBytes();
            ++count;
        }
    for (auto it = recent_.end();
         (bytes > kKeptBytes || count > kKeptPictures) && it != recent_.begin();) {
        --it;
        if (it->use_count() == 1) {
            bytes -= (*it)->decodedBytes();
            --count;
            it = recent_.erase(it);
        }
    }
}

} // namespace forms
