#pragma once

#include "platform/platform.h"

namespace dx {

// Files on a POSIX system. A write goes to a temporary file in the same
// folder, is flushed to disk and renamed over the old file.
class PosixFileStore : public FileStore {
public:
    bool exists(const std::string& path) const override;
    std::optional<std::string> read(const std::string& path) const override;
    bool writeAtomic(const std::string& path, const std::string& bytes,
                     std::string& error) override;
    bool remove(const std::string& path) override;
    void removeLeftovers(const std::string& path) override;
};

} // namespace dx
