#pragma once

#include <unistd.h>

#include "platform/platform.h"

namespace dx {

// Files on a POSIX system. A write goes to a temporary file in the same
// folder, is flushed to disk and renamed over the old file. Since every
// write replaces a file whole, a copy is a second name for the same file.
class PosixFileStore : public FileStore {
public:
    // Without the flush (for measuring the program rather than the disk).
    enum class Flush { ToDisk, No };
    explicit PosixFileStore(Flush flush = Flush::ToDisk) : flush_(flush) {}

    bool exists(const std::string& path) const override;
    std::optional<std::string> read(const std::string& path) const override;
    bool writeAtomic(const std::string& path, const std::string& bytes,
                     std::string& error) override;
    bool copyAtomic(const std::string& from, const std::string& to, std::string& error) override;
    bool remove(const std::string& path) override;
    void removeLeftovers(const std::vector<std::string>& paths) override;

private:
    bool flushed(int fd) const { return flush_ == Flush::No || ::fsync(fd) == 0; }
    void flushFolderOf(const std::string& path) const;

    Flush flush_;
};

}  // namespace dx
