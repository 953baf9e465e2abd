// The banner's link, the print mode with its blinking camera, the printout
// and the preview.
#include "banner_fixture.h"

namespace dx::testing {
namespace {

class BannerLink : public BannerWindowTest {
protected:
    void live(const std::string& url) {
        w->Image_FTP.pointer = MousePointer::Custom;
        w->banner.URL_Site = url;
    }
};

TEST_F(BannerLink, ALiveBannerOpensItsLinkWithoutTheBlanksOnEveryClick) {
    live("   http://127.0.0.1:8080/page  ");
    EXPECT_TRUE(w->click("Image_FTP"));
    EXPECT_EQ(shell.urls, std::vector<std::string>{"http://127.0.0.1:8080/page"});
    EXPECT_EQ(w->banner.URL_A_Ouvrir, "http://127.0.0.1:8080/page");
    // A double click is a click and then a double click: the page opens twice.
    w->dblclick("Image_FTP");
    EXPECT_EQ(shell.urls.size(), 3u);
    EXPECT_TRUE(events.empty());
}

TEST_F(BannerLink, ADeadBannerOpensNothing) {
    w->banner.URL_Site = "http://127.0.0.1:8080/page";
    w->click("Image_FTP");
    EXPECT_TRUE(shell.urls.empty());
    EXPECT_EQ(w->banner.URL_A_Ouvrir, "");
}

TEST_F(BannerLink, ALinkThatIsNoWebPageIsRefusedWithoutAWord) {
    for (const char* url : {"file:///etc/passwd", "/usr/bin/xterm", "ftp://127.0.0.1/",
                            "javascript:alert(1)", "", "http://127.0.0.1/a b"}) {
        live(url);
        w->click("Image_FTP");
    }
    EXPECT_TRUE(shell.urls.empty());
    EXPECT_TRUE(events.empty());
}

TEST_F(BannerLink, TheTwoBrowserFailuresSpeakEnglishInEveryLanguage) {
    french();
    live("http://127.0.0.1:8080/");
    shell.result = BrowserResult::NotFound;
    w->click("Image_FTP");
    shell.result = BrowserResult::Failed;
    w->click("Image_FTP");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0],
              "{\"event\":\"msgbox\",\"title\":\"Browser Not Found\",\"text\":\"Could not find "
              "your default Browser\",\"buttons\":\"ok\",\"icon\":\"exclamation\",\"answer\":\"ok\"}");
    EXPECT_EQ(events[1],
              "{\"event\":\"msgbox\",\"title\":\"URL Failed\",\"text\":\"Web Page not "
              "Opened\",\"buttons\":\"ok\",\"icon\":\"exclamation\",\"answer\":\"ok\"}");
}

class PrintMode : public BannerWindowTest {
protected:
    void cameraTick() { w->fireTimer(7, sp.clock.monotonicMs()); }
    bool cam1() const { return w->Img_Cam1.visible; }
    bool cam2() const { return w->Img_Cam2.visible; }
};

TEST_F(PrintMode, PrintChartArmsTheBlinkingCameraAndTwiceDisarmsIt) {
    ASSERT_TRUE(w->click("Menu_Impr_Graph"));
    EXPECT_TRUE(w->Menu_Impr_Graph.checked);
    EXPECT_TRUE(w->Timer_Camera.enabled());
    EXPECT_TRUE(cam1());
    EXPECT_FALSE(cam2());
    cameraTick();
    EXPECT_FALSE(cam1());
    EXPECT_TRUE(cam2());
    cameraTick();
    EXPECT_TRUE(cam1());
    EXPECT_FALSE(cam2());
    cameraTick();  // the second icon is showing now
    w->click("Menu_Impr_Graph");
    EXPECT_FALSE(w->Menu_Impr_Graph.checked);
    EXPECT_FALSE(w->Timer_Camera.enabled());
    EXPECT_FALSE(cam1());
    EXPECT_FALSE(cam2());
}

TEST_F(PrintMode, ABlinkTickAfterTheModeWentOffHidesBothAndStops) {
    w->click("Menu_Impr_Graph");
    w->Menu_Impr_Graph.checked = false;
    cameraTick();
    EXPECT_FALSE(w->Timer_Camera.enabled());
    EXPECT_FALSE(cam1());
    EXPECT_FALSE(cam2());
}

// The window as the printer sees it.
struct AtPrint {
    Rgb form, graphique, objectif1, objectif2, jour7Fore, jour7Back, mois12Back, dernierBack,
        resultatFore, moyenneFore, dateFore;
    std::vector<Rgb> segments;
    bool thermometre, resultat, curseur, auj, information, heure, shape2, cam1, cam2;
};

