#pragma once

// A window over the scripted platform in fresh program and settings
// directories, with every JSON line it emits collected in `events`.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "scripted_platform.h"
#include "window/fenetre.h"

namespace dx::runner_test {

class ScriptedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "dextrel-runner-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        std::filesystem::create_directories(dir / "settings");
        sp.env.program = dir.string() + "/";
        sp.env.settings = (dir / "settings").string() + "/";
        sp.emit = [this](const std::string& line) { events.push_back(line); };
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    Fenetre& makeWindow() {
        w = std::make_unique<Fenetre>(sp.platform);
        return *w;
    }

    std::filesystem::path dir;
    ScriptedPlatform sp;
    std::vector<std::string> events;
    std::unique_ptr<Fenetre> w;  // declared last: goes before the platform
};

} // namespace dx::runner_test
