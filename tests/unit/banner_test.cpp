// The banner: reading the site's description and the ping's output, the
// connectivity check and the downloads with friendly and hostile sites, the
// link, the print mode with its blinking camera, the printout and the
// preview.

#include <map>

#include "banner/address.h"
#include "banner/banner.h"
#include "banner/description.h"
#include "window_fixture.h"

namespace dx::testing {
namespace {

using Fields = std::vector<std::string>;

const std::string kSite = "http://127.0.0.1:8080";

// What the system ping prints for one echo request, answered and not.
const char* const kAnswered =
    "PING 127.0.0.1 (127.0.0.1) 56(84) bytes of data.\n"
    "64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.115 ms\n\n"
    "--- 127.0.0.1 ping statistics ---\n"
    "1 packets transmitted, 1 received, 0% packet loss, time 0ms\n"
    "rtt min/avg/max/mdev = 0.115/0.115/0.115/0.000 ms\n";
const char* const kUnanswered =
    "PING 192.0.2.1 (192.0.2.1) 56(84) bytes of data.\n\n"
    "--- 192.0.2.1 ping statistics ---\n"
    "1 packets transmitted, 0 received, 100% packet loss, time 0ms\n\n";
const char* const kUnreachable =
    "PING 10.1.1.1 (10.1.1.1) 56(84) bytes of data.\n"
    "From 10.0.0.1 icmp_seq=1 Destination Host Unreachable\n\n"
    "--- 10.1.1.1 ping statistics ---\n"
    "1 packets transmitted, 0 received, +1 errors, 100% packet loss, time 0ms\n\n";

TEST(BannerFields, SplitOnCommasLineEndsAndQuotes) {
    struct Case {
        std::string text;
        size_t most;
        Fields fields;
    };
    const Case cases[] = {
        {"a,b\r\nc\nd\re", 9, {"a", "b", "c", "d", "e"}},
        {"a,,b\n\nc", 9, {"a", "", "b", "", "c"}},
        {"a,b,c,d", 2, {"a", "b"}},
        // The end of the text ends the last field; no empty field starts there.
        {"a,b\r\n", 9, {"a", "b"}},
        {"", 3, {}},
        // A comma that ends a line is one separator, not two.
        {"a,\r\nb, \nc", 9, {"a", "b", "c"}},
        {"\"Dextrel, the meter\",http://x/,jpg", 3, {"Dextrel, the meter", "http://x/", "jpg"}},
        {"\"two\nlines\",x", 3, {"two\nlines", "x"}},
        {"  plain text  ,\t x ", 3, {"plain text", "x"}},
        {"\" kept \",y", 3, {" kept ", "y"}},
        // Bytes after a closing quote are dropped up to the separator.
        {"\"a\"junk,b", 3, {"a", "b"}},
        // An unterminated quote runs to the end of the text.
        {"\"open, never closed", 3, {"open, never closed"}},
        {std::string("a\0b,c", 5), 3, {std::string("a\0b", 3), "c"}},
        {"\"", 3, {""}},
        {",", 3, {""}},
    };
    for (const Case& c : cases) EXPECT_EQ(readFields(c.text, c.most), c.fields) << c.text;
    // Any bytes are read without harm.
    std::string noise;
    for (int i = 0; i < 512; ++i) noise += static_cast<char>(i % 256);
    size_t total = 0;
    for (const std::string& s : readFields(noise, 1000)) total += s.size();
    EXPECT_LE(total, noise.size());
}

TEST(BannerFields, DescriptionNeedsThreeFields) {
    const auto d = readDescription("\"Visit us, today\",\" http://127.0.0.1/p \",gif\r\n");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->texte, "Visit us, today");
    EXPECT_EQ(d->url, " http://127.0.0.1/p ");
    EXPECT_EQ(d->extension, "gif");
    EXPECT_FALSE(readDescription("only,two"));
    EXPECT_FALSE(readDescription(""));
}

TEST(BannerFields, PingVerdictFromItsFirstSevenFields) {
    const std::optional<bool> yes = true, no = false, none;
    for (auto [output, verdict] : {std::pair{kAnswered, yes},
                                   {kUnanswered, no},
                                   {kUnreachable, no},
                                   // Missing or short output: no verdict at all.
                                   {"", none},
                                   {"ping: connect: Network is unreachable\n", none},
                                   {"a,b,c,d,e,f", none},
                                   // A count of zero, or digits that are no count, answer nothing.
                                   {"a,b,c,d,e,00 received,g", no},
                                   {"a,b,c,d,e,x1 received,g", no},
                                   {"a,b,c,d,e,f,g,2 received", no}})
        EXPECT_EQ(pingAnswered(output), verdict) << output;
}

TEST(BannerFields, PictureTypesAndBodiesThatMayBeStored) {
    for (const char* ok : {"jpg", "GIF", "png", "jpeg", "webp", "a", "J2K12"})
        EXPECT_TRUE(isSafeExtension(ok)) << ok;
    for (const char* bad : {"", "jpegxl", "../x", "/etc", "..", "j.pg", "jp g", "jp\\g", "jp\ng",
                            "\xc3\xa9t\xc3\xa9"})
        EXPECT_FALSE(isSafeExtension(bad)) << bad;
    EXPECT_TRUE(isStorableBody("x"));
    EXPECT_TRUE(isStorableBody(std::string(kMaxDownloadBytes, 'x')));
    EXPECT_FALSE(isStorableBody(std::string(kMaxDownloadBytes + 1, 'x')));
    EXPECT_FALSE(isStorableBody(""));
    EXPECT_FALSE(isStorableBody("<!DOCTYPE html><html></html>"));
    EXPECT_FALSE(isStorableBody("<!D"));
    EXPECT_TRUE(isStorableBody("<!d lower case is not the marker"));
    EXPECT_TRUE(isStorableBody("<!"));
}

TEST(BannerAddress, ScramblingRoundTripsAndHidesTheText) {
    const std::string scrambled = scrambleAddress(kSite);
    EXPECT_NE(scrambled, kSite);
    EXPECT_EQ(scrambled.size(), kSite.size());
    EXPECT_EQ(scrambled[0], static_cast<char>('h' - 21));
    EXPECT_EQ(unscrambleAddress(scrambled), kSite);
    // Bytes wrap around: every byte value survives.
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    EXPECT_EQ(unscrambleAddress(scrambleAddress(all)), all);
}

TEST(BannerAddress, OnlyWebPagesAreLinks) {
    for (const char* ok : {"http://127.0.0.1/", "https://127.0.0.1:8443/a?b=c", "HTTP://x"})
        EXPECT_TRUE(isWebAddress(ok)) << ok;
    for (const char* bad : {"", "file:///etc/passwd", "/usr/bin/xterm", "ftp://x/", "http://",
                            "http:///x", "javascript:alert(1)", " http://x/", "http://x/ y",
                            "http://x/\n", "httpx://y", "mailto:a@b"})
        EXPECT_FALSE(isWebAddress(bad)) << bad;
}

class RecordingHttp : public Http {
public:
    std::vector<std::string> asked;
    std::map<std::string, std::string> site;  // full address -> body
    HttpResponse get(const std::string& url) override {
        asked.push_back(url);
        const auto it = site.find(url);
        return it == site.end() ? HttpResponse{} : HttpResponse{true, it->second};
    }
};

class RecordingNet : public Connectivity {
public:
    std::optional<std::string> out;
    bool start() override { return true; }
    std::optional<std::string> output() override { return out; }
    void cleanup() override {}
};

class RecordingShell : public Shell {
public:
    std::vector<std::string> files, urls;
    BrowserResult result = BrowserResult::Opened;
    bool openFile(const std::string& path) override {
        files.push_back(path);
        return false;
    }
    BrowserResult openUrl(const std::string& url) override {
        urls.push_back(url);
        return result;
    }
};

// The window is not started: the banner's procedures need only the
// program's directory, the language and the site's address.
class BannerTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        sp.env.scrambledSite = scrambleAddress(kSite);
        w = std::make_unique<Fenetre>(bannerPlatform);
        w->win.Chemin_Prog = sp.env.program;
        w->PA_URL();
    }
    void serve(const std::string& path, const std::string& body) { http.site[kSite + path] = body; }
    // Seconds of the connectivity check, through the window's timer entry.
    void pingTicks(int n) {
        for (int i = 0; i < n; ++i) w->fireTimer(0, sp.clock.monotonicMs());
    }
    void cameraTick() { w->fireTimer(7, sp.clock.monotonicMs()); }
    std::optional<std::string> readFile(const std::string& name) const {
        if (!std::filesystem::exists(progPath(name))) return std::nullopt;
        return readBytes(progPath(name));
    }
    // Every file in the temporary root, relative to it.
    std::vector<std::string> filesEverywhere() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::recursive_directory_iterator(root))
            if (e.is_regular_file()) out.push_back(e.path().string().substr(root.size()));
        return out;
    }

    RecordingHttp http;
    RecordingNet net;
    RecordingShell shell;
    Platform bannerPlatform{sp.clock, sp.locale, sp.dialogs, sp.env, sp.files,
                            sp.probe, http,      net,        shell,  sp.printer};
};

