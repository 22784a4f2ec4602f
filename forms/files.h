#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/result.h"

namespace forms {

// Which host folder each drive letter stands for. A letter mapped to a folder that does not
// exist is a drive that is not ready.
struct DriveTable {
    std::map<char, std::string> roots; // 'C' -> "/" ; letters upper case

    // C: is "/", then mounted media under /media, /media/<user>, /run/media/<user> and /mnt
    // as D:, E:, ... in the order of their host paths. A folder there counts when it is a
    // mount point or not empty (an empty folder is a place where nothing is mounted).
    static DriveTable linux();
    // The same, with the media folders looked for below `hostRoot` instead of "/" and for
    // `user` (C: stays "/"). linux() is linuxUnder("/", the effective user's name).
    static DriveTable linuxUnder(std::string_view hostRoot, std::string_view user);
};

// Attribute values of the listing.
inline constexpr int kAttrNormal = 0;
inline constexpr int kAttrDirectory = 16;

// Files, drives and directories with the semantics the windows were written for: drive
// paths ("C:\A\B"; a root is three characters ending in "\"), a current drive and a current
// directory for each drive, and a listing by wildcard pattern that is continued by a call
// without a pattern. Host paths appear only inside this class.
class FileSystem {
  public:
    explicit FileSystem(DriveTable drives, std::string startDirectory = {});

    // The current directory of the current drive: "C:\A\B", "C:\" at a root.
    std::string curDir() const;
    // The current directory of another drive ("" for a letter that is not a drive).
    std::string curDir(char drive) const;
    char currentDrive() const { return current_; }

    // Changes the current drive to the first letter of `path`. Fails for a letter that is
    // not a drive or a drive that is not ready.
    Status chDrive(std::string_view path);
    // Changes the current directory of the drive the path names (of the current drive for a
    // path without drive); the current drive stays. Relative paths resolve against that
    // drive's current directory. Fails for a folder that does not exist or cannot be read.
    Status chDir(std::string_view path);
    // Makes the drive of `path` current and enters the folder, or the nearest folder above
    // it that can be entered. Fails when not even the drive's root can be.
    Status enterNearest(std::string_view path);

    // First name matching `pattern` (letter case ignored) in the folder the pattern names,
    // or the current directory for a bare pattern; "" when none. Attribute 16 lists folders
    // too ("." and ".." below a root). Names come in the order the original file system
    // keeps: compared ordinally after upper-casing. Host names that cannot stand in a drive
    // path (containing "\", or not valid UTF-8) are passed over.
    std::string dir(std::string_view pattern, int attributes = kAttrNormal);
    // The next name of the listing under way; "" at its end (and when none is under way).
    std::string dir();

    // Subfolders of a folder as full drive paths, in listing order (for the folder list).
    std::vector<std::string> subfolders(std::string_view path) const;

    // Letters of the drives, in order, and whether one is ready.
    std::vector<char> drives() const;
    bool ready(char drive) const;

    // A drive path, or a bare or relative name, as the host path it stands for.
    std::optional<std::string> toHost(std::string_view path) const;
    // A host path as a drive path, when some drive holds it.
    std::optional<std::string> fromHost(std::string_view hostPath) const;
    // A drive path made full: drive letter, root and "..", "." resolved.
    std::optional<std::string> full(std::string_view path) const;

  private:
    // A drive path taken apart: upper-case drive letter and the names below its root.
    struct Resolved {
        char drive = 0;
        std::vector<std::string> parts;
    };
    // Any drive path, relative or bare name, made full against the current directories.
    std::optional<Resolved> resolve(std::string_view path) const;
    std::optional<std::string> hostOf(const Resolved& r) const;

    DriveTable table_;
    char current_ = 'C';
    std::map<char, std::string> curDirs_; // per drive: full drive path
    std::vector<std::string> listing_;
    std::size_t listingPos_ = 0;
};

} // namespace forms
