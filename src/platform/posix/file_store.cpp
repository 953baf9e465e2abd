#include "platform/posix/file_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <random>
#include <string_view>

namespace dx {

namespace {

// A temporary file is the target's name, this suffix and six random letters.
constexpr const char* kTemporarySuffix = ".tmp-";

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

PosixFileStore::~PosixFileStore() {
    for (const auto& [path, fd] : locks_) ::close(fd);
}

LinkEnd followLinks(const std::string& path) {
    // The depth at which the system itself gives up (ELOOP).
    constexpr int kMaxLinks = 40;
    LinkEnd end{path};
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(end.path.c_str(), &st) != 0) {
            end.missing = end.isLink && errno == ENOENT;
            return end;
        }
        if (!S_ISLNK(st.st_mode)) return end;
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(end.path.c_str(), target.data(), target.size());
        if (n < 0) return end;
        target.resize(static_cast<size_t>(n));
        end.isLink = true;
        end.path = target.starts_with('/') ? target : folderOf(end.path) + "/" + target;
    }
    end.loop = true;
    return end;
}

namespace {

FileIdentity identityOf(const struct stat& st) {
    return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
            static_cast<int64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

// Reads at most limit + 1 bytes: one more than the ceiling says the file
// grew past it while being read.
bool readUpTo(int fd, uint64_t limit, std::string& out) {
    char buf[65536];
    while (out.size() <= limit) {
        const size_t want = std::min<uint64_t>(sizeof buf, limit + 1 - out.size());
        const ssize_t n = ::read(fd, buf, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

bool PosixFileStore::exists(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileStatus PosixFileStore::status(const std::string& path) const {
    FileStatus s;
    const LinkEnd end = followLinks(path);
    if (end.isLink) s.linkTarget = end.path;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        s.kind = end.missing       ? FileKind::DanglingLink
                 : errno == ENOENT ? FileKind::Missing
                                   : FileKind::NotAFile;
        return s;
    }
    s.kind = S_ISREG(st.st_mode) ? FileKind::Regular : FileKind::NotAFile;
    if (s.kind == FileKind::Regular) s.identity = identityOf(st);
    return s;
}

FileRead PosixFileStore::readFile(const std::string& path, uint64_t maxBytes) const {
    using P = FileRead::Problem;
    FileRead result;
    // Non-blocking: a FIFO with no writer would otherwise hold the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.problem = errno == ENOENT  ? P::Missing
                         : errno == ENXIO ? P::NotAFile
                                          : P::Unreadable;
        result.reason = std::strerror(errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result.problem = P::Unreadable;
        result.reason = std::strerror(errno);
    } else if (!S_ISREG(st.st_mode)) {
        result.problem = P::NotAFile;
    } else if (static_cast<uint64_t>(st.st_size) > maxBytes) {
        result.problem = P::TooLarge;
    } else {
        std::string bytes;
        bytes.reserve(static_cast<size_t>(st.st_size));
        if (!readUpTo(fd, maxBytes, bytes)) {
            result.problem = P::Unreadable;
            result.reason = std::strerror(errno);
        } else if (bytes.size() > maxBytes) {
            result.problem = P::TooLarge;
        } else {
            result.bytes = std::move(bytes);
            result.identity = identityOf(st);
        }
    }
    ::close(fd);
    return result;
}

std::optional<std::string> PosixFileStore::read(const std::string& path) const {
    return readFile(path, kDefaultMaxReadBytes).bytes;
}

namespace {

// The file a write of path replaces: the end of its links. A link that
// leads nowhere is not written through: its target may be on a drive that
// is not there now.
std::optional<std::string> writeTarget(const std::string& path, std::string& error) {
    const LinkEnd end = followLinks(path);
    if (end.loop) {
        error = std::strerror(ELOOP);
        return std::nullopt;
    }
    if (end.missing) {
        error = end.path + ": " + std::strerror(ENOENT);
        return std::nullopt;
    }
    // A folder, a FIFO or a device under the name is no file of ours.
    struct stat st {};
    if (::stat(end.path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        error = end.path + ": not a regular file";
        return std::nullopt;
    }
    return end.path;
}

// The mode a new version of target takes: the old file's, or private.
mode_t modeFor(const std::string& target) {
    struct stat st {};
    return ::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? st.st_mode & 07777 : 0600;
}

}  // namespace

bool PosixFileStore::writeAtomic(const std::string& path, const std::string& bytes,
                                 std::string& error) {
    const auto target = writeTarget(path, error);
    if (!target) return false;
    std::string temp = *target + kTemporarySuffix + "XXXXXX";
    const int fd = ::mkstemp(temp.data());  // created 0600, whatever the umask
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const mode_t mode = modeFor(*target);
    if ((mode != 0600 && ::fchmod(fd, mode) != 0) || !writeAll(fd, bytes) || !flushed(fd)) {
        error = std::strerror(errno);
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
    if (::close(fd) != 0 || ::rename(temp.c_str(), target->c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    flushFolderOf(*target);
    return true;
}

namespace {

// A temporary name as mkstemp makes them: six random letters.
std::string temporaryName(const std::string& path) {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::string name = path + kTemporarySuffix;
    for (int i = 0; i < 6; ++i) name += kLetters[random() % kLetters.size()];
    return name;
}

}  // namespace

bool PosixFileStore::copyAtomic(const std::string& from, const std::string& to,
                                std::string& error) {
    // A second name of from's file, given under a free temporary name and
    // renamed over to's file. Where the folder takes no second names (or
    // the two are on different drives), the bytes are copied.
    const LinkEnd source = followLinks(from);
    if (source.missing || source.loop) return false;
    const auto target = writeTarget(to, error);
    if (!target) return false;
    std::string temp;
    for (int attempt = 0;; ++attempt) {
        temp = temporaryName(*target);
        if (::link(source.path.c_str(), temp.c_str()) == 0) break;
        if (errno == ENOENT) return false;  // nothing to copy
        if (errno != EEXIST || attempt == 99) return FileStore::copyAtomic(from, to, error);
    }
    if (::rename(temp.c_str(), target->c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    flushFolderOf(*target);
    return true;
}

// Makes a rename in path's folder durable.
void PosixFileStore::flushFolderOf(const std::string& path) const {
    if (flush_ == Flush::No) return;
    const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool PosixFileStore::remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

void PosixFileStore::removeLeftovers(const std::vector<std::string>& paths) {
    // One look at each folder serves all of its paths: on a virtual machine
    // each look costs some 10 µs of system calls, a tenth of a journal load.
    // A write through a link leaves its temporary beside the link's target.
    std::map<std::string, std::vector<std::string>> prefixesByFolder;
    auto addPrefix = [&prefixesByFolder](const std::string& path) {
        const size_t slash = path.rfind('/');
        prefixesByFolder[folderOf(path)].push_back(
            (slash == std::string::npos ? path : path.substr(slash + 1)) + kTemporarySuffix);
    };
    for (const std::string& path : paths) {
        addPrefix(path);
        if (const LinkEnd end = followLinks(path); end.isLink && !end.loop) addPrefix(end.path);
    }
    for (const auto& [folder, prefixes] : prefixesByFolder) {
        DIR* dir = ::opendir(folder.c_str());
        if (dir == nullptr) continue;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            for (const std::string& prefix : prefixes)
                if (name.size() == prefix.size() + 6 && name.starts_with(prefix))
                    ::unlink((folder + "/").append(name).c_str());
        }
        ::closedir(dir);
    }
}

FileStore::Lock PosixFileStore::lockForWriting(const std::string& path, std::string& error) {
    const std::string lockPath = path + ".lock";
    if (locks_.contains(lockPath)) return Lock::Held;
    // Not through a link: the lock file is ours, private, beside the file.
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = std::strerror(errno);
        return Lock::Failed;
    }
    // flock, not fcntl: its lock belongs to this descriptor, so two windows
    // of one process exclude each other too.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        ::close(fd);
        if (why == EWOULDBLOCK) return Lock::TakenElsewhere;
        error = std::strerror(why);
        return Lock::Failed;
    }
    locks_.emplace(lockPath, fd);
    return Lock::Held;
}

}  // namespace dx
