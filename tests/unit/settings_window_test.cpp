#include "journal_fixture.h"

namespace dx::journal_test {
namespace {

using SettingsWindowTest = JournalWindowTest;

TEST_F(SettingsWindowTest, ExtraCharactersBeforeTheDigitAndAnyNonZeroUnit) {
    writeBytes(settingsPath(), "[Setup]\r\nUnite=01\r\nLock=0\r\nAnimation=5\r\n");
    start();
    EXPECT_EQ(w->settings.Unite, 1);
    EXPECT_TRUE(w->Menu_OptMG.checked);
    EXPECT_EQ(w->Aff_Anim.caption, "5");

    writeSettings(7);
    w.reset();
    start();
    EXPECT_EQ(w->settings.Unite, 7);
    EXPECT_EQ(w->settings.Facteur_Unite, 18);
    EXPECT_EQ(w->Aff_mmol.caption, "mg/dl");
    EXPECT_EQ(w->Aff_Niveau[1]->caption, "90");
    EXPECT_EQ(w->Aff_Niveau[5]->caption, "450");
    w->Sauver_Init();
    EXPECT_EQ(readBytes(settingsPath()), "[Setup]\r\nUnite=7\r\nLock=0\r\nAnimation=0\r\n");
}

TEST_F(SettingsWindowTest, LockedFileHidesTheUnitChoice) {
    writeSettings(0, 1);
    start();
    EXPECT_FALSE(w->Menu_Ligne2b.visible);
    EXPECT_FALSE(w->Menu_OptMM.visible);
    EXPECT_FALSE(w->Menu_OptMG.visible);
}

TEST_F(SettingsWindowTest, SwitchWithoutLockThenWithLock) {
    start();
    answer(ScriptedAnswer::No);
    EXPECT_TRUE(w->click("Menu_OptMG"));
    auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(has(boxes[0], "\"title\":\"MG/DL\",\"text\":\"Do you want to LOCK this option?\","
                              "\"buttons\":\"yesno\",\"icon\":\"none\""));
    EXPECT_EQ(w->settings.Unite, 1);
    EXPECT_EQ(w->settings.Setup_Modifie, 1);
    EXPECT_EQ(w->settings.Verrou, 0);
    EXPECT_TRUE(w->Menu_OptMG.checked);
    EXPECT_FALSE(w->Menu_OptMM.checked);
    EXPECT_TRUE(w->Menu_OptMM.visible);
    EXPECT_EQ(w->Menu_Res1.caption, "Optimal: >= 72 and <126");

    // The unit already checked asks nothing.
    events.clear();
    EXPECT_TRUE(w->click("Menu_OptMG"));
    EXPECT_TRUE(eventsOf("msgbox").empty());

    EXPECT_TRUE(w->click("Menu_OptMM"));  // Yes to the lock
    boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(has(boxes[0], "\"title\":\"MMOL/L\""));
    EXPECT_EQ(w->settings.Unite, 0);
    EXPECT_EQ(w->settings.Verrou, 1);
    EXPECT_FALSE(w->Menu_OptMM.visible || w->Menu_OptMG.visible || w->Menu_Ligne2b.visible);
    w->Sauvegarder();
    EXPECT_EQ(readBytes(settingsPath()), "[Setup]\r\nUnite=0\r\nLock=1\r\nAnimation=0\r\n");
}

TEST_F(SettingsWindowTest, SwitchReformatsTheLevelOnShowButNotTheJournal) {
    writeJournal("\"2000-01-07\",\"08:00\",\"05.6\",\"\"\r\n");
    start();
    EXPECT_EQ(w->Aff_Resultat.caption, "05.6");
    answer(ScriptedAnswer::No);
    w->click("Menu_OptMG");
    EXPECT_EQ(w->Aff_Resultat.caption, "6");
    EXPECT_EQ(w->Aff_mmol.caption, "mg/dl");
    answer(ScriptedAnswer::No);
    w->click("Menu_OptMM");
    EXPECT_EQ(w->Aff_Resultat.caption, "06.0");
    EXPECT_EQ(w->journal.Taux_Test[1], "05.6");
}

TEST_F(SettingsWindowTest, FrenchCaptionsAndResultMenus) {
    sp.locale.language = "French";
    start();
    EXPECT_EQ(w->settings.Langue, 1);
    EXPECT_EQ(w->Aff_Langue.caption, "1");
    EXPECT_EQ(w->form.caption, "Moniteur de glycémie");
    EXPECT_EQ(w->Menu_Note.caption, "&Ajoûter note");
    EXPECT_EQ(w->Menu_Hystorique.caption, "&Hystorique");
    EXPECT_EQ(w->Menu_Res.caption, "Résultats?");
    EXPECT_EQ(w->Bout_Cancel.caption, "Annuler");
    EXPECT_EQ(w->Menu_Option.caption, "&Options");  // the same in both languages
    EXPECT_EQ(w->Menu_Res1.caption, "Optimaux: >= 4 et <7");
    EXPECT_EQ(w->Menu_Res2.caption, "Suboptimaux: >= 7 et <10");
    EXPECT_EQ(w->Menu_Res3.caption, "Compromis: >= 10");
}

TEST_F(SettingsWindowTest, OtherLanguagesKeepTheEnglishCaptions) {
    sp.locale.language = "German";
    writeSettings(1);
    start();
    EXPECT_EQ(w->settings.Langue, 0);
    EXPECT_EQ(w->Aff_Langue.caption, "0");
    EXPECT_EQ(w->form.caption, "Glucose monotor");
    EXPECT_EQ(w->Menu_Res1.caption, "Optimal: >= 72 and <126");
    EXPECT_EQ(w->Menu_Res2.caption, "Suboptimal: >= 126 and <180");
    EXPECT_EQ(w->Menu_Res3.caption, "Compromise: >= 180");
}

} // namespace
} // namespace dx::journal_test
