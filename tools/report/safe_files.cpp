#include "safe_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/posix/file_store.h"
#include "platform/text.h"
#include "report/report_texts.h"
#include "settings/file_problems.h"

namespace dx::report_files {

namespace {

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};

// The path with every link and "..", for a file that need not exist: its
// folder resolved, its name kept.
std::string resolvedPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::unique_ptr<char, FreeDeleter> real(::realpath(folder.c_str(), nullptr));
    return real ? std::string(real.get()) + "/" + name : path;
}

}  // namespace

std::optional<std::string> readInput(const std::string& path, int16_t l, std::string& message,
                                     FileIdentity* identity) {
    const PosixFileStore files;
    const FileStatus status = files.status(path);
    FileRead read;
    if (status.kind != FileKind::DanglingLink) read = files.readFile(path, kMaxInputBytes);
    if (read.bytes) {
        if (identity) *identity = read.identity;
        return read.bytes;
    }
    message = pick(report_texts::kCliCannotRead, l) + path + ": " +
              unreadableFileReason(status, read, kMaxInputBytes, l);
    return std::nullopt;
}

bool isOneOf(const std::string& output, const std::vector<std::string>& inputs) {
    struct stat out {};
    const bool exists = ::stat(output.c_str(), &out) == 0;
    const std::string outPath = resolvedPath(followLinks(output).path);
    for (const std::string& input : inputs) {
        struct stat in {};
        if (::stat(input.c_str(), &in) != 0) continue;
        if (exists ? out.st_dev == in.st_dev && out.st_ino == in.st_ino
                   : outPath == resolvedPath(followLinks(input).path))
            return true;
    }
    return false;
}

std::string outputIsInputMessage(const std::string& output, int16_t l) {
    return output + pick(report_texts::kCliOutputIsInput, l);
}

std::string noTestMessage(const std::string& journal, int16_t l) {
    return journal + pick(report_texts::kCliNoTest, l);
}

bool writeOutput(const std::string& path, const std::string& bytes, std::string& error) {
    PosixFileStore files;
    return files.writeAtomic(path, bytes, error);
}

std::optional<std::string> renderedFile(const std::function<bool(const std::string&)>& paint) {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/dextrel-report-XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) return std::nullopt;  // made 0700
    const std::string path = folder + "/report";
    std::optional<std::string> bytes;
    if (paint(path)) bytes = PosixFileStore().readFile(path, kMaxInputBytes).bytes;
    ::unlink(path.c_str());
    ::rmdir(folder.c_str());
    return bytes;
}

}  // namespace dx::report_files
