#include "forms/files.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <type_traits>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "forms/strings.h"

namespace forms {

namespace {

namespace fs = std::filesystem;

// Letters and case in drive names are ASCII only; no locale is consulted.
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool hasDrive(std::string_view p) {
    return p.size() >= 2 && isLetter(p[0]) && p[1] == ':';
}

std::string rootOf(char drive) {
    return std::string{drive, ':', '\\'};
}

std::string joinDrive(char drive, const std::vector<std::string>& parts) {
    std::string out = rootOf(drive);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i)
            out += '\\';
        out += parts[i];
    }
    return out;
}

std::string joinHost(std::string root, const std::vector<std::string>& parts) {
    for (const auto& part : parts) {
        if (root.empty() || root.back() != '/')
            root += '/';
        root += part;
    }
    return root;
}

// A host path made absolute and lexically normal, without a trailing "/" (except "/").
std::string normalHost(std::string_view path) {
    fs::path p{std::string(path)};
    if (p.is_relative()) {
        std::error_code ec;
        const fs::path cwd = fs::current_path(ec);
        if (ec)
            return {};
        p = cwd / p;
    }
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

std::string canonicalHost(const std::string& path) {
    std::error_code ec;
    const fs::path p = fs::weakly_canonical(path, ec);
    return ec ? std::string() : normalHost(p.string());
}

// The names below `root` when `path` lies in it ("" root matches nothing).
std::optional<std::vector<std::string>> below(const std::string& root, const std::string& path) {
    if (root.empty() || path.empty())
        return std::nullopt;
    std::string_view rest;
    if (root == "/") {
        rest = std::string_view(path).substr(1);
    } else if (path == root) {
        rest = {};
    } else if (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
               path[root.size()] == '/') {
        rest = std::string_view(path).substr(root.size() + 1);
    } else {
        return std::nullopt;
    }
    std::vector<std::string> parts;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        parts.emplace_back(rest.substr(0, slash));
        rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
    }
    return parts;
}

// A host name that can stand in a drive path: text, and no "\" in it.
bool showable(std::string_view name) {
    return !name.empty() && name.find('\\') == std::string_view::npos && str::validUtf8(name);
}

bool isFolder(const std::string& host) {
    struct stat st {};
    return ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

struct Entry {
    std::string name;
    bool folder = false;
};

// The entries of a host folder that are regular files (and folders when asked), symbolic
// links followed once; "." and ".." left out. Anything that cannot be looked at (a link
// that loops or dangles, an entry that vanished, a device, a FIFO) is passed over. Empty when
// the folder cannot be read or entered.
std::vector<Entry> readFolder(const std::string& host, bool files, bool folders) {
    std::vector<Entry> out;
    // A folder that can be read but not entered gives names of files that cannot be opened
    // or looked at: it lists nothing, as it cannot be made the current directory either.
    if (::access(host.c_str(), X_OK) != 0)
        return out;
    DIR* d = ::opendir(host.c_str());
    if (!d)
        return out;
    const int fd = ::dirfd(d);
    while (const dirent* ent = ::readdir(d)) {
        const std::string_view name = ent->d_name;
        if (name == "." || name == ".." || !showable(name))
            continue;
        bool reg = false;
        bool dir = false;
        if (ent->d_type == DT_REG) {
            reg = true;
        } else if (ent->d_type == DT_DIR) {
            dir = true;
        } else if (ent->d_type == DT_LNK || ent->d_type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(fd, ent->d_name, &st, 0) != 0)
                continue; // ELOOP, dangling link, vanished
            reg = S_ISREG(st.st_mode);
            dir = S_ISDIR(st.st_mode);
        }
        if ((reg && files) || (dir && folders))
            out.push_back({std::string(name), dir});
    }
    ::closedir(d);
    return out;
}

bool ascii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A name upper-cased, as code units of type C. Plain ASCII names, by far the most common,
// are mapped directly; others through the full case table.
template <class C> std::basic_string<C> upperAs(std::string_view utf8) {
    if (ascii(utf8)) {
        std::basic_string<C> out(utf8.size(), C{});
        std::transform(utf8.begin(), utf8.end(), out.begin(), [](char c) {
            return static_cast<C>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        });
        return out;
    }
    const QString upper = QString::fromUtf8(str::ucase(utf8));
    if constexpr (std::is_same_v<C, char32_t>)
        return upper.toStdU32String();
    else
        return upper.toStdU16String();
}

