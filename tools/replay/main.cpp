// dextrel-replay: runs the window headless over a scripted platform and
// prints what happens as JSON Lines.

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "scripted_runner.h"

namespace {

constexpr int kScriptError = 2;

const char* const kUsage = "usage: dextrel-replay --program-dir DIR --settings-dir DIR [SCRIPT]\n";

std::string asFolder(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

struct Options {
    std::string programDir;
    std::string settingsDir;
    std::string script;  // empty: standard input
};

bool parseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--program-dir" || arg == "--settings-dir") && i + 1 < argc) {
            (arg == "--program-dir" ? o.programDir : o.settingsDir) = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && o.script.empty()) {
            o.script = arg;
        } else {
            return false;
        }
    }
    return !o.programDir.empty() && !o.settingsDir.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::cerr << kUsage;
        return kScriptError;
    }
    std::ifstream file;
    if (!options.script.empty()) {
        file.open(options.script);
        if (!file) {
            std::cerr << "dextrel-replay: cannot read " << options.script << "\n";
            return kScriptError;
        }
    }
    std::istream& script = options.script.empty() ? std::cin : file;

    dx::ScriptedPlatform sp;
    sp.env.program = asFolder(options.programDir);
    sp.env.settings = asFolder(options.settingsDir);
    // Flushed line by line: a run that crashes still shows how far it got.
    sp.emit = [](const std::string& json) { std::cout << json << std::endl; };

    dx::ScriptedRunner runner(sp, options.script.empty() ? "." : folderOf(options.script));
    std::string error;
    int failedLine = 0;
    try {
        failedLine = runner.run(script, error);
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "dextrel-replay: internal error: " << e.what() << "\n";
        return 1;
    }
    std::cout.flush();
    if (failedLine != 0) {
        const std::string where = options.script.empty() ? "<stdin>" : options.script;
        std::cerr << "dextrel-replay: " << where << ", line " << failedLine << ": " << error
                  << "\n";
        return kScriptError;
    }
    return 0;
}
