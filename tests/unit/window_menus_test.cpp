// Menu groups, the meter's timers, the clock, Escape, the hints and the
// about box.

#include "entry_window_fixture.h"

namespace dx {
namespace {

using entry_test::EntryWindowTest;

using WindowMechanics = EntryWindowTest;

TEST_F(WindowMechanics, MenuGroupsAreDisabledAndGivenBack) {
    start(0);
    w->Menu_Calib.enabled = false;
    w->Desactiver_Menu();
    for (const MenuItem* m : {&w->Menu_Hystorique, &w->Menu_Prev, &w->Menu_Impr_Graph,
                              &w->Menu_Sang})
        EXPECT_FALSE(m->enabled) << m->caption;
    EXPECT_FALSE(w->Curseur.enabled);
    EXPECT_TRUE(w->Menu_Option.enabled);

    w->Re_Activer_Menu();
    for (const MenuItem* m : {&w->Menu_Hystorique, &w->Menu_Prev, &w->Menu_Impr_Graph,
                              &w->Menu_Sang, &w->Menu_Calib})
        EXPECT_TRUE(m->enabled) << m->caption;
    EXPECT_FALSE(w->Curseur.enabled);  // the scrollbar is its caller's
    // An item under a disabled menu cannot be clicked.
    w->Menu_Hystorique.enabled = false;
    EXPECT_FALSE(w->click("Menu_Mois"));
}

TEST_F(WindowMechanics, MeterTimersStartWithKeysPreviewed) {
    start(0);
    w->Minuteries_On();
    EXPECT_TRUE(w->form.keyPreview);
    EXPECT_TRUE(w->Timer_Joyst.enabled());
    EXPECT_TRUE(w->Timer_Heure.enabled());
    EXPECT_TRUE(w->Timer_Anim.enabled());
    EXPECT_FALSE(w->Timer_Analyse.enabled());
}

TEST_F(WindowMechanics, TheClockTicksButLeavesTheAnchorDateAtMidnight) {
    start(0);
    sp.clock.set(DateTime::fromParts(2000, 1, 8, 23, 59, 59));
    w->Afficher_Heure();
    EXPECT_EQ(w->Aff_Heure.caption, "23:59:59");
    const std::string anchor = w->Aff_Date.caption;
    sp.clock.set(DateTime::fromParts(2000, 1, 9, 0, 0, 30));
    w->Timer_Heure_Timer();
    EXPECT_EQ(w->Aff_Heure.caption, "00:00:30");
    EXPECT_EQ(w->Aff_Date.caption, anchor);
}

TEST_F(WindowMechanics, EscapeGoesToTheFocusedControlUnlessKeysArePreviewed) {
    start(0);
    w->click("Menu_Ajouter");
    ASSERT_EQ(w->focused(), "Dialog_Taux");
    w->escape();
    EXPECT_FALSE(w->Menu_Sang.enabled);  // the run-ending command did not run
    EXPECT_TRUE(w->Cadre_Ajouter.visible);

    // A blood-test run: the window previews keys, Escape ends the run
    // whatever control has the focus.
    w->Minuteries_On();
    w->Calibrateur.visible = true;
    w->Aff_Resultat.visible = false;
    w->escape();
    EXPECT_FALSE(w->form.keyPreview);
    EXPECT_FALSE(w->Timer_Heure.enabled());
    EXPECT_FALSE(w->Timer_Anim.enabled());
    EXPECT_FALSE(w->Calibrateur.visible);
    EXPECT_TRUE(w->Aff_Resultat.visible);
    EXPECT_TRUE(w->Menu_Sang.enabled);
    EXPECT_TRUE(w->Menu_Calib.enabled);
}

TEST_F(WindowMechanics, EscapeWithNoFocusReachesTheWindow) {
    start(0);
    w->Menu_Sang.enabled = false;
    ASSERT_EQ(w->focused(), "");
    w->escape();
    EXPECT_TRUE(w->Menu_Sang.enabled);
    // Other keys are ignored by the window.
    w->Menu_Sang.enabled = false;
    w->Form_KeyDown(13);
    EXPECT_FALSE(w->Menu_Sang.enabled);
}

TEST_F(WindowMechanics, HintsFollowTheLanguageAndTheUnit) {
    struct Hint {
        const char* control;
        const char* en;
        const char* fr;
        const std::string& (*tooltip)(const Fenetre&);
    };
    const Hint hints[] = {
        {"Bout_Auj", "Return today", "Retour aujourd'hui",
         [](const Fenetre& f) -> const std::string& { return f.Bout_Auj.tooltip; }},
        {"Bout_Cancel", "Refuse modifications", "Refuser les changements",
         [](const Fenetre& f) -> const std::string& { return f.Bout_Cancel.tooltip; }},
        {"Bout_Ok", "Accept modifications", "Accepter les changements",
         [](const Fenetre& f) -> const std::string& { return f.Bout_Ok.tooltip; }},
        {"Dialog_Date", "The date of the test (locked)", "La date de l'analyse (verrouillée)",
         [](const Fenetre& f) -> const std::string& { return f.Dialog_Date.tooltip; }},
        {"Dialog_Heure", "The time of the test", "L'heure de l'analyse",
         [](const Fenetre& f) -> const std::string& { return f.Dialog_Heure.tooltip; }},
        {"Dialog_Note", "Add a special note", "Ajout d'une note",
         [](const Fenetre& f) -> const std::string& { return f.Dialog_Note.tooltip; }},
    };
    for (const bool french : {false, true}) {
        start(0, french);
        for (const Hint& h : hints) {
            w->hover(h.control);
            EXPECT_EQ(h.tooltip(*w), french ? h.fr : h.en) << h.control;
        }
    }
}

TEST_F(WindowMechanics, UnitHintsChangeAtTheNextMouseMove) {
    struct Case {
        bool french;
        int16_t startUnit, switchedUnit;
        const char *result, *field, *switchedResult, *switchedField;
    };
    const Case cases[] = {
        {false, 0, 1, "Normal, if between 4 and 7", "Your glucose level (max. 25)",
         "Normal, if between 72 and 126", "Your glucose level (max. 450)"},
        {true, 1, 0, "Normal, si entre 72 et 126", "Votre taux de glucose (max. 450)",
         "Normal, si entre 4 et 7", "Votre taux de glucose (max. 25)"},
    };
    for (const Case& c : cases) {
        start(c.startUnit, c.french);
        const auto moveOverBoth = [this] {
            w->hover("Aff_Resultat");
            w->hover("Dialog_Taux");
        };
        moveOverBoth();
        EXPECT_EQ(w->Aff_Resultat.tooltip, c.result);
        EXPECT_EQ(w->Dialog_Taux.tooltip, c.field);
        w->settings.Unite = c.switchedUnit;
        EXPECT_EQ(w->Dialog_Taux.tooltip, c.field);  // not before the mouse moves
        moveOverBoth();
        EXPECT_EQ(w->Aff_Resultat.tooltip, c.switchedResult);
        EXPECT_EQ(w->Dialog_Taux.tooltip, c.switchedField);
    }
}

} // namespace
} // namespace dx