std::u32string upperCodePoints(std::string_view utf8) {
    return upperAs<char32_t>(utf8);
}

// `*` any run of characters, `?` exactly one; both strings already upper-cased.
bool globMatch(std::u32string_view name, std::u32string_view pat) {
    std::size_t n = 0, p = 0;
    std::size_t starP = std::u32string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pat.size() && (pat[p] == U'?' || pat[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pat.size() && pat[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u32string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == U'*')
        ++p;
    return p == pat.size();
}

// A name against a listing pattern, letter case ignored. As on the original platform, a
// name without an extension also matches a pattern ending in ".*" ("*.*" is everything) or
// in "." ("*." is every name without an extension).
class Pattern {
  public:
    explicit Pattern(std::string_view pattern) : pat_(upperCodePoints(pattern)) {
        dotless_ = !pat_.empty() && (pat_.back() == U'.' || pat_.ends_with(U".*"));
    }
    bool matches(std::string_view name) const {
        std::u32string n = upperCodePoints(name);
        if (globMatch(n, pat_))
            return true;
        if (dotless_ && n.find(U'.') == std::u32string::npos) {
            n += U'.';
            return globMatch(n, pat_);
        }
        return false;
    }

  private:
    std::u32string pat_;
    bool dotless_ = false;
};

// Names in the order the original file system keeps its directories: upper-cased, then
// compared by UTF-16 code units. Names that differ only in case (possible here, not there)
// are kept apart by their bytes, so the order is stable.
void sortAsDirectory(std::vector<Entry>& entries) {
    std::vector<std::pair<std::u16string, Entry>> keyed;
    keyed.reserve(entries.size());
    for (auto& e : entries)
        keyed.emplace_back(upperAs<char16_t>(e.name), std::move(e));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return a.second.name < b.second.name;
    });
    entries.clear();
    for (auto& k : keyed)
        entries.push_back(std::move(k.second));
}

bool nonEmptyFolder(const std::string& host) {
    DIR* d = ::opendir(host.c_str());
    if (!d)
        return false;
    bool any = false;
    while (const dirent* ent = ::readdir(d)) {
        const std::string_view name = ent->d_name;
        if (name != "." && name != "..") {
            any = true;
            break;
        }
    }
    ::closedir(d);
    return any;
}

// Folders directly in `parent` where media may be mounted: mount points (another device
// than the parent's) or folders with something in them. Dot folders and `skip` left out.
void mediaIn(const std::string& parent, std::string_view skip, std::vector<std::string>& out) {
    struct stat parentSt {};
    if (::stat(parent.c_str(), &parentSt) != 0 || !S_ISDIR(parentSt.st_mode))
        return;
    DIR* d = ::opendir(parent.c_str());
    if (!d)
        return;
    while (const dirent* ent = ::readdir(d)) {
        const std::string_view name = ent->d_name;
        if (name.empty() || name.front() == '.' || (!skip.empty() && name == skip))
            continue;
        const std::string path = parent + "/" + std::string(name);
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            continue;
        if (st.st_dev != parentSt.st_dev || nonEmptyFolder(path))
            out.push_back(path);
    }
    ::closedir(d);
}

std::string effectiveUser() {
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &pw, buf.data(), buf.size(), &found) == 0 && found &&
        found->pw_name)
        return found->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

} // namespace

DriveTable DriveTable::linux() {
    return linuxUnder("/", effectiveUser());
}

DriveTable DriveTable::linuxUnder(std::string_view hostRoot, std::string_view user) {
    DriveTable table;
    table.roots['C'] = "/";
    std::string base(hostRoot);
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    // A user name that is not a plain folder name is not looked for.
    const bool plainUser =
        !user.empty() && user.find('/') == std::string_view::npos && user != "." && user != "..";
    std::vector<std::string> media;
    mediaIn(base + "/media", plainUser ? user : std::string_view{}, media);
    if (plainUser) {
        mediaIn(base + "/media/" + std::string(user), {}, media);
        mediaIn(base + "/run/media/" + std::string(user), {}, media);
    }
    mediaIn(base + "/mnt", {}, media);
    std::sort(media.begin(), media.end());
    media.erase(std::unique(media.begin(), media.end()), media.end());
    char letter = 'D';
    for (const auto& path : media) {
        if (letter > 'Z')
            break;
        table.roots[letter++] = path;
    }
    return table;
}

