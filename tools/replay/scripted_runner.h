#pragma once

// Runs a replay script against the window over a scripted platform. Every
// event and every dump goes out through the platform's `emit`, one JSON line
// each, in the order things happen.

#include <functional>
#include <istream>
#include <memory>
#include <string>

#include "scripted_line.h"
#include "scripted_platform.h"
#include "window/fenetre.h"

namespace dx {

class ScriptedRunner {
public:
    // Files that `serve` names are read relative to scriptDir.
    ScriptedRunner(ScriptedPlatform& platform, std::string scriptDir);
    ~ScriptedRunner();

    // Runs every line; on a script error returns its line number (from 1)
    // and the reason, and stops there. Returns 0 when the whole script ran.
    int run(std::istream& script, std::string& error);
    // One line of script; throws ScriptError.
    void runLine(const std::string& line);

    Fenetre* window() { return window_.get(); }

private:
    // A command reads its arguments (throwing ScriptError on a bad one) and
    // returns what it does, so that nothing runs once the program has ended.
    using Action = std::function<void()>;
    using Command = Action (ScriptedRunner::*)(ScriptLine&);
    struct CommandEntry {
        const char* name;
        Command run;
        bool needsWindow;
    };
    static const CommandEntry kCommands[];

    void emit(const std::string& json) { sp_.emit(json); }
    void refused(const std::string& commandLine);
    Fenetre& win();
    // A control of the window, or an element NAME(i) of a control array.
    std::string controlName(ScriptLine& line);
    std::string fieldName(ScriptLine& line);

    Action now(ScriptLine& line);
    Action advance(ScriptLine& line);
    Action language(ScriptLine& line);
    Action shortdate(ScriptLine& line);
    Action site(ScriptLine& line);
    Action start(ScriptLine& line);
    Action click(ScriptLine& line);
    Action dblclick(ScriptLine& line);
    Action mouseclick(ScriptLine& line);
    Action mousedouble(ScriptLine& line);
    Action busy(ScriptLine& line);
    Action menu(ScriptLine& line);
    Action type(ScriptLine& line);
    Action key(ScriptLine& line);
    Action settext(ScriptLine& line);
    Action select(ScriptLine& line);
    Action focus(ScriptLine& line);
    Action escape(ScriptLine& line);
    Action scroll(ScriptLine& line);
    Action hover(ScriptLine& line);
    Action answer(ScriptLine& line);
    Action probe(ScriptLine& line);
    Action online(ScriptLine& line);
    Action serve(ScriptLine& line);
    Action close(ScriptLine& line);
    Action dump(ScriptLine& line);

    ScriptedPlatform& sp_;
    std::string scriptDir_;
    std::unique_ptr<Fenetre> window_;
    std::string current_;  // the command line being run, for `refused`
};

}  // namespace dx
