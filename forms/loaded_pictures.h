#pragma once
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <list>
#include <map>
#include <memory>
#include <string>

#include "forms/picture.h"
#include "forms/result.h"

namespace forms {

// The pictures loaded from files, by the file they came from. Loading a file again while it
// is unchanged (the same file, size and modification time) gives the picture loaded before,
// with whatever it decoded; a changed or replaced file is read afresh. A picture that some
// control holds is found as long as it lives; of those no control holds any more, the most
// recently loaded are kept, kKeptPictures of them at most and up to kKeptBytes of decoded
// pixels, so that paging back to a frame just left finds it decoded.
class LoadedPictures {
  public:
    Result<Picture> load(const std::string& hostPath);

    // What the pictures kept only here may hold in pixels: a few frames of a large screen.
    static constexpr std::int64_t kKeptBytes = 64LL * 1024 * 1024;
    static constexpr std::size_t kKeptPictures = 8;

  private:
    struct Identity {
        dev_t device;
        ino_t inode;
        off_t size;
        timespec modified;
        bool operator==(const Identity& o) const;
    };
    struct Entry {
        Identity identity;
        std::weak_ptr<const PictureData> picture;
    };
    void keep(const Picture& picture);

    std::map<std::string, Entry> live_;
    std::list<Picture> recent_; // the most recently loaded first
};

} // namespace forms
