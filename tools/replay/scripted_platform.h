#pragma once

// The platform as a script drives it: a clock that moves only when told, a
// chosen locale, queued answers to boxes, a simulated probe and web site.
// Everything the program does outside the window is reported as a JSON line
// through `emit`.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "banner/address.h"
#include "platform/platform.h"
#include "platform/posix/file_store.h"
#include "window/snapshot.h"  // jsonQuote

namespace dx {

class ScriptedClock : public Clock {
public:
    ScriptedClock();
    DateTime now() const override { return now_; }
    int64_t monotonicMs() const override { return ms_; }
    void set(DateTime t);
    // Moves both clocks forward; the wall clock keeps whole seconds plus the
    // milliseconds carried.
    void advanceMs(int64_t ms);

private:
    DateTime base_;
    int64_t ms_ = 0;
    int64_t baseMs_ = 0;
    DateTime now_;
};

class ScriptedLocale : public Locale {
public:
    std::string language = "English";
    std::string pattern = "yyyy-MM-dd";
    std::string languageName() const override { return language; }
    std::string shortDatePattern() const override { return pattern; }
    std::string dayAbbrev(int weekday) const override;
    std::string monthAbbrev(int month) const override;
    std::string monthFull(int month) const override;
    // The scripted system keeps UTC all year round.
    int utcOffsetAt(int64_t) const override { return 0; }

private:
    bool french() const { return language == "French"; }
};

struct ScriptedAnswer {
    enum Kind { Yes, No, Ok, Cancel, Text } kind = Ok;
    std::string text;
};

class ScriptedDialogs : public Dialogs {
public:
    explicit ScriptedDialogs(std::function<void(const std::string&)>& emit) : emit_(emit) {}
    std::deque<ScriptedAnswer> answers;
    MsgAnswer messageBox(const std::string& title, const std::string& text, MsgButtons buttons,
                         MsgIcon icon) override;
    std::optional<std::string> inputBox(const std::string& title, const std::string& prompt,
                                        const std::string& defaultText) override;
    void beep() override;

private:
    std::function<void(const std::string&)>& emit_;
};

class ScriptedEnvironment : public Environment {
public:
    std::string program = "./";
    std::string settings = "./";
    std::string scrambledSite;
    std::string programDir() const override { return program; }
    std::string settingsDir() const override { return settings; }
    std::string scrambledSiteAddress() const override { return scrambledSite; }
};

class ScriptedProbe : public Probe {
public:
    ProbeReading reading{0, 0, 167};
    ProbeReading read() override { return reading; }
};

// The simulated web site: answers the paths it was given under its address.
class ScriptedHttp : public Http {
public:
    std::string siteAddress;
    std::map<std::string, std::string> served;  // path after the address -> body
    HttpResponse get(const std::string& url) override;
};

class ScriptedConnectivity : public Connectivity {
public:
    bool online = false;
    bool start() override { return true; }
    std::optional<std::string> output() override;
    void cleanup() override {}
};

class ScriptedShell : public Shell {
public:
    explicit ScriptedShell(std::function<void(const std::string&)>& emit) : emit_(emit) {}
    bool openFile(const std::string& path) override;
    BrowserResult openUrl(const std::string& url) override;

private:
    std::function<void(const std::string&)>& emit_;
};

class ScriptedPrinter : public Printer {
public:
    // Set by the runner: the snapshot of the window at the time of printing.
    std::function<std::string()> snapshot;
    explicit ScriptedPrinter(std::function<void(const std::string&)>& emit) : emit_(emit) {}
    void printWindow() override;

private:
    std::function<void(const std::string&)>& emit_;
};

// All of the above, bundled as the window's Platform.
class ScriptedPlatform {
public:
    ScriptedPlatform();
    std::function<void(const std::string&)> emit = [](const std::string&) {};
    ScriptedClock clock;
    ScriptedLocale locale;
    ScriptedDialogs dialogs{emit};
    ScriptedEnvironment env;
    PosixFileStore files;
    ScriptedProbe probe;
    ScriptedHttp http;
    ScriptedConnectivity net;
    ScriptedShell shell{emit};
    ScriptedPrinter printer{emit};
    Platform platform{clock, locale, dialogs, env, files, probe, http, net, shell, printer};
};

}  // namespace dx