FileSystem::FileSystem(DriveTable drives, std::string startDirectory) {
    for (auto& [letter, root] : drives.roots) {
        if (isLetter(letter))
            table_.roots[upper(letter)] = std::move(root);
    }
    for (const auto& entry : table_.roots)
        curDirs_[entry.first] = rootOf(entry.first);
    if (!table_.roots.empty())
        current_ = table_.roots.count('C') ? 'C' : table_.roots.begin()->first;
    if (!startDirectory.empty()) {
        if (const auto start = fromHost(startDirectory)) {
            current_ = (*start)[0];
            curDirs_[current_] = *start;
        }
    }
}

std::string FileSystem::curDir() const {
    return curDir(current_);
}

std::string FileSystem::curDir(char drive) const {
    const auto it = curDirs_.find(upper(drive));
    return it == curDirs_.end() ? std::string() : it->second;
}

Status FileSystem::chDrive(std::string_view path) {
    if (path.empty() || !isLetter(path[0]))
        return Failure{"no drive named"};
    const char drive = upper(path[0]);
    if (!table_.roots.count(drive))
        return Failure{std::string("no drive ") + drive + ":"};
    if (!ready(drive))
        return Failure{std::string("drive ") + drive + ": is not ready"};
    current_ = drive;
    return success();
}

Status FileSystem::chDir(std::string_view path) {
    const auto r = resolve(path);
    if (!r)
        return Failure{"not a valid path"};
    if (!table_.roots.count(r->drive))
        return Failure{std::string("no drive ") + r->drive + ":"};
    if (!ready(r->drive))
        return Failure{std::string("drive ") + r->drive + ": is not ready"};
    const auto host = hostOf(*r);
    if (!host || !isFolder(*host))
        return Failure{"path not found"};
    if (::access(host->c_str(), R_OK | X_OK) != 0)
        return Failure{"permission denied"};
    curDirs_[r->drive] = joinDrive(r->drive, r->parts);
    return success();
}

Status FileSystem::enterNearest(std::string_view path) {
    if (Status s = chDrive(path); !s)
        return s;
    std::string p(path);
    while (!chDir(p)) {
        const auto cut = p.find_last_of('\\');
        if (p.size() <= 3 || cut == std::string::npos)
            return Failure{"no folder of " + std::string(path) + " can be entered"};
        p = cut <= 2 ? p.substr(0, 3) : p.substr(0, cut);
    }
    return success();
}

std::string FileSystem::dir(std::string_view pattern, int attributes) {
    listing_.clear();
    listingPos_ = 0;

    std::string p(pattern);
    std::replace(p.begin(), p.end(), '/', '\\');
    std::string folder;
    std::string name;
    const std::size_t sep = p.find_last_of('\\');
    if (sep != std::string::npos) {
        folder = p.substr(0, sep + 1);
        name = p.substr(sep + 1);
    } else if (hasDrive(p)) {
        folder = p.substr(0, 2);
        name = p.substr(2);
    } else {
        folder = ".";
        name = p;
    }
    // A folder alone ("C:\X\") lists everything in it.
    if (name.empty())
        name = "*";

    const auto r = resolve(folder);
    if (!r)
        return {};
    const auto host = hostOf(*r);
    if (!host)
        return {};
    const bool folders = (attributes & kAttrDirectory) != 0;
    std::vector<Entry> entries = readFolder(*host, true, folders);
    const Pattern match(name);
    std::erase_if(entries, [&](const Entry& e) { return !match.matches(e.name); });
    sortAsDirectory(entries);

    // The original file system gives "." and ".." first, in every folder but a root. They are
    // shown only when the folder itself can be read and entered.
    if (folders && !r->parts.empty() && ::access(host->c_str(), R_OK | X_OK) == 0 &&
        isFolder(*host)) {
        for (const char* dot : {".", ".."})
            if (match.matches(dot))
                listing_.emplace_back(dot);
    }
    for (auto& e : entries)
        listing_.push_back(std::move(e.name));
    return dir();
}

