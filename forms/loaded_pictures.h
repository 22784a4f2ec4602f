#pragma once
#include <sys/types.h>

#include <ctime>
#include <map>
#include <memory>
#include <string>

#include "forms/picture.h"
#include "forms/result.h"

namespace forms {

// The pictures loaded from files that some control still holds, by the file they came from.
// Loading a file again while it is unchanged (the same file, size and modification time)
// gives the picture already loaded, with whatever it decoded; a changed or replaced file is
// read afresh. Nothing is kept alive here: a picture no control holds is gone, pixels and
// all, so the reuse keeps no memory of its own.
class LoadedPictures {
  public:
    Result<Picture> load(const std::string& hostPath);

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
    std::map<std::string, Entry> live_;
};

} // namespace forms