TEST_F(BannerTest, MissingOrShortPingOutputMeansOffLine) {
    for (const std::optional<std::string>& out : {std::optional<std::string>{}, {"a,b,c\n"}}) {
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

TEST_F(BannerTest, ANewShorterDescriptionReplacesTheWholeFile) {
    writeBytes(progPath("site.www"),
               "A much longer earlier text,http://127.0.0.1:8080/long/path,jpeg\r\n");
    serve("/dx/url_a.txt", "T,http://127.0.0.1:8080/,png");
    w->Recuperer_URL();
    EXPECT_EQ(readFile("site.www"), "T,http://127.0.0.1:8080/,png");
    EXPECT_EQ(w->banner.Extension_Image, "png");
}

TEST_F(BannerTest, EmptyAndOversizedBodiesAreNotWritten) {
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

TEST_F(BannerTest, AHostilePictureTypeFetchesAndWritesNothing) {
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

TEST_F(BannerTest, WithoutASiteAddressNothingIsDownloaded) {
    sp.env.scrambledSite = "";
    w->PA_URL();
    EXPECT_EQ(w->banner.Adresse_Site, "");
    writeBytes(progPath("site.www"), "Earlier,http://127.0.0.1:8080/old,gif\r\n");
    net.out = kAnswered;
    pingTicks(6);
    EXPECT_TRUE(http.asked.empty());
    EXPECT_EQ(w->Image_FTP.tooltip, "");
    EXPECT_EQ(w->banner.Texte_Site, "");
}

// The component on its own, without a window: what the controls should
// show comes back from each tick, and nothing else is touched.
TEST_F(BannerTest, TheComponentSaysWhatTheControlsShow) {
    Banner banner(bannerPlatform);
    banner.readSiteAddress();
    const BannerContext at{.programDir = sp.env.program, .langue = 0, .weekday = 3};
    serve("/dx/url_a.txt", "Hello,http://127.0.0.1:8080/,png");
    serve("/dx/img_a3.png", "PNG");
    net.out = kAnswered;
    for (int tick = 1; tick <= 5; ++tick) {
        const BannerShow show = banner.checkTick(true, at);
        EXPECT_FALSE(show.checkOver || show.live || show.picture) << tick;
    }
    const BannerShow online = banner.checkTick(true, at);
    EXPECT_TRUE(online.checkOver);
    EXPECT_EQ(online.live, true);
    EXPECT_EQ(online.tooltip, "Visit: Hello");
    EXPECT_EQ(online.picture, "image.png");
    EXPECT_EQ(readFile("image.png"), "PNG");
    EXPECT_EQ(banner.state.Compteur_Ping, 0);

    const BannerShow stopped = banner.checkTick(false, at);
    EXPECT_TRUE(stopped.checkOver && !stopped.live && !stopped.offLine);
}

TEST_F(BannerTest, TheTwoBrowserFailuresSpeakEnglishInEveryLanguage) {
    sp.locale.language = "French";
    w->settings.Langue = 1;
    w->Image_FTP.pointer = MousePointer::Custom;  // a live banner
    w->banner.URL_Site = "http://127.0.0.1:8080/";
    shell.result = BrowserResult::NotFound;
    w->click("Image_FTP");
    shell.result = BrowserResult::Failed;
    w->click("Image_FTP");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(has(events[0], R"("title":"Browser Not Found","text":"Could not find your )"
                               R"(default Browser","buttons":"ok","icon":"exclamation")"));
    EXPECT_TRUE(has(events[1], R"("title":"URL Failed","text":"Web Page not Opened",)"
                               R"("buttons":"ok","icon":"exclamation")"));
}

// The window as the printer sees it.
struct AtPrint {
    Rgb form, graphique, objectif1, objectif2, jour7Fore, jour7Back, mois12Back, dernierBack,
        resultatFore, moyenneFore, dateFore;
    std::vector<Rgb> segments;
    bool thermometre, resultat, curseur, auj, information, heure, shape2, cam1, cam2;
    bool operator==(const AtPrint&) const = default;
};

AtPrint look(const Fenetre& w) {
    AtPrint a{w.form.back,           w.Graphique.back,
              w.Objectif1.color,     w.Objectif2.color,
              w.Aff_Jour[7]->fore,   w.Aff_Jour[7]->back,
              w.Aff_Mois[12]->back,  w.Aff_Mois_Dernier_Jr.back,
              w.Aff_Resultat.fore,   w.Aff_Moyenne.fore,
              w.Aff_Date.fore,       {},
              w.Thermometre.visible, w.Aff_Resultat.visible,
              w.Curseur.visible,     w.Bout_Auj.visible,
              w.Information.visible, w.Aff_Heure.visible,
              w.Shape2.visible,      w.Img_Cam1.visible,
              w.Img_Cam2.visible};
    for (size_t i = 1; i < w.Ligne.size(); ++i)
        if (w.Ligne[i]) a.segments.push_back(w.Ligne[i]->color);
    return a;
}

TEST_F(BannerTest, TheCameraPrintsInPrintColoursThenRestoresTheScreen) {
    w->chart.loadLigne(1).color = colour::kYellow;
    w->chart.loadLigne(2).color = colour::kCyan;  // a bridge over an empty day
    w->chart.loadLigne(3).color = colour::kYellow;
    w->view.Ligne_Suivante = 4;
    std::vector<AtPrint> printed;
    sp.printer.snapshot = [&] {
        printed.push_back(look(*w));
        return std::string("{}");
    };
    w->click("Menu_Impr_Graph");
    cameraTick();
    AtPrint before = look(*w);
    ASSERT_TRUE(w->click("Img_Cam2"));

    ASSERT_EQ(printed.size(), 1u);
    const AtPrint& p = printed[0];
    for (Rgb c : {p.form, p.graphique}) EXPECT_EQ(c, colour::kWhite);
    for (Rgb c : {p.objectif1, p.objectif2, p.jour7Fore, p.resultatFore, p.moyenneFore, p.dateFore})
        EXPECT_EQ(c, colour::kBlack);
    for (Rgb c : {p.jour7Back, p.mois12Back, p.dernierBack}) EXPECT_EQ(c, colour::kYellow);
    EXPECT_EQ(p.segments, std::vector<Rgb>(3, colour::kBlack));
    EXPECT_FALSE(p.thermometre || p.curseur || p.auj || p.information || p.heure || p.shape2 ||
                 p.cam1 || p.cam2);
    EXPECT_TRUE(p.resultat);  // the level stays on paper in the Day/Week view

    // The screen comes back as it was, but every segment comes back yellow,
    // the bridge too, today's label in yellow, and both icons show until the
    // next blink puts them back to alternating.
    before.segments.assign(3, colour::kYellow);
    before.jour7Fore = colour::kYellow;
    before.cam1 = before.cam2 = true;
    EXPECT_TRUE(look(*w) == before);
    cameraTick();
    EXPECT_NE(w->Img_Cam1.visible, w->Img_Cam2.visible);

    // The Week/Month view leaves the level off the paper.
    w->Menu_Sem.checked = false;
    w->Menu_Mois.checked = true;
    bool levelOnPaper = true;
    sp.printer.snapshot = [&] {
        levelOnPaper = w->Aff_Resultat.visible;
        return std::string("{}");
    };
    w->Image_Camera();
    EXPECT_FALSE(levelOnPaper);
    EXPECT_TRUE(w->Aff_Resultat.visible);
}

TEST_F(BannerTest, PreviewHandsTheJournalFileToTheViewerAndSaysNothing) {
    ASSERT_TRUE(w->click("Menu_Prev"));
    EXPECT_EQ(shell.files, std::vector<std::string>{sp.env.program + "Diabete.glc"});
    EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace dx::testing
