#pragma once

// Journals and folders for the benchmarks.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "journal/journal.h"
#include "platform/datetime.h"

namespace dx::bench {

// A temporary folder, removed with the object.
struct TempDir {
    std::string path;
    TempDir() {
        char pattern[] = "/tmp/dextrel-bench-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

// Writes Diabete.glc with `count` tests, four a day, the newest on `newest`,
// levels cycling through the three bands and below them.
inline void writeJournal(const std::string& dir, int count,
                         DateTime newest = DateTime::fromParts(2000, 1, 8)) {
    std::ofstream out(dir + "/Diabete.glc", std::ios::binary);
    for (int i = 0; i < count; ++i) {
        const std::string date = newest.addDays(-(i / 4)).iso();
        const std::string level = std::to_string(4 + i % 9) + ".5";
        out << '"' << date << "\",\"10:00\",\"" << (level.size() < 4 ? "0" : "") << level << "\",\""
            << (i % 10 == 0 ? "after lunch" : "") << "\"\r\n";
    }
}

// The lines of a file's bytes: the least any reader of them does, the
// baseline of the loads and the import.
inline std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    for (size_t end; (end = bytes.find('\n')) != std::string_view::npos;
         bytes.remove_prefix(end + 1))
        lines.push_back(bytes.substr(0, end));
    return lines;
}

}  // namespace dx::bench
