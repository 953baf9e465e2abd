// The connectivity check's six ticks and the two downloads, on line and off
// line, with friendly and hostile sites.
#include "banner_fixture.h"

#include "banner/description.h"

namespace dx::testing {
namespace {

using Calls = std::vector<std::string>;

const std::string kJpeg("JPEG\0bytes", 10);
const std::string kDescription = "\"Dextrel, the meter\",\" http://127.0.0.1:8080/page \",jpg\r\n";

class BannerCheck : public BannerWindowTest {};

TEST_F(BannerCheck, MissingOrShortPingOutputMeansOffLine) {
    const std::vector<std::optional<std::string>> outputs = {std::nullopt, "a,b,c\n"};
    for (const std::optional<std::string>& out : outputs) {
        net.out = out;
        w->banner.En_Ligne = 0;
        w->Aff_Pas_Branche.caption = "1";
        w->Timer_Ping.setEnabled(true);
        pingTicks(6);
        EXPECT_EQ(w->banner.En_Ligne, 0);
        EXPECT_EQ(w->Aff_Pas_Branche.caption, "0");
        EXPECT_TRUE(http.asked.empty());
    }
}

TEST_F(BannerCheck, AnEndedCheckNeverRunsAgain) {
    w->Aff_Pas_Branche.caption = "0";
    w->Timer_Ping.setEnabled(true);
    pingTick();
    EXPECT_FALSE(w->Timer_Ping.enabled());
    EXPECT_EQ(w->banner.Compteur_Ping, 0);
    EXPECT_TRUE(net.calls.empty());
}

TEST_F(BannerCheck, AnHtmlPageOrAFailureKeepsTheEarlierCopy) {
    const std::string earlier = "Earlier,http://127.0.0.1:8080/old,gif\r\n";
    writeFile("site.www", earlier);
    writeFile("image.gif", "OLD");
    serve("/dx/url_a.txt", "<!DOCTYPE html><html><body>404</body></html>");
    w->banner.En_Ligne = 1;
    w->banner.Compteur_Ping = 5;
    pingTick();
    EXPECT_EQ(readFile("site.www"), earlier);
    EXPECT_EQ(readFile("image.gif"), "OLD");  // the picture was not served: a failure
    EXPECT_EQ(w->Image_FTP.tooltip, "Visit: Earlier");
    EXPECT_EQ(w->Image_FTP.image, "image.gif");
    EXPECT_EQ(w->Image_FTP.pointer, MousePointer::Custom);
}

TEST_F(BannerCheck, ANewShorterDescriptionReplacesTheWholeFile) {
    writeFile("site.www", "A much longer earlier text,http://127.0.0.1:8080/long/path,jpeg\r\n");
    serve("/dx/url_a.txt", "T,http://127.0.0.1:8080/,png");
    w->Recuperer_URL();
    EXPECT_EQ(readFile("site.www"), "T,http://127.0.0.1:8080/,png");
    EXPECT_EQ(w->banner.Extension_Image, "png");
}

TEST_F(BannerCheck, EmptyAndOversizedBodiesAreNotWritten) {
    serve("/dx/url_a.txt", "");
    w->Recuperer_URL();
    EXPECT_FALSE(readFile("site.www"));
    EXPECT_EQ(w->Image_FTP.tooltip, "");
    serve("/dx/url_a.txt", "T,http://127.0.0.1:8080/,png");
    w->Recuperer_URL();
    serve("/dx/img_a7.png", std::string(kMaxDownloadBytes + 1, 'p'));
    w->Recuperer_IMG();
    EXPECT_FALSE(readFile("image.png"));
    EXPECT_EQ(w->Image_FTP.image, "builtin");
}

TEST_F(BannerCheck, AHostilePictureTypeFetchesAndWritesNothing) {
    for (const char* ext : {"../../evil", "/tmp/evil", "..", "", "jpegxl", "a.b", "x y"}) {
        http.asked.clear();
        w->banner.Extension_Image = ext;
        serve(std::string("/dx/img_a7.") + ext, "EVIL");
        w->Recuperer_IMG();
        EXPECT_TRUE(http.asked.empty()) << ext;
        EXPECT_EQ(w->Image_FTP.image, "builtin") << ext;
    }
    EXPECT_TRUE(filesEverywhere().empty());
}

TEST_F(BannerCheck, AHostileDescriptionCannotPlaceAFileOutsideTheProgramDirectory) {
    serve("/dx/url_a.txt", "Hi,file:///etc/passwd,../../../tmp/owned\r\n");
    serve("/dx/img_a7.../../../tmp/owned", "EVIL");
    net.out = kPingAnswered;
    pingTicks(6);
    EXPECT_EQ(filesEverywhere(), Calls{"/prog/site.www"});
    EXPECT_EQ(http.asked, Calls{kSite + "/dx/url_a.txt"});
    // Live, but its link is no web page: a click opens nothing and says nothing.
    EXPECT_EQ(w->Image_FTP.pointer, MousePointer::Custom);
    w->dblclick("Image_FTP");
    EXPECT_TRUE(shell.urls.empty());
    EXPECT_TRUE(events.empty());
}

TEST_F(BannerCheck, WithoutASiteAddressNothingIsDownloaded) {
    sp.env.scrambledSite = "";
    w->PA_URL();
    EXPECT_EQ(w->banner.Adresse_Site, "");
    writeFile("site.www", "Earlier,http://127.0.0.1:8080/old,gif\r\n");
    net.out = kPingAnswered;
    pingTicks(6);
    EXPECT_TRUE(http.asked.empty());
    EXPECT_EQ(w->Image_FTP.tooltip, "");
    EXPECT_EQ(w->banner.Texte_Site, "");
}

TEST_F(BannerCheck, TheSiteAddressIsKeptScrambled) {
    EXPECT_NE(sp.env.scrambledSiteAddress(), kSite);
    EXPECT_EQ(w->banner.Adresse_Site, kSite);
    w->Decode(scrambleAddress("https://127.0.0.1"));
    EXPECT_EQ(w->banner.Adresse_Site, "https://127.0.0.1");
}

} // namespace
} // namespace dx::testing