AtPrint look(const Fenetre& w) {
    AtPrint a{w.form.back, w.Graphique.back, w.Objectif1.color, w.Objectif2.color,
              w.Aff_Jour[7]->fore, w.Aff_Jour[7]->back, w.Aff_Mois[12]->back,
              w.Aff_Mois_Dernier_Jr.back, w.Aff_Resultat.fore, w.Aff_Moyenne.fore,
              w.Aff_Date.fore, {}, w.Thermometre.visible, w.Aff_Resultat.visible,
              w.Curseur.visible, w.Bout_Auj.visible, w.Information.visible,
              w.Aff_Heure.visible, w.Shape2.visible, w.Img_Cam1.visible, w.Img_Cam2.visible};
    for (size_t i = 1; i < w.Ligne.size(); ++i)
        if (w.Ligne[i]) a.segments.push_back(w.Ligne[i]->color);
    return a;
}

TEST_F(PrintMode, TheCameraPrintsInPrintColoursThenRestoresTheScreen) {
    w->loadLigne(1).color = colour::kYellow;
    w->loadLigne(2).color = colour::kCyan;  // a bridge over an empty day
    w->loadLigne(3).color = colour::kYellow;
    w->view.Ligne_Suivante = 4;
    std::vector<AtPrint> printed;
    printer.onPrint = [&] { printed.push_back(look(*w)); };
    w->click("Menu_Impr_Graph");
    cameraTick();
    ASSERT_TRUE(w->click("Img_Cam2"));

    ASSERT_EQ(printed.size(), 1u);
    const AtPrint& p = printed[0];
    EXPECT_EQ(p.form, colour::kWhite);
    EXPECT_EQ(p.graphique, colour::kWhite);
    EXPECT_EQ(p.objectif1, colour::kBlack);
    EXPECT_EQ(p.objectif2, colour::kBlack);
    EXPECT_EQ(p.jour7Fore, colour::kBlack);
    EXPECT_EQ(p.jour7Back, colour::kYellow);
    EXPECT_EQ(p.mois12Back, colour::kYellow);
    EXPECT_EQ(p.dernierBack, colour::kYellow);
    EXPECT_EQ(p.resultatFore, colour::kBlack);
    EXPECT_EQ(p.moyenneFore, colour::kBlack);
    EXPECT_EQ(p.dateFore, colour::kBlack);
    EXPECT_EQ(p.segments, std::vector<Rgb>(3, colour::kBlack));
    EXPECT_FALSE(p.thermometre || p.curseur || p.auj || p.information || p.heure || p.shape2 ||
                 p.cam1 || p.cam2);
    EXPECT_TRUE(p.resultat);  // the level stays on paper in the Day/Week view

    const AtPrint after = look(*w);
    EXPECT_EQ(after.segments, std::vector<Rgb>(3, colour::kYellow));
    EXPECT_EQ(after.form, colour::kLightGrey);
    EXPECT_EQ(after.graphique, colour::kBlack);
    EXPECT_EQ(after.objectif1, colour::kGrey);
    EXPECT_EQ(after.jour7Fore, colour::kYellow);
    EXPECT_EQ(after.jour7Back, colour::kDarkGreen);
    EXPECT_EQ(after.dernierBack, colour::kDarkGreen);
    EXPECT_EQ(after.moyenneFore, colour::kWhite);
    EXPECT_EQ(after.dateFore, colour::kDarkGreen);
    EXPECT_TRUE(after.thermometre && after.resultat && after.curseur && after.auj &&
                after.information && after.heure && after.shape2);
    // Both icons show until the next blink puts them back to alternating.
    EXPECT_TRUE(after.cam1 && after.cam2);
    cameraTick();
    EXPECT_NE(cam1(), cam2());
}

TEST_F(PrintMode, TheWeekMonthViewLeavesTheLevelOffThePaper) {
    w->Menu_Sem.checked = false;
    w->Menu_Mois.checked = true;
    bool levelOnPaper = true;
    printer.onPrint = [&] { levelOnPaper = w->Aff_Resultat.visible; };
    w->Image_Camera();
    EXPECT_FALSE(levelOnPaper);
    EXPECT_TRUE(w->Aff_Resultat.visible);
}

TEST_F(PrintMode, PreviewHandsTheJournalFileToTheViewerAndSaysNothing) {
    ASSERT_TRUE(w->click("Menu_Prev"));
    EXPECT_EQ(shell.files, std::vector<std::string>{prog + "Diabete.glc"});
    EXPECT_TRUE(events.empty());
}

} // namespace
} // namespace dx::testing
