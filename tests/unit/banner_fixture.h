#pragma once

// A window on the scripted platform for the banner's tests, with the network,
// the shell and the printer replaced by recording doubles. The window is not
// started: the banner's procedures need only the program's directory, the
// language and the site's address, which each test sets itself.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../../tools/replay/scripted_platform.h"
#include "window/fenetre.h"

namespace dx::testing {

inline const std::string kSite = "http://127.0.0.1:8080";

// What the system ping prints for one echo request, answered and not.
inline const std::string kPingAnswered =
    "PING 127.0.0.1 (127.0.0.1) 56(84) bytes of data.\n"
    "64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.115 ms\n\n"
    "--- 127.0.0.1 ping statistics ---\n"
    "1 packets transmitted, 1 received, 0% packet loss, time 0ms\n"
    "rtt min/avg/max/mdev = 0.115/0.115/0.115/0.000 ms\n";
inline const std::string kPingUnanswered =
    "PING 127.0.0.1 (127.0.0.1) 56(84) bytes of data.\n\n"
    "--- 127.0.0.1 ping statistics ---\n"
    "1 packets transmitted, 0 received, 100% packet loss, time 0ms\n\n";

class RecordingHttp : public Http {
public:
    std::vector<std::string> asked;
    std::map<std::string, std::string> site;  // full address -> body
    HttpResponse get(const std::string& url) override {
        asked.push_back(url);
        const auto it = site.find(url);
        if (it == site.end()) return {};
        return HttpResponse{true, it->second};
    }
};

class RecordingNet : public Connectivity {
public:
    std::vector<std::string> calls;
    std::optional<std::string> out;
    bool start() override {
        calls.push_back("start");
        return true;
    }
    std::optional<std::string> output() override {
        calls.push_back("output");
        return out;
    }
    void cleanup() override { calls.push_back("cleanup"); }
};

class RecordingShell : public Shell {
public:
    std::vector<std::string> files, urls;
    BrowserResult result = BrowserResult::Opened;
    bool openFile(const std::string& path) override {
        files.push_back(path);
        return false;
    }
    BrowserResult openUrl(const std::string& url) override {
        urls.push_back(url);
        return result;
    }
};

class RecordingPrinter : public Printer {
public:
    int count = 0;
    std::function<void()> onPrint;
    void printWindow() override {
        ++count;
        if (onPrint) onPrint();
    }
};

class BannerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dextrel-banner-XXXXXX";
        root_ = mkdtemp(pattern);
        prog = root_ + "/prog/";
        std::filesystem::create_directories(prog);
        sp.env.program = prog;
        sp.env.settings = root_ + "/";
        sp.env.scrambledSite = scrambleAddress(kSite);
        sp.emit = [this](const std::string& line) { events.push_back(line); };
        w = std::make_unique<Fenetre>(platform);
        w->win.Chemin_Prog = prog;
        w->PA_URL();
    }
    void TearDown() override {
        w.reset();
        std::filesystem::remove_all(root_);
    }

    void french() {
        sp.locale.language = "French";
        w->settings.Langue = 1;
    }
    void serve(const std::string& path, const std::string& body) { http.site[kSite + path] = body; }

    // One second of the connectivity check, through the window's timer entry.
    void pingTick() { w->fireTimer(0, sp.clock.monotonicMs()); }
    void pingTicks(int n) {
        for (int i = 0; i < n; ++i) pingTick();
    }

    void writeFile(const std::string& name, const std::string& bytes) {
        std::ofstream(prog + name, std::ios::binary) << bytes;
    }
    std::optional<std::string> readFile(const std::string& name) const {
        std::ifstream in(prog + name, std::ios::binary);
        if (!in) return std::nullopt;
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Every file in the temporary root, relative to it.
    std::vector<std::string> filesEverywhere() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::recursive_directory_iterator(root_))
            if (e.is_regular_file()) out.push_back(e.path().string().substr(root_.size()));
        std::sort(out.begin(), out.end());
        return out;
    }

    ScriptedPlatform sp;
    RecordingHttp http;
    RecordingNet net;
    RecordingShell shell;
    RecordingPrinter printer;
    Platform platform{sp.clock, sp.locale, sp.dialogs, sp.env, sp.files,
                      sp.probe, http,      net,        shell,  printer};
    std::vector<std::string> events;
    std::unique_ptr<Fenetre> w;
    std::string prog;

private:
    std::string root_;
};

} // namespace dx::testing