std::string FileSystem::dir() {
    if (listingPos_ < listing_.size())
        return listing_[listingPos_++];
    listing_.clear();
    listingPos_ = 0;
    return {};
}

std::vector<std::string> FileSystem::subfolders(std::string_view path) const {
    std::vector<std::string> out;
    const auto r = resolve(path);
    if (!r)
        return out;
    const auto host = hostOf(*r);
    if (!host)
        return out;
    std::vector<Entry> entries = readFolder(*host, false, true);
    sortAsDirectory(entries);
    const std::string base = joinDrive(r->drive, r->parts);
    for (const auto& e : entries)
        out.push_back(base + (r->parts.empty() ? "" : "\\") + e.name);
    return out;
}

std::vector<char> FileSystem::drives() const {
    std::vector<char> out;
    for (const auto& entry : table_.roots)
        out.push_back(entry.first);
    return out;
}

bool FileSystem::ready(char drive) const {
    const auto it = table_.roots.find(upper(drive));
    return it != table_.roots.end() && !it->second.empty() && isFolder(it->second);
}

std::optional<std::string> FileSystem::toHost(std::string_view path) const {
    const auto r = resolve(path);
    if (!r)
        return std::nullopt;
    return hostOf(*r);
}

std::optional<std::string> FileSystem::fromHost(std::string_view hostPath) const {
    if (hostPath.empty() || hostPath.find('\0') != std::string_view::npos)
        return std::nullopt;
    const std::string lexical = normalHost(hostPath);
    // First as written; then with links resolved on both sides, for a root or a path that is
    // reached through a symbolic link.
    for (int pass = 0; pass < 2; ++pass) {
        const std::string path = pass == 0 ? lexical : canonicalHost(lexical);
        char best = 0;
        std::size_t bestLength = 0;
        std::vector<std::string> bestParts;
        for (const auto& [letter, root] : table_.roots) {
            const std::string r = pass == 0 ? normalHost(root) : canonicalHost(normalHost(root));
            auto parts = below(r, path);
            if (parts && (best == 0 || r.size() > bestLength)) {
                best = letter;
                bestLength = r.size();
                bestParts = std::move(*parts);
            }
        }
        if (best) {
            for (const auto& part : bestParts)
                if (!showable(part))
                    return std::nullopt;
            return joinDrive(best, bestParts);
        }
    }
    return std::nullopt;
}

std::optional<std::string> FileSystem::full(std::string_view path) const {
    const auto r = resolve(path);
    if (!r)
        return std::nullopt;
    return joinDrive(r->drive, r->parts);
}

std::optional<FileSystem::Resolved> FileSystem::resolve(std::string_view path) const {
    if (path.empty() || path.find('\0') != std::string_view::npos)
        return std::nullopt;
    std::string p(path);
    std::replace(p.begin(), p.end(), '/', '\\');

    Resolved r;
    std::string_view rest = p;
    bool absolute = false;
    if (hasDrive(rest)) {
        r.drive = upper(rest[0]);
        rest.remove_prefix(2);
        absolute = !rest.empty() && rest.front() == '\\';
    } else if (rest.starts_with("\\\\")) {
        return std::nullopt; // network paths have no drive
    } else {
        r.drive = current_;
        absolute = rest.front() == '\\';
    }
    if (!absolute) {
        // Start from the drive's current directory ("X:\" for a letter that is not a drive).
        const std::string base = curDir(r.drive);
        std::string_view b = base.size() > 3 ? std::string_view(base).substr(3) : "";
        while (!b.empty()) {
            const std::size_t sep = b.find('\\');
            r.parts.emplace_back(b.substr(0, sep));
            b = sep == std::string_view::npos ? std::string_view{} : b.substr(sep + 1);
        }
    }
    while (!rest.empty()) {
        const std::size_t sep = rest.find('\\');
        const std::string_view part = rest.substr(0, sep);
        rest = sep == std::string_view::npos ? std::string_view{} : rest.substr(sep + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!r.parts.empty())
                r.parts.pop_back();
            continue;
        }
        r.parts.emplace_back(part);
    }
    return r;
}

std::optional<std::string> FileSystem::hostOf(const Resolved& r) const {
    const auto it = table_.roots.find(r.drive);
    if (it == table_.roots.end() || it->second.empty())
        return std::nullopt;
    return joinHost(it->second, r.parts);
}

} // namespace forms
