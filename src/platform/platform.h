#pragma once

// Everything outside the program, as the window's procedures see it. The core
// reaches the system only through these interfaces; the desktop program
// implements them with Qt, libcurl and Linux, the replay runner with a script.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/datetime.h"

namespace dx {

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time of day.
    virtual DateTime now() const = 0;
    // A steady count of milliseconds that drives the window's timers.
    virtual int64_t monotonicMs() const = 0;
};

class Locale {
public:
    virtual ~Locale() = default;
    // The English name of the system language ("French", "English", ...).
    virtual std::string languageName() const = 0;
    // The short-date pattern in Windows notation ("yyyy-MM-dd", "dd/MM/yyyy").
    virtual std::string shortDatePattern() const = 0;
    virtual std::string dayAbbrev(int weekday) const = 0;  // 1 = Sunday .. 7
    virtual std::string monthAbbrev(int month) const = 0;  // 1..12
    virtual std::string monthFull(int month) const = 0;    // 1..12
    // The offset from UTC, in seconds, in force at a local time given as
    // seconds since 1970-01-01 as if it were UTC.
    virtual int utcOffsetAt(int64_t localSeconds) const = 0;
};

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Critical, Exclamation, Information };
enum class MsgAnswer { Ok, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Blocks until the user answers. Lines of text are joined by "\n".
    virtual MsgAnswer messageBox(const std::string& title, const std::string& text,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    // The typed text, or nothing when the box was cancelled.
    virtual std::optional<std::string> inputBox(const std::string& title, const std::string& prompt,
                                                const std::string& defaultText) = 0;
    virtual void beep() = 0;
};

class Environment {
public:
    virtual ~Environment() = default;
    // The program's directory, where the journal and the banner copies live;
    // ends with "/".
    virtual std::string programDir() const = 0;
    // The folder of the settings file; ends with "/".
    virtual std::string settingsDir() const = 0;
    // The banner site's address in the scrambled form kept in the program.
    virtual std::string scrambledSiteAddress() const = 0;
};

// What identifies a file's content on disk: a save compares the file with
// the one it read, so that a change made meanwhile by another program is
// noticed rather than written over.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

// What stands at a path, symbolic links followed.
enum class FileKind {
    Missing,
    Regular,
    DanglingLink,  // a symbolic link whose target is not there
    NotAFile,      // a folder, a FIFO, a device, a socket
};

struct FileStatus {
    FileKind kind = FileKind::Missing;
    FileIdentity identity;   // of a regular file
    std::string linkTarget;  // the file a link finally leads to, when path is one
};

// A whole-file read: the bytes, or why there are none.
struct FileRead {
    enum class Problem { None, Missing, NotAFile, TooLarge, Unreadable };
    std::optional<std::string> bytes;
    Problem problem = Problem::None;
    std::string reason;     // the system's words for Unreadable
    FileIdentity identity;  // of the file the bytes came from
};

// The ceiling of a read that names none: no file the program reads is
// meant to come near it.
inline constexpr uint64_t kDefaultMaxReadBytes = uint64_t{64} << 20;

// Whole-file operations. Every write replaces the file atomically: either the
// old file or the complete new one is on disk, whatever happens meanwhile.
// A path that is a symbolic link is written at the link's target, the link
// kept. A new file is private to its owner; a replaced one keeps its mode.
class FileStore {
public:
    virtual ~FileStore() = default;
    virtual bool exists(const std::string& path) const = 0;
    // The file's bytes, or nothing when it cannot be read (or is larger
    // than kDefaultMaxReadBytes).
    virtual std::optional<std::string> read(const std::string& path) const = 0;
    // The bytes of a regular file of at most maxBytes. A folder, a FIFO or a
    // device is refused at once, never waited on.
    virtual FileRead readFile(const std::string& path, uint64_t maxBytes) const {
        FileRead result;
        if (!exists(path)) {
            result.problem = FileRead::Problem::Missing;
            return result;
        }
        result.bytes = read(path);
        if (result.bytes && result.bytes->size() > maxBytes) {
            result.bytes.reset();
            result.problem = FileRead::Problem::TooLarge;
        } else if (!result.bytes) {
            result.problem = FileRead::Problem::Unreadable;
        }
        return result;
    }
    virtual FileStatus status(const std::string& path) const {
        FileStatus s;
        s.kind = exists(path) ? FileKind::Regular : FileKind::Missing;
        return s;
    }
    // On failure returns false and leaves the old file untouched; error then
    // holds a short reason ("No space left on device").
    virtual bool writeAtomic(const std::string& path, const std::string& bytes,
                             std::string& error) = 0;
    // Makes `to` a copy of the file `from` as it stands, replacing `to` whole
    // as writeAtomic does. False when `from` cannot be read (error left
    // empty) or `to` cannot be written (error says why).
    virtual bool copyAtomic(const std::string& from, const std::string& to, std::string& error) {
        const auto bytes = read(from);
        return bytes && writeAtomic(to, *bytes, error);
    }
    virtual bool remove(const std::string& path) = 0;
    // Removes the temporary files that writes of these paths, interrupted by
    // a crash, may have left beside them.
    virtual void removeLeftovers(const std::vector<std::string>& /*paths*/) {}

    // One writer per file: an exclusive lock on path + ".lock", held until
    // the store goes. Taking a lock already held by this store succeeds.
    enum class Lock { Held, TakenElsewhere, Failed };
    virtual Lock lockForWriting(const std::string& /*path*/, std::string& /*error*/) {
        return Lock::Held;
    }
};

struct ProbeReading {
    uint32_t x = 0;
    uint32_t y = 0;
    int32_t status = 0;  // 0 no error, 167 unplugged, other values port errors
};

class Probe {
public:
    virtual ~Probe() = default;
    virtual ProbeReading read() = 0;
};

struct HttpResponse {
    bool ok = false;  // a complete answer with a success status arrived
    std::string body;
};

class Http {
public:
    virtual ~Http() = default;
    virtual HttpResponse get(const std::string& url) = 0;
};

// The connectivity check: a ping started in the background on the first
// tick, its output read a few seconds later, its files removed at the end.
class Connectivity {
public:
    virtual ~Connectivity() = default;
    virtual bool start() = 0;
    virtual std::optional<std::string> output() = 0;
    virtual void cleanup() = 0;
};

enum class BrowserResult { Opened, NotFound, Failed };

class Shell {
public:
    virtual ~Shell() = default;
    // Hands a file to the system's viewer; the result is not examined.
    virtual bool openFile(const std::string& path) = 0;
    virtual BrowserResult openUrl(const std::string& url) = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    // Prints the window's image as the control model holds it now.
    virtual void printWindow() = 0;
};

struct Platform {
    Clock& clock;
    Locale& locale;
    Dialogs& dialogs;
    Environment& env;
    FileStore& files;
    Probe& probe;
    Http& http;
    Connectivity& net;
    Shell& shell;
    Printer& printer;
};

}  // namespace dx
