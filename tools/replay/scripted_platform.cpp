#include "scripted_platform.h"

#include <cstdio>

namespace dx {

ScriptedClock::ScriptedClock() { set(DateTime::fromParts(2000, 1, 8, 12, 0, 0)); }

void ScriptedClock::set(DateTime t) {
    base_ = t;
    baseMs_ = ms_;
    now_ = t;
}

void ScriptedClock::advanceMs(int64_t ms) {
    ms_ += ms;
    now_ = base_.addSeconds((ms_ - baseMs_) / 1000);
}

namespace {

const char* const kDaysEn[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kDaysFr[] = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
const char* const kMonthsEn[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthsFr[] = {"janv.", "févr.", "mars",  "avr.", "mai",  "juin",
                                 "juil.", "août",  "sept.", "oct.", "nov.", "déc."};
const char* const kFullEn[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};
const char* const kFullFr[] = {"janvier",   "février", "mars",     "avril",
                               "mai",       "juin",    "juillet",  "août",
                               "septembre", "octobre", "novembre", "décembre"};

const char* iconName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return "critical";
        case MsgIcon::Exclamation:
            return "exclamation";
        case MsgIcon::Information:
            return "information";
        case MsgIcon::None:
            break;
    }
    return "none";
}

// The name numbered n from 1, counting round the table.
template <int N>
std::string nameAt(const char* const (&names)[N], int n) {
    const int index = ((n - 1) % N + N) % N;
    return std::string(names[index]);
}

}  // namespace

std::string ScriptedLocale::dayAbbrev(int weekday) const {
    return french() ? nameAt(kDaysFr, weekday) : nameAt(kDaysEn, weekday);
}
std::string ScriptedLocale::monthAbbrev(int month) const {
    return french() ? nameAt(kMonthsFr, month) : nameAt(kMonthsEn, month);
}
std::string ScriptedLocale::monthFull(int month) const {
    return french() ? nameAt(kFullFr, month) : nameAt(kFullEn, month);
}

MsgAnswer ScriptedDialogs::messageBox(const std::string& title, const std::string& text,
                                      MsgButtons buttons, MsgIcon icon) {
    MsgAnswer answer = buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    if (!answers.empty()) {
        const ScriptedAnswer a = answers.front();
        answers.pop_front();
        if (buttons == MsgButtons::YesNo) {
            if (a.kind == ScriptedAnswer::No || a.kind == ScriptedAnswer::Cancel)
                answer = MsgAnswer::No;
        }
    }
    const char* answerName = answer == MsgAnswer::Yes  ? "yes"
                             : answer == MsgAnswer::No ? "no"
                                                       : "ok";
    emit_(std::string("{\"event\":\"msgbox\",\"title\":") + jsonQuote(title) + ",\"text\":" +
          jsonQuote(text) + ",\"buttons\":\"" + (buttons == MsgButtons::YesNo ? "yesno" : "ok") +
          "\",\"icon\":\"" + iconName(icon) + "\",\"answer\":\"" + answerName + "\"}");
    return answer;
}

std::optional<std::string> ScriptedDialogs::inputBox(const std::string& title,
                                                     const std::string& prompt,
                                                     const std::string& defaultText) {
    std::optional<std::string> answer;
    if (!answers.empty()) {
        const ScriptedAnswer a = answers.front();
        answers.pop_front();
        if (a.kind == ScriptedAnswer::Text)
            answer = a.text;
        else if (a.kind == ScriptedAnswer::Ok || a.kind == ScriptedAnswer::Yes)
            answer = defaultText;
    }
    emit_(std::string("{\"event\":\"inputbox\",\"title\":") + jsonQuote(title) +
          ",\"prompt\":" + jsonQuote(prompt) + ",\"default\":" + jsonQuote(defaultText) +
          ",\"answer\":" + (answer ? jsonQuote(*answer) : std::string("null")) + "}");
    return answer;
}

void ScriptedDialogs::beep() { emit_("{\"event\":\"beep\"}"); }

HttpResponse ScriptedHttp::get(const std::string& url) {
    if (siteAddress.empty() || url.compare(0, siteAddress.size(), siteAddress) != 0) return {};
    const auto it = served.find(url.substr(siteAddress.size()));
    if (it == served.end()) return {};
    return HttpResponse{true, it->second};
}

std::optional<std::string> ScriptedConnectivity::output() {
    // What the system ping prints for one echo request, answered or not.
    if (online)
        return "PING 127.0.0.1 (127.0.0.1) 56(84) bytes of data.\n"
               "64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.040 ms\n\n"
               "--- 127.0.0.1 ping statistics ---\n"
               "1 packets transmitted, 1 received, 0% packet loss, time 0ms\n"
               "rtt min/avg/max/mdev = 0.040/0.040/0.040/0.000 ms\n";
    return "PING 192.0.2.1 (192.0.2.1) 56(84) bytes of data.\n\n"
           "--- 192.0.2.1 ping statistics ---\n"
           "1 packets transmitted, 0 received, 100% packet loss, time 0ms\n\n";
}

bool ScriptedShell::openFile(const std::string& path) {
    emit_("{\"event\":\"open\",\"path\":" + jsonQuote(path) + "}");
    return true;
}

BrowserResult ScriptedShell::openUrl(const std::string& url) {
    emit_("{\"event\":\"browser\",\"url\":" + jsonQuote(url) + "}");
    return BrowserResult::Opened;
}

void ScriptedPrinter::printWindow() {
    emit_("{\"event\":\"print\",\"snapshot\":" + (snapshot ? snapshot() : std::string("{}")) + "}");
}

ScriptedPlatform::ScriptedPlatform() = default;

}  // namespace dx
