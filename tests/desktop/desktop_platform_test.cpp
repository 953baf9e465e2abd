#include <gtest/gtest.h>

#include "desktop/look.h"
#include "desktop/qt_platform.h"

namespace dx {

TEST(DesktopFolders, JournalBesideAWritableProgramElseInTheUserDataFolder) {
    const ProgramFolders portable = chooseFolders("/opt/dx", true, nullptr, nullptr, "/home/u");
    EXPECT_EQ(portable.program, "/opt/dx/");
    EXPECT_EQ(portable.settings, "/home/u/.config/dextrel/");

    const ProgramFolders installed = chooseFolders("/usr/bin", false, "/data", "/conf/", "/home/u");
    EXPECT_EQ(installed.program, "/data/dextrel/");
    EXPECT_EQ(installed.settings, "/conf/dextrel/");

    // Empty or relative XDG values are ignored, as the XDG rules say.
    const ProgramFolders fallback = chooseFolders("/usr/bin", false, "", "rel", "/home/u");
    EXPECT_EQ(fallback.program, "/home/u/.local/share/dextrel/");
    EXPECT_EQ(fallback.settings, "/home/u/.config/dextrel/");
}

TEST(DesktopLook, MissingFontsFallBackAndTheSymbolFontShowsItsSquare) {
    EXPECT_EQ(installedFamily("Comic Sans MS"), "Comic Neue");
    EXPECT_EQ(installedFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(shownCaption("n", Font{"Wingdings", 12, false}), QString(u'\u25A0'));
    EXPECT_EQ(shownCaption("n", Font{"Arial", 12, false}), "n");
}

TEST(DesktopLook, PositionsConvertBetweenCodePointsAndUtf16) {
    const QString text = QString::fromUtf8(
        "a\xF0\x9F\x98\x80"
        "b");  // a, an emoji, b
    EXPECT_EQ(codePointIndex(text, 3), 2);
    EXPECT_EQ(utf16Index(text, 2), 3);
    EXPECT_EQ(utf16Index(text, 9), 4);
}

}  // namespace dx
