#include "platform/posix/file_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

bool PosixFileStore::exists(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> PosixFileStore::read(const std::string& path) const {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string out;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return out;
}

bool PosixFileStore::writeAtomic(const std::string& path, const std::string& bytes,
                                 std::string& error) {
    std::string temp = path + kTemporarySuffix + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    ::fchmod(fd, 0644);
    if (!writeAll(fd, bytes) || !flushed(fd)) {
        error = std::strerror(errno);
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
    if (::close(fd) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    flushFolderOf(path);
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
    // A second name, given under a free temporary name and renamed over
    // `to`. Where the folder takes no second names, the bytes are copied.
    std::string temp;
    for (int attempt = 0;; ++attempt) {
        temp = temporaryName(to);
        if (::link(from.c_str(), temp.c_str()) == 0) break;
        if (errno == ENOENT) return false;  // nothing to copy
        if (errno != EEXIST || attempt == 99) return FileStore::copyAtomic(from, to, error);
    }
    if (::rename(temp.c_str(), to.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    flushFolderOf(to);
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
    std::map<std::string, std::vector<std::string>> prefixesByFolder;
    for (const std::string& path : paths) {
        const size_t slash = path.rfind('/');
        prefixesByFolder[folderOf(path)].push_back(
            (slash == std::string::npos ? path : path.substr(slash + 1)) + kTemporarySuffix);
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

}  // namespace dx
