#pragma once
#include <string>

namespace testing_support {

// A temporary folder for one test, removed with everything in it at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    // A path inside the folder.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    // Makes a subfolder (and its parents); returns its path.
    std::string mkdir(const std::string& name) const;

  private:
    std::string path_;
};

} // namespace testing_support
