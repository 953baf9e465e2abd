#include "scripted_runner.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include "platform/text.h"
#include "window/snapshot.h"

namespace dx {

namespace {

std::string trimmed(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// NAME(i): an element of a control array.
bool isArrayElement(const std::string& name) {
    const std::optional<ArrayElementName> element = parseArrayElement(name);
    return element && isControlArray(element->array);
}

}  // namespace

const ScriptedRunner::CommandEntry ScriptedRunner::kCommands[] = {
    {"now", &ScriptedRunner::now, false},
    {"advance", &ScriptedRunner::advance, false},
    {"language", &ScriptedRunner::language, false},
    {"shortdate", &ScriptedRunner::shortdate, false},
    {"site", &ScriptedRunner::site, false},
    {"start", &ScriptedRunner::start, false},
    {"click", &ScriptedRunner::click, true},
    {"dblclick", &ScriptedRunner::dblclick, true},
    {"mouseclick", &ScriptedRunner::mouseclick, true},
    {"mousedouble", &ScriptedRunner::mousedouble, true},
    {"busy", &ScriptedRunner::busy, false},
    {"menu", &ScriptedRunner::menu, true},
    {"type", &ScriptedRunner::type, true},
    {"key", &ScriptedRunner::key, true},
    {"settext", &ScriptedRunner::settext, true},
    {"select", &ScriptedRunner::select, true},
    {"focus", &ScriptedRunner::focus, true},
    {"escape", &ScriptedRunner::escape, true},
    {"scroll", &ScriptedRunner::scroll, true},
    {"hover", &ScriptedRunner::hover, true},
    {"answer", &ScriptedRunner::answer, false},
    {"probe", &ScriptedRunner::probe, false},
    {"online", &ScriptedRunner::online, false},
    {"serve", &ScriptedRunner::serve, false},
    {"close", &ScriptedRunner::close, true},
    {"dump", &ScriptedRunner::dump, true},
};

ScriptedRunner::ScriptedRunner(ScriptedPlatform& platform, std::string scriptDir)
    : sp_(platform), scriptDir_(std::move(scriptDir)) {
    sp_.printer.snapshot = [this] { return window_ ? snapshotJson(*window_) : std::string("{}"); };
}

ScriptedRunner::~ScriptedRunner() { sp_.printer.snapshot = nullptr; }

int ScriptedRunner::run(std::istream& script, std::string& error) {
    std::string text;
    for (int number = 1; std::getline(script, text); ++number) {
        try {
            runLine(text);
        } catch (const ScriptError& e) {
            error = e.what();
            return number;
        }
    }
    return 0;
}

void ScriptedRunner::runLine(const std::string& text) {
    ScriptLine line(text);
    if (line.empty()) return;
    const std::string name = line.word("command");
    const auto* entry = std::find_if(std::begin(kCommands), std::end(kCommands),
                                     [&](const CommandEntry& c) { return name == c.name; });
    if (entry == std::end(kCommands)) throw ScriptError("unknown command \"" + name + "\"");
    if (entry->needsWindow && !window_) throw ScriptError("\"" + name + "\" before start");
    current_ = trimmed(text);
    const Action action = (this->*(entry->run))(line);
    // Once the program has ended, only a dump still shows something.
    if (window_ && window_->ended() && name != "dump") {
        emit("{\"event\":\"ended\"}");
        return;
    }
    action();
    // The command that ends the program reports the end as it happens.
    if (window_ && window_->ended()) emit("{\"event\":\"ended\"}");
}

void ScriptedRunner::refused(const std::string& commandLine) {
    emit("{\"event\":\"refused\",\"command\":" + jsonQuote(commandLine) + "}");
}

Fenetre& ScriptedRunner::win() { return *window_; }

std::string ScriptedRunner::controlName(ScriptLine& line) {
    const std::string name = line.word("control name");
    if (win().findControl(name) == nullptr && !isArrayElement(name))
        throw ScriptError("unknown control \"" + name + "\"");
    return name;
}

std::string ScriptedRunner::fieldName(ScriptLine& line) {
    const std::string name = controlName(line);
    const ControlEntry* e = win().findControl(name);
    if (e == nullptr || !std::holds_alternative<TextField*>(e->ref))
        throw ScriptError("\"" + name + "\" is not a text field");
    return name;
}

// ---- Clock, locale and site

ScriptedRunner::Action ScriptedRunner::now(ScriptLine& line) {
    const std::string date = line.word("date");
    const DateTime t = parseTimestamp(date, line.word("time"));
    line.end();
    return [this, t] { sp_.clock.set(t); };
}

ScriptedRunner::Action ScriptedRunner::advance(ScriptLine& line) {
    constexpr int64_t kTenYearsMs = 10LL * 366 * 86400 * 1000;
    const int64_t ms = parseInteger(line.word("milliseconds"), 0, kTenYearsMs, "milliseconds");
    line.end();
    return [this, ms] {
        const int64_t target = sp_.clock.monotonicMs() + ms;
        if (window_)
            window_->runDueTimers(target, [this](int64_t at) {
                sp_.clock.advanceMs(std::max<int64_t>(0, at - sp_.clock.monotonicMs()));
            });
        sp_.clock.advanceMs(std::max<int64_t>(0, target - sp_.clock.monotonicMs()));
    };
}

namespace {

// The settings the window reads while it starts.
void requireBeforeStart(bool started, const char* command) {
    if (started) throw ScriptError(std::string("\"") + command + "\" after start");
}

std::string requiredText(ScriptLine& line, const char* what) {
    const std::string t = trimmed(line.text());
    if (t.empty()) throw ScriptError(std::string("missing ") + what);
    return t;
}

}  // namespace

ScriptedRunner::Action ScriptedRunner::language(ScriptLine& line) {
    requireBeforeStart(window_ != nullptr, "language");
    const std::string name = requiredText(line, "language name");
    return [this, name] { sp_.locale.language = name; };
}

ScriptedRunner::Action ScriptedRunner::shortdate(ScriptLine& line) {
    requireBeforeStart(window_ != nullptr, "shortdate");
    const std::string pattern = requiredText(line, "short-date pattern");
    return [this, pattern] { sp_.locale.pattern = pattern; };
}

ScriptedRunner::Action ScriptedRunner::site(ScriptLine& line) {
    requireBeforeStart(window_ != nullptr, "site");
    const std::string address = line.word("site address");
    line.end();
    return [this, address] {
        sp_.env.scrambledSite = scrambleAddress(address);
        sp_.http.siteAddress = address;
    };
}

ScriptedRunner::Action ScriptedRunner::start(ScriptLine& line) {
    line.end();
    if (window_) throw ScriptError("\"start\" given twice");
    return [this] {
        window_ = std::make_unique<Fenetre>(sp_.platform);
        window_->start();
    };
}

// ---- Mouse

ScriptedRunner::Action ScriptedRunner::click(ScriptLine& line) {
    const std::string name = controlName(line);
    line.end();
    return [this, name] {
        if (!win().click(name)) refused(current_);
    };
}

ScriptedRunner::Action ScriptedRunner::dblclick(ScriptLine& line) {
    const std::string name = controlName(line);
    line.end();
    return [this, name] {
        if (!win().dblclick(name)) refused(current_);
    };
}

// The mouse as the system reports it; the window decides what a click and a
// double click are.
ScriptedRunner::Action ScriptedRunner::mouseclick(ScriptLine& line) {
    const std::string name = controlName(line);
    line.end();
    return [this, name] {
        if (!win().mouseClick(name)) refused(current_);
    };
}

ScriptedRunner::Action ScriptedRunner::mousedouble(ScriptLine& line) {
    const std::string name = controlName(line);
    line.end();
    return [this, name] { win().mouseDoubleClick(name); };
}

// The program is held up (a slow disk, a box the desktop keeps open): the
// clock moves on and nothing fires until the next advance.
ScriptedRunner::Action ScriptedRunner::busy(ScriptLine& line) {
    constexpr int64_t kOneDayMs = 86400LL * 1000;
    const int64_t ms = parseInteger(line.word("milliseconds"), 0, kOneDayMs, "milliseconds");
    line.end();
    return [this, ms] { sp_.clock.advanceMs(ms); };
}

ScriptedRunner::Action ScriptedRunner::menu(ScriptLine& line) {
    const std::string name = controlName(line);
    line.end();
    const ControlEntry* e = win().findControl(name);
    const auto* m = e ? std::get_if<MenuItem*>(&e->ref) : nullptr;
    if (m == nullptr || (*m)->parent != nullptr)
        throw ScriptError("\"" + name + "\" is not a top-level menu");
    return [this, name] {
        if (!win().openMenu(name)) refused(current_);
    };
}

ScriptedRunner::Action ScriptedRunner::hover(ScriptLine& line) {
    const std::string name = controlName(line);
    line.end();
    return [this, name] { win().hover(name); };
}

ScriptedRunner::Action ScriptedRunner::scroll(ScriptLine& line) {
    const std::string how = line.word("scroll value or step");
    line.end();
    int sign = 0;
    bool large = false;
    int64_t value = 0;
    if (how == "-small" || how == "+small" || how == "-large" || how == "+large") {
        sign = how[0] == '-' ? -1 : 1;
        large = how[1] == 'l';
    } else {
        value = parseInteger(how, std::numeric_limits<int32_t>::min(),
                             std::numeric_limits<int32_t>::max(), "scroll value");
    }
    return [this, sign, large, value] {
        const Scrollbar& bar = win().Curseur;
        const int64_t target =
            sign != 0 ? bar.stepped(sign, large) : std::clamp<int64_t>(value, bar.min, bar.max);
        if (!win().userScroll(static_cast<int>(target))) refused(current_);
    };
}

// ---- Keyboard

ScriptedRunner::Action ScriptedRunner::type(ScriptLine& line) {
    const std::string name = fieldName(line);
    const std::string typed = line.text();
    return [this, name, typed] {
        win().focus(name);
        const int count = utf8Length(typed);
        for (int i = 0; i < count; ++i) win().keyPress(name, utf8First(utf8Mid(typed, i, 1)));
    };
}

ScriptedRunner::Action ScriptedRunner::key(ScriptLine& line) {
    const std::string name = fieldName(line);
    const auto code =
        static_cast<char32_t>(parseInteger(line.word("key code"), 0, 0x10FFFF, "key code"));
    line.end();
    return [this, name, code] { win().keyPress(name, code); };
}

ScriptedRunner::Action ScriptedRunner::settext(ScriptLine& line) {
    const std::string name = fieldName(line);
    const std::string text = line.text();
    return [this, name, text] { win().pasteText(name, text); };
}

ScriptedRunner::Action ScriptedRunner::select(ScriptLine& line) {
    const std::string name = fieldName(line);
    constexpr int64_t kMax = std::numeric_limits<int>::max();
    const auto from = static_cast<int>(parseInteger(line.word("start"), 0, kMax, "start"));
    const auto length = static_cast<int>(parseInteger(line.word("length"), 0, kMax, "length"));
    line.end();
    return [this, name, from, length] { win().selectText(name, from, length); };
}

ScriptedRunner::Action ScriptedRunner::focus(ScriptLine& line) {
    const std::string name = controlName(line);
    line.end();
    return [this, name] { win().focus(name); };
}

ScriptedRunner::Action ScriptedRunner::escape(ScriptLine& line) {
    line.end();
    return [this] { win().escape(); };
}

// ---- What the platform will answer

ScriptedRunner::Action ScriptedRunner::answer(ScriptLine& line) {
    const std::string kind = line.word("answer");
    ScriptedAnswer a;
    if (kind == "text") {
        a = {ScriptedAnswer::Text, line.text()};
    } else {
        line.end();
        if (kind == "yes")
            a.kind = ScriptedAnswer::Yes;
        else if (kind == "no")
            a.kind = ScriptedAnswer::No;
        else if (kind == "ok")
            a.kind = ScriptedAnswer::Ok;
        else if (kind == "cancel")
            a.kind = ScriptedAnswer::Cancel;
        else
            throw ScriptError("bad answer \"" + kind + "\" (yes, no, ok, cancel, text)");
    }
    return [this, a] { sp_.dialogs.answers.push_back(a); };
}

ScriptedRunner::Action ScriptedRunner::probe(ScriptLine& line) {
    constexpr int32_t kUnplugged = 167;
    const std::string first = line.word("probe reading");
    ProbeReading reading;
    if (first == "unplugged") {
        reading.status = kUnplugged;
    } else if (first == "error") {
        reading.status = static_cast<int32_t>(
            parseInteger(line.word("error code"), std::numeric_limits<int32_t>::min(),
                         std::numeric_limits<int32_t>::max(), "error code"));
    } else {
        reading.x = static_cast<uint32_t>(parseInteger(first, 0, 65535, "probe X"));
        reading.y = static_cast<uint32_t>(parseInteger(line.word("probe Y"), 0, 65535, "probe Y"));
    }
    line.end();
    return [this, reading] { sp_.probe.reading = reading; };
}

ScriptedRunner::Action ScriptedRunner::online(ScriptLine& line) {
    const std::string yes = line.word("yes or no");
    line.end();
    if (yes != "yes" && yes != "no") throw ScriptError("bad online \"" + yes + "\" (yes, no)");
    return [this, yes] { sp_.net.online = yes == "yes"; };
}

ScriptedRunner::Action ScriptedRunner::serve(ScriptLine& line) {
    const std::string path = line.word("path");
    const std::string file = line.word("file");
    line.end();
    const std::string full = file.front() == '/' ? file : scriptDir_ + "/" + file;
    std::ifstream in(full, std::ios::binary);
    if (!in) throw ScriptError("cannot read \"" + full + "\"");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return [this, path, body = bytes.str()] { sp_.http.served[path] = body; };
}

// ---- The window as a whole

ScriptedRunner::Action ScriptedRunner::close(ScriptLine& line) {
    line.end();
    return [this] { win().close(); };
}

ScriptedRunner::Action ScriptedRunner::dump(ScriptLine& line) {
    std::vector<std::string> names;
    while (auto name = line.nextWord()) {
        if (!snapshotKnows(win(), *name))
            throw ScriptError("unknown control, array or variable \"" + *name + "\"");
        names.push_back(*name);
    }
    return [this, names] { emit(snapshotJson(win(), names)); };
}

}  // namespace dx
