#pragma once

// Fresh folders for a window under test: a temporary root holding prog/ (the
// program's directory) and settings/, with the scripted platform pointed at
// them. The caller removes the root when the test ends.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../../tools/replay/scripted_platform.h"

namespace dx {

inline std::string useFreshFolders(ScriptedPlatform& sp) {
    std::string root = (std::filesystem::temp_directory_path() / "dextrel-test-XXXXXX").string();
    if (mkdtemp(root.data()) == nullptr) return {};
    std::filesystem::create_directories(root + "/prog");
    std::filesystem::create_directories(root + "/settings");
    sp.env.program = root + "/prog/";
    sp.env.settings = root + "/settings/";
    return root;
}

} // namespace dx
