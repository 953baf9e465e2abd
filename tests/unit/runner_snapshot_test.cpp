// The window's JSON snapshot: every control, array and variable, the number
// and colour formats, filtering, and the journal.

#include <algorithm>

#include "runner_fixture.h"
#include "window/snapshot.h"

namespace dx {
namespace {

class Snapshot : public runner_test::ScriptedWindowTest {
protected:
    void SetUp() override {
        ScriptedWindowTest::SetUp();
        makeWindow().start();
    }
};

// Braces and brackets balance outside strings, and every string closes.
bool wellNested(const std::string& json) {
    std::string open;
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
            else if (static_cast<unsigned char>(c) < 0x20) return false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            open += c;
        } else if (c == '}' || c == ']') {
            if (open.empty() || open.back() != (c == '}' ? '{' : '[')) return false;
            open.pop_back();
        } else if (c == ' ' || c == '\n') {
            return false;  // compact
        }
    }
    return open.empty() && !inString;
}

TEST_F(Snapshot, AFullDumpHoldsEveryControlArrayAndVariable) {
    const std::string json = snapshotJson(*w);
    EXPECT_TRUE(wellNested(json));
    EXPECT_EQ(json.rfind(R"({"dump":{"controls":{"Fenetre":{"caption":"Glucose monotor",)", 0), 0u);
    for (const ControlEntry& e : w->controls())
        EXPECT_NE(json.find("\"" + e.name + "\":{"), std::string::npos) << e.name;
    for (const char* a : {"Ligne", "Aff_Jour", "Aff_Mois", "Aff_Niveau"})
        EXPECT_NE(json.find(std::string("\"") + a + "\":["), std::string::npos) << a;
    int vars = 0;
    w->forEachVar([&](const char* name, const auto&) {
        ++vars;
        EXPECT_NE(json.find(std::string("\"") + name + "\":"), std::string::npos) << name;
    });
    EXPECT_GE(vars, 50);
    EXPECT_NE(json.find(R"("journal":[])"), std::string::npos);
}

TEST_F(Snapshot, LinesKeepFractionalCoordinatesAndMissingElementsAreNull) {
    w->Ligne.resize(1);
    Line& l = w->loadLigne(3);
    l.x1 = 3519.75f;
    l.y1 = 1008.8f;
    l.x2 = -0.0f;
    const std::string json = snapshotJson(*w, {"Ligne"});
    EXPECT_NE(json.find(R"("Ligne":[{"x1":3650,"y1":1300,"x2":3665,"y2":1315,"color":"#80FFFF","width":2,"visible":false},null,null,{"x1":3519.75,"y1":1008.8,"x2":0,"y2":1315,)"),
              std::string::npos)
        << json;
    const std::string days = snapshotJson(*w, {"Aff_Jour"});
    EXPECT_NE(days.find(R"("Aff_Jour":[null,{"caption":)"), std::string::npos) << days;
}

TEST_F(Snapshot, AFilteredDumpKeepsTheWindowsOrderAndAlwaysTheJournal) {
    w->journal.Nb_Tests = 2;
    w->journal.Date_Test[1] = "2000-01-08";
    w->journal.Heure_Test[1] = "09:15";
    w->journal.Taux_Test[1] = "05.6";
    w->journal.Note_Test[1] = "après \"repas\"";
    w->journal.Date_Test[2] = "2000-01-07";
    w->Cadre_Ajouter.visible = true;
    w->focus("Dialog_Taux");
    w->Dialog_Taux.setText("5.6");
    w->Dialog_Taux.select(1, 2);
    w->Image_FTP.pointer = MousePointer::Custom;
    w->Probe_Vide.pointer = MousePointer::Hourglass;

    EXPECT_EQ(snapshotJson(*w, {"Nb_Tests", "Image_FTP", "Dialog_Taux", "Probe_Vide"}),
              R"({"dump":{"controls":{)"
              R"("Dialog_Taux":{"text":"5.6","visible":true,"enabled":true,"selstart":1,"sellength":2,"tooltip":"","focus":true},)"
              R"("Probe_Vide":{"visible":true,"top":0,"left":0,"back":"#C0C0C0","pointer":"default","tooltip":"","image":"builtin"},)"
              R"("Image_FTP":{"visible":true,"top":0,"left":0,"back":"#C0C0C0","pointer":"custom","tooltip":"","image":"builtin"}},)"
              R"("arrays":{},"vars":{"Nb_Tests":2},)"
              R"("journal":[["2000-01-08","09:15","05.6","après \"repas\""],["2000-01-07","","",""]]}})");
    EXPECT_NE(snapshotJson(*w, {"Dialog_Date"}).find(R"("focus":false)"), std::string::npos);
}

TEST_F(Snapshot, DatesCarryTheirTimeOfDayOnlyWhenTheyHaveOne) {
    w->entry.Date_Saisie = DateTime::fromParts(1999, 6, 1);
    w->view.Date_Affichee = DateTime::fromParts(2000, 1, 8, 9, 15, 0);
    const std::string json = snapshotJson(*w, {"Date_Saisie", "Date_Affichee", "Chemin_Prog"});
    EXPECT_NE(json.find(R"("Date_Affichee":"2000-01-08 09:15:00")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("Date_Saisie":"1999-06-01")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("Chemin_Prog":")" + sp.env.program + "\""), std::string::npos) << json;
}

TEST(JsonQuote, EscapesWhatJsonRequiresAndKeepsUtf8) {
    EXPECT_EQ(jsonQuote("a\"b\\c\nd\te\x01 é"), R"("a\"b\\c\nd\te\u0001 é")");
}

TEST_F(Snapshot, KnowsControlsArraysAndVariablesByName) {
    for (const char* name : {"Menu_Sauve", "Ligne", "Nb_Tests", "Fenetre", "Timer_Camera"})
        EXPECT_TRUE(snapshotKnows(*w, name)) << name;
    for (const char* name : {"Ligne(1)", "nb_tests", ""})
        EXPECT_FALSE(snapshotKnows(*w, name)) << name;
}

} // namespace
} // namespace dx
