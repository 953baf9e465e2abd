#pragma once

// A window started on a journal written into a temporary folder, with the
// scripted clock set to the day wanted, and a few views of the chart's
// segments.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "program_folders.h"
#include "../../tools/replay/scripted_platform.h"
#include "window/fenetre.h"

namespace dx::chart_test {

struct Record {
    std::string date, time, level, note;
};

inline DateTime day(int y, int m, int d) { return DateTime::fromParts(y, m, d); }

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = useFreshFolders(sp);
    }
    void TearDown() override {
        w.reset();
        std::filesystem::remove_all(dir_);
    }

    // Newest test first, as the journal keeps them.
    void start(const std::vector<Record>& tests, DateTime now = DateTime::fromParts(2000, 1, 8, 12),
               int unite = 0) {
        std::ofstream out(dir_ + "/prog/Diabete.glc", std::ios::binary);
        for (const Record& t : tests)
            out << '"' << t.date << "\",\"" << t.time << "\",\"" << t.level << "\",\"" << t.note
                << "\"\r\n";
        out.close();
        std::ofstream(dir_ + "/settings/dextrel.ini", std::ios::binary)
            << "[Setup]\r\nUnite=" << unite << "\r\nLock=0\r\nAnimation=0\r\n";
        sp.clock.set(now);
        w = std::make_unique<Fenetre>(sp.platform);
        w->start();
    }

    // The segments on the chart, in drawing order (element 1 first).
    std::vector<Line> segments() const {
        std::vector<Line> out;
        for (int i = 1; i < w->view.Ligne_Suivante; ++i)
            if (static_cast<size_t>(i) < w->Ligne.size() && w->Ligne[static_cast<size_t>(i)])
                out.push_back(*w->Ligne[static_cast<size_t>(i)]);
        return out;
    }
    int countColour(Rgb colour) const {
        int n = 0;
        for (const Line& l : segments()) n += l.color == colour ? 1 : 0;
        return n;
    }
    std::string shown() const { return w->Aff_Date.caption; }
    void scroll(int value) { w->userScroll(value); }
    void scrollBy(int delta) { w->userScroll(w->Curseur.value() + delta); }

    ScriptedPlatform sp;
    std::unique_ptr<Fenetre> w;

private:
    std::string dir_;
};

// The chain is one polyline read from right to left: every segment starts
// at the right edge or where its right-hand neighbour ended.
inline void expectContinuous(const std::vector<Line>& segs) {
    for (size_t i = 1; i < segs.size(); ++i) {
        EXPECT_FLOAT_EQ(segs[i].x2, segs[i - 1].x1) << "segment " << i + 1;
        EXPECT_FLOAT_EQ(segs[i].y2, segs[i - 1].y1) << "segment " << i + 1;
        EXPECT_LT(segs[i].x1, segs[i].x2);
    }
}

}  // namespace dx::chart_test
