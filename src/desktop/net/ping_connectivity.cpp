#include "desktop/net/ping_connectivity.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <array>
#include <utility>

namespace dx {

namespace {

// The command as it is run, kept beside its output for whoever looks into the
// folder; it is never executed itself (no shell is involved).
constexpr const char* kCommandFile = "ping.bat";
constexpr const char* kOutputFile = "verifier.txt";
// One echo request prints a few hundred bytes; anything beyond is not ping.
constexpr size_t kMaxOutputBytes = 64 * 1024;
// Fixed places only: the program never looks ping up through PATH.
constexpr std::array<const char*, 2> kPingPrograms = {"/usr/bin/ping", "/bin/ping"};

const char* pingProgram() {
    for (const char* p : kPingPrograms)
        if (::access(p, X_OK) == 0) return p;
    return nullptr;
}

std::string temporaryRoot() {
    const char* dir = std::getenv("TMPDIR");
    return dir != nullptr && dir[0] == '/' ? dir : "/tmp";
}

bool writeNewFile(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    return ::close(fd) == 0 && ok;
}

std::optional<std::string> readSmallFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return std::nullopt;
    std::string out;
    char buf[4096];
    while (out.size() < kMaxOutputBytes) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    if (out.size() > kMaxOutputBytes) out.resize(kMaxOutputBytes);
    return out;
}

// In the child, between fork and exec: async-signal-safe calls only.
void attach(int fd, int target) {
    if (fd == target)
        ::fcntl(fd, F_SETFD, 0);  // keep it open across exec
    else
        ::dup2(fd, target);
}

}  // namespace

bool isPingTarget(const std::string& address) {
    if (address.empty() || address.size() > 253 || address.front() == '-') return false;
    for (char c : address) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == ':' || c == '-';
        if (!ok) return false;
    }
    return true;
}

PingConnectivity::PingConnectivity(std::string pingAddress) : address_(std::move(pingAddress)) {}

PingConnectivity::~PingConnectivity() { cleanup(); }

bool PingConnectivity::start() {
    if (!isPingTarget(address_) || !folder_.empty()) return false;
    const char* program = pingProgram();
    if (program == nullptr) return false;
    std::string folder = temporaryRoot() + "/dextrel-ping-XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) return false;  // mode 0700
    folder_ = folder;
    writeNewFile(folder_ + "/" + kCommandFile,
                 std::string(program) + " -c 1 -W 2 " + address_ + " >" + kOutputFile + "\n");
    const int out = ::open((folder_ + "/" + kOutputFile).c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    const int nothing = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (out < 0 || nothing < 0) {
        if (out >= 0) ::close(out);
        if (nothing >= 0) ::close(nothing);
        cleanup();
        return false;
    }
    // Everything the child needs is made before the fork. The C locale keeps
    // the output in the words the verdict reads ("1 received").
    std::string a0 = program, a1 = "-c", a2 = "1", a3 = "-W", a4 = "2", a5 = address_;
    char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), a4.data(), a5.data(), nullptr};
    std::string e0 = "LC_ALL=C", e1 = "PATH=/usr/bin:/bin";
    char* envp[] = {e0.data(), e1.data(), nullptr};
    const pid_t pid = ::fork();
    if (pid == 0) {
        attach(nothing, STDIN_FILENO);
        attach(out, STDOUT_FILENO);
        attach(nothing, STDERR_FILENO);
        ::close_range(3, ~0U, 0);
        ::execve(program, argv, envp);
        ::_exit(127);
    }
    ::close(out);
    ::close(nothing);
    if (pid < 0) {
        cleanup();
        return false;
    }
    child_ = pid;
    return true;
}

void PingConnectivity::reap(bool stop) {
    if (child_ <= 0) return;
    if (stop) ::kill(child_, SIGKILL);
    int status = 0;
    pid_t done;
    do {
        done = ::waitpid(child_, &status, stop ? 0 : WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done == child_ || done < 0) child_ = -1;
}

std::optional<std::string> PingConnectivity::output() {
    if (folder_.empty()) return std::nullopt;
    reap(false);
    return readSmallFile(folder_ + "/" + kOutputFile);
}

void PingConnectivity::cleanup() {
    reap(true);
    if (folder_.empty()) return;
    ::unlink((folder_ + "/" + kCommandFile).c_str());
    ::unlink((folder_ + "/" + kOutputFile).c_str());
    ::rmdir(folder_.c_str());
    folder_.clear();
}

}  // namespace dx
