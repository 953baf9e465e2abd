#pragma once

// The connectivity check's ping: one echo request to a fixed address, run in
// the background without a shell. Its files live in a private folder made for
// the purpose (mode 0700) and go away with it.

#include <sys/types.h>
#include <string>

#include "platform/platform.h"

namespace dx {

class PingConnectivity : public Connectivity {
public:
    // An empty address (or one that is not a plain host name or address)
    // means no check: start() returns false and runs nothing.
    explicit PingConnectivity(std::string pingAddress);
    ~PingConnectivity() override;
    PingConnectivity(const PingConnectivity&) = delete;
    PingConnectivity& operator=(const PingConnectivity&) = delete;

    // Starts `ping -c 1 -W 2 ADDRESS` with its output going to a file; does
    // not wait for it.
    bool start() override;
    // What the ping has printed so far; nothing before start() or when the
    // file cannot be read.
    std::optional<std::string> output() override;
    // Stops the ping if it still runs, then deletes its files and folder.
    void cleanup() override;

    // The private folder while the check runs, "" otherwise (for tests).
    const std::string& folder() const { return folder_; }

private:
    void reap(bool stop);

    std::string address_;
    std::string folder_;
    pid_t child_ = -1;
};

// A host name or IPv4/IPv6 address that ping can only read as its target:
// letters, digits, '.', ':' and '-', not beginning with '-'.
bool isPingTarget(const std::string& address);

}  // namespace dx
