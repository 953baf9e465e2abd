#include <gtest/gtest.h>

#include <string>

#include "banner/address.h"
#include "banner/description.h"

namespace dx {
namespace {

using Fields = std::vector<std::string>;

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

TEST(BannerFields, SplitOnCommasAndEveryKindOfLineEnd) {
    EXPECT_EQ(readFields("a,b\r\nc\nd\re", 9), (Fields{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(readFields("a,,b\n\nc", 9), (Fields{"a", "", "b", "", "c"}));
    EXPECT_EQ(readFields("a,b,c,d", 2), (Fields{"a", "b"}));
    // The end of the text ends the last field; no empty field starts there.
    EXPECT_EQ(readFields("a,b\r\n", 9), (Fields{"a", "b"}));
    EXPECT_EQ(readFields("", 3), Fields{});
    // A comma that ends a line is one separator, not two.
    EXPECT_EQ(readFields("a,\r\nb, \nc", 9), (Fields{"a", "b", "c"}));
}

TEST(BannerFields, QuotesKeepCommasAndLineEndsBlanksAroundUnquotedFieldsGo) {
    EXPECT_EQ(readFields("\"Dextrel, the meter\",http://x/,jpg", 3),
              (Fields{"Dextrel, the meter", "http://x/", "jpg"}));
    EXPECT_EQ(readFields("\"two\nlines\",x", 3), (Fields{"two\nlines", "x"}));
    EXPECT_EQ(readFields("  plain text  ,\t x ", 3), (Fields{"plain text", "x"}));
    EXPECT_EQ(readFields("\" kept \",y", 3), (Fields{" kept ", "y"}));
    // Bytes after a closing quote are dropped up to the separator.
    EXPECT_EQ(readFields("\"a\"junk,b", 3), (Fields{"a", "b"}));
    // An unterminated quote runs to the end of the text.
    EXPECT_EQ(readFields("\"open, never closed", 3), (Fields{"open, never closed"}));
}

TEST(BannerFields, AnyBytesAreReadWithoutHarm) {
    std::string noise;
    for (int i = 0; i < 256; ++i) noise += static_cast<char>(i);
    noise += noise;
    const Fields f = readFields(noise, 1000);
    size_t total = 0;
    for (const std::string& s : f) total += s.size();
    EXPECT_LE(total, noise.size());
    EXPECT_EQ(readFields(std::string("a\0b,c", 5), 3), (Fields{std::string("a\0b", 3), "c"}));
    EXPECT_EQ(readFields("\"", 3), Fields{""});
    EXPECT_EQ(readFields(",", 3), Fields{""});
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
    EXPECT_EQ(pingAnswered(kAnswered), std::optional<bool>(true));
    EXPECT_EQ(pingAnswered(kUnanswered), std::optional<bool>(false));
    EXPECT_EQ(pingAnswered(kUnreachable), std::optional<bool>(false));
    // Missing or short output: no verdict at all.
    EXPECT_EQ(pingAnswered(""), std::nullopt);
    EXPECT_EQ(pingAnswered("ping: connect: Network is unreachable\n"), std::nullopt);
    EXPECT_EQ(pingAnswered("a,b,c,d,e,f"), std::nullopt);
    // A received count of zero, or digits that are not a count, answer nothing.
    EXPECT_EQ(pingAnswered("a,b,c,d,e,00 received,g"), std::optional<bool>(false));
    EXPECT_EQ(pingAnswered("a,b,c,d,e,x1 received,g"), std::optional<bool>(false));
    EXPECT_EQ(pingAnswered("a,b,c,d,e,f,g,2 received"), std::optional<bool>(false));
}

TEST(BannerFields, PictureTypesAreShortNamesOnly) {
    for (const char* ok : {"jpg", "GIF", "png", "jpeg", "webp", "a", "J2K12"})
        EXPECT_TRUE(isSafeExtension(ok)) << ok;
    for (const char* bad : {"", "jpegxl", "../x", "/etc", "..", "j.pg", "jp g", "jp\\g",
                            "jp\ng", "\xc3\xa9t\xc3\xa9"})
        EXPECT_FALSE(isSafeExtension(bad)) << bad;
}

TEST(BannerFields, StorableBodiesAreNonEmptyBoundedAndNotHtml) {
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
    const std::string site = "http://127.0.0.1:8080";
    const std::string scrambled = scrambleAddress(site);
    EXPECT_NE(scrambled, site);
    EXPECT_EQ(scrambled.size(), site.size());
    EXPECT_EQ(scrambled[0], static_cast<char>('h' - 21));
    EXPECT_EQ(unscrambleAddress(scrambled), site);
    EXPECT_EQ(unscrambleAddress(""), "");
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

} // namespace
} // namespace dx
