#pragma once

#include <unistd.h>

#include <map>
#include <string>

#include "platform/platform.h"

namespace dx {

// Files on a POSIX system. A write goes to a temporary file in the folder of
// the file it replaces (the target of a symbolic link, the link kept), is
// flushed to disk and renamed over the old file. Since every write replaces
// a file whole, a copy is a second name for the same file.
class PosixFileStore : public FileStore {
public:
    // Without the flush (for measuring the program rather than the disk).
    enum class Flush { ToDisk, No };
    explicit PosixFileStore(Flush flush = Flush::ToDisk) : flush_(flush) {}
    PosixFileStore(const PosixFileStore&) = delete;
    PosixFileStore& operator=(const PosixFileStore&) = delete;
    ~PosixFileStore() override;

    bool exists(const std::string& path) const override;
    std::optional<std::string> read(const std::string& path) const override;
    FileRead readFile(const std::string& path, uint64_t maxBytes) const override;
    FileStatus status(const std::string& path) const override;
    bool writeAtomic(const std::string& path, const std::string& bytes,
                     std::string& error) override;
    bool copyAtomic(const std::string& from, const std::string& to, std::string& error) override;
    bool remove(const std::string& path) override;
    void removeLeftovers(const std::vector<std::string>& paths) override;
    Lock lockForWriting(const std::string& path, std::string& error) override;

private:
    bool flushed(int fd) const { return flush_ == Flush::No || ::fsync(fd) == 0; }
    void flushFolderOf(const std::string& path) const;

    Flush flush_;
    std::map<std::string, int> locks_;  // lock file path -> its descriptor
};

// Where a path finally leads through symbolic links (the path itself when it
// is none). `missing` when a link leads to nothing; `loop` when the links go
// round or pass a sane depth.
struct LinkEnd {
    std::string path;
    bool isLink = false;
    bool missing = false;
    bool loop = false;
};
LinkEnd followLinks(const std::string& path);

}  // namespace dx
