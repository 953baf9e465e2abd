// Nothing saved is lost, nothing written is readable by others: one writer
// per journal, a file changed or not read never written over, links written
// through, private modes, and reads that refuse what is no file or too large.
// Every case runs on the real POSIX file store in a temporary folder.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "window_fixture.h"

namespace dx::testing {
namespace {

namespace fs = std::filesystem;

const std::string kTwoTests =
    "\"2000-01-07\",\"08:00\",\"05.0\",\"\"\r\n\"2000-01-06\",\"07:30\",\"06.0\",\"\"\r\n";
const std::string kNewTestLine = "\"2000-01-08\",\"09:00\",\"06.1\",\"\"\r\n";

mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

bool isLink(const std::string& path) { return fs::is_symlink(fs::symlink_status(path)); }

// A 2 GiB file that takes no room on disk.
void makeSparse(const std::string& path, off_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

constexpr off_t kTwoGiB = off_t{2} << 30;

class FileSafetyStoreTest : public WindowTest {
protected:
    PosixFileStore store;
};

TEST_F(FileSafetyStoreTest, ReadsRefuseWhatIsNoFileOrPassesTheCeilingAtOnce) {
    using P = FileRead::Problem;
    const struct {
        const char* name;
        std::function<void(const std::string&)> make;
        uint64_t ceiling;
        P problem;
    } cases[] = {
        {"missing", [](const std::string&) {}, 100, P::Missing},
        {"fifo", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, 100, P::NotAFile},
        {"folder", [](const std::string& p) { fs::create_directory(p); }, 100, P::NotAFile},
        {"device", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }, 100,
         P::NotAFile},
        {"sparse", [](const std::string& p) { makeSparse(p, kTwoGiB); }, kMaxJournalBytes,
         P::TooLarge},
        {"one over", [](const std::string& p) { writeBytes(p, std::string(101, 'x')); }, 100,
         P::TooLarge},
        {"exactly", [](const std::string& p) { writeBytes(p, std::string(100, 'x')); }, 100,
         P::None},
    };
    for (const auto& c : cases) {
        const std::string path = progPath(c.name);
        c.make(path);
        const FileRead read = store.readFile(path, c.ceiling);
        EXPECT_EQ(read.problem, c.problem) << c.name;
        EXPECT_EQ(read.bytes.has_value(), c.problem == P::None) << c.name;
    }
    EXPECT_FALSE(store.read(progPath("sparse")));
}

TEST_F(FileSafetyStoreTest, WritesGoThroughLinksAndKeepTheModeOrArePrivate) {
    ::umask(022);
    fs::create_directories(root + "/synced/deeper");
    const std::string target = root + "/synced/deeper/Diabete.glc";
    const struct {
        const char* name;
        std::function<void(const std::string&)> make;
        std::string writtenAt;  // where the bytes land ("" : at the path)
        mode_t mode;
    } cases[] = {
        {"new", [](const std::string&) {}, "", 0600},
        {"plain 0640",
         [](const std::string& p) {
             writeBytes(p, "old");
             ::chmod(p.c_str(), 0640);
         },
         "", 0640},
        {"absolute link",
         [&](const std::string& p) {
             writeBytes(target, "old");
             ::chmod(target.c_str(), 0604);
             fs::create_symlink(target, p);
         },
         target, 0604},
        {"relative link to a link",
         [&](const std::string& p) {
             writeBytes(target, "old");
             ::chmod(target.c_str(), 0600);
             fs::create_symlink("../synced/deeper/Diabete.glc", root + "/synced/hop");
             fs::create_symlink("../synced/hop", p);
         },
         target, 0600},
    };
    for (const auto& c : cases) {
        const std::string path = progPath(c.name);
        c.make(path);
        std::string error;
        ASSERT_TRUE(store.writeAtomic(path, "new", error)) << c.name << ": " << error;
        const std::string landed = c.writtenAt.empty() ? path : c.writtenAt;
        EXPECT_EQ(readBytes(landed), "new") << c.name;
        EXPECT_EQ(modeOf(landed), c.mode) << c.name;
        EXPECT_EQ(isLink(path), !c.writtenAt.empty()) << c.name;
        // The backup beside a link is a copy of the target, not of the link.
        ASSERT_TRUE(store.copyAtomic(path, path + ".bak", error)) << c.name;
        EXPECT_FALSE(isLink(path + ".bak")) << c.name;
        EXPECT_EQ(readBytes(path + ".bak"), "new") << c.name;
    }
    // A backup that is itself a link is written at its target.
    const std::string linkedBak = progPath("plain 0640.bak");
    fs::remove(linkedBak);
    fs::create_symlink(target, linkedBak);
    std::string error;
    ASSERT_TRUE(store.copyAtomic(progPath("plain 0640"), linkedBak, error)) << error;
    EXPECT_TRUE(isLink(linkedBak));
    EXPECT_EQ(readBytes(target), "new");
}

TEST_F(FileSafetyStoreTest, ALinkToNothingOrAFolderIsNeverWrittenThrough) {
    const std::string gone = root + "/unmounted/Diabete.glc";
    fs::create_symlink(gone, progPath("dangling"));
    fs::create_directory(progPath("folder"));
    fs::create_symlink(progPath("folder"), progPath("to folder"));
    for (const char* name : {"dangling", "folder", "to folder"}) {
        std::string error;
        EXPECT_FALSE(store.writeAtomic(progPath(name), "x", error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
    EXPECT_TRUE(isLink(progPath("dangling")));
    EXPECT_FALSE(fs::exists(root + "/unmounted"));
    EXPECT_EQ(store.status(progPath("dangling")).kind, FileKind::DanglingLink);
    EXPECT_EQ(store.status(progPath("dangling")).linkTarget, gone);
}

// ---- Through the window.

class JournalSafetyTest : public WindowTest {
protected:
    // A second window on the same folders, with its own file store, as a
    // second program would have.
    struct OtherWindow {
        OtherWindow(const ScriptedPlatform& model, const std::string& language) {
            sp.env.program = model.env.program;
            sp.env.settings = model.env.settings;
            sp.locale.language = language;
            sp.emit = [this](const std::string& line) { events.push_back(line); };
            w = std::make_unique<Fenetre>(platform);
            w->start();
        }
        ScriptedPlatform sp;
        PosixFileStore files;
        Platform platform{sp.clock, sp.locale, sp.dialogs, sp.env,   files,
                          sp.probe, sp.http,   sp.net,     sp.shell, sp.printer};
        std::vector<std::string> events;
        std::unique_ptr<Fenetre> w;
    };

    std::string lastBox() const {
        const auto boxes = eventsOf("msgbox");
        return boxes.empty() ? "" : boxes.back();
    }
    void addAndSave() {
        addTest("2000-01-08", "09:00", "6.1");
        events.clear();
        w->click("Menu_Sauve");
    }
};

TEST_F(JournalSafetyTest, ASecondWindowShowsTheJournalButSavesNothing) {
    writeJournal(kTwoTests);
    writeSettings(0);
    launch();
    EXPECT_TRUE(eventsOf("msgbox").empty());

    // Told in its own language; its save refused, the journal untouched.
    const struct {
        const char* language;
        const char* openElsewhere;
        const char* saveRefused;
    } cases[] = {
        {"English", "is already open in another Dextrel window",
         "open in another Dextrel window, which alone may save it"},
        {"French", "est déjà ouvert dans une autre fenêtre du Dextrel",
         "ouvert dans une autre fenêtre du Dextrel, qui seule peut le sauvegarder"},
    };
    for (const auto& c : cases) {
        OtherWindow other(sp, c.language);
        ASSERT_EQ(other.events.size(), 1u) << c.language;
        EXPECT_TRUE(has(other.events[0], c.openElsewhere)) << c.language;
        EXPECT_TRUE(has(other.events[0], progPath("Diabete.glc"))) << c.language;
        EXPECT_EQ(other.w->journal.Nb_Tests, 2) << c.language;

        other.w->addTest("2000-01-08", "10:00", "7.0", "");
        other.w->Menu_Sauve.enabled = true;
        other.events.clear();
        other.w->click("Menu_Sauve");
        ASSERT_EQ(other.events.size(), 1u) << c.language;
        EXPECT_TRUE(has(other.events[0], c.saveRefused)) << c.language;
        EXPECT_TRUE(other.w->Menu_Sauve.enabled) << c.language;
        EXPECT_EQ(journalBytes(), kTwoTests) << c.language;

        // The erase says so before a date is asked for.
        other.events.clear();
        other.w->click("Menu_Eff");
        ASSERT_EQ(other.events.size(), 1u) << c.language;
        EXPECT_TRUE(has(other.events[0], c.saveRefused)) << c.language;
        EXPECT_EQ(other.w->journal.Nb_Tests, 3) << c.language;
    }

    // The first window saves as ever, its test on top of the file.
    addAndSave();
    EXPECT_TRUE(eventsOf("msgbox").empty());
    EXPECT_EQ(journalBytes(), kNewTestLine + kTwoTests);
}

TEST_F(JournalSafetyTest, AFileChangedOnDiskSinceItWasReadIsNotWrittenOver) {
    const std::string theirs = "\"2000-01-05\",\"07:00\",\"09.9\",\"theirs\"\r\n";
    const struct {
        const char* name;
        std::function<void(const std::string&)> change;
        std::optional<std::string> onDisk;  // nothing: no file left
    } cases[] = {
        {"rewritten in place",
         [&](const std::string& p) {
             std::ofstream(p, std::ios::binary | std::ios::app) << theirs;
         },
         kTwoTests + theirs},
        {"replaced by rename",
         [&](const std::string& p) {
             writeBytes(p + ".new", theirs);
             fs::rename(p + ".new", p);
         },
         theirs},
        {"deleted", [](const std::string& p) { fs::remove(p); }, std::nullopt},
    };
    for (const auto& c : cases) {
        writeJournal(kTwoTests);
        writeSettings(0);
        launch();
        c.change(progPath("Diabete.glc"));
        addAndSave();
        EXPECT_TRUE(has(lastBox(), "another program has changed or replaced this file")) << c.name;
        EXPECT_TRUE(has(lastBox(), progPath("Diabete.glc"))) << c.name;
        EXPECT_TRUE(w->Menu_Sauve.enabled) << c.name;
        EXPECT_EQ(fs::exists(progPath("Diabete.glc")), c.onDisk.has_value()) << c.name;
        if (c.onDisk) {
            EXPECT_EQ(journalBytes(), *c.onDisk) << c.name;
        }
        EXPECT_FALSE(fs::exists(progPath("Diabete.glc.bak"))) << c.name;
    }
}

TEST_F(JournalSafetyTest, AJournalThatCouldNotBeReadIsNeverReplaced) {
    const struct {
        const char* name;
        std::function<void()> make;
        const char* reason;
    } cases[] = {
        {"huge", [this]() { makeSparse(progPath("Diabete.glc"), kTwoGiB); }, "more than 64 MiB"},
        {"folder", [this]() { fs::create_directory(progPath("Diabete.glc")); }, "It is not a file"},
        {"link to an unmounted drive",
         [this]() { fs::create_symlink(root + "/unmounted/Diabete.glc", progPath("Diabete.glc")); },
         "/unmounted/Diabete.glc, which cannot be found"},
    };
    for (const auto& c : cases) {
        fs::remove_all(root + "/prog");
        fs::create_directories(root + "/prog");
        c.make();
        const auto before = fs::symlink_status(progPath("Diabete.glc")).type();
        writeSettings(0);
        launch();
        EXPECT_TRUE(has(lastBox(), "The journal could not be read")) << c.name;
        EXPECT_TRUE(has(lastBox(), c.reason)) << c.name << lastBox();
        EXPECT_EQ(w->journal.Nb_Tests, 0) << c.name;
        // Two sessions, each saving: the file stays as it was, uncopied.
        for (int session = 0; session < 2; ++session) {
            addAndSave();
            EXPECT_TRUE(has(lastBox(), "could not be read at start-up")) << c.name;
            EXPECT_TRUE(w->Menu_Sauve.enabled) << c.name;
            launch();
        }
        EXPECT_EQ(fs::symlink_status(progPath("Diabete.glc")).type(), before) << c.name;
        EXPECT_FALSE(fs::exists(progPath("Diabete.glc.bak"))) << c.name;
        EXPECT_FALSE(fs::exists(progPath("Diabete.glc.orig"))) << c.name;
        EXPECT_FALSE(fs::exists(root + "/unmounted")) << c.name;
    }
    // Readable again, the next start reads it.
    fs::remove(progPath("Diabete.glc"));
    writeJournal(kTwoTests);
    launch();
    EXPECT_EQ(w->journal.Nb_Tests, 2);
}

TEST_F(JournalSafetyTest, ALinkedJournalIsSavedAtItsTargetInItsMode) {
    fs::create_directories(root + "/synced");
    const std::string target = root + "/synced/Diabete.glc";
    writeBytes(target, kTwoTests);
    ::chmod(target.c_str(), 0640);
    fs::create_symlink(target, progPath("Diabete.glc"));
    writeSettings(0);
    launch();
    ASSERT_EQ(w->journal.Nb_Tests, 2);
    addAndSave();
    EXPECT_TRUE(eventsOf("msgbox").empty());
    EXPECT_TRUE(isLink(progPath("Diabete.glc")));
    EXPECT_EQ(readBytes(target), kNewTestLine + kTwoTests);
    EXPECT_EQ(modeOf(target), 0640u);
    EXPECT_EQ(readBytes(progPath("Diabete.glc.bak")), kTwoTests);
    // The reload after the save read the file just written: saving again works.
    addAndSave();
    EXPECT_TRUE(eventsOf("msgbox").empty());
    EXPECT_EQ(readBytes(progPath("Diabete.glc.bak")), kNewTestLine + kTwoTests);
}

TEST_F(JournalSafetyTest, EveryFileTheWindowCreatesIsPrivate) {
    ::umask(022);
    launch();  // no journal, no settings: both created
    addAndSave();
    for (const char* name : {"Diabete.glc", "Diabete.glc.bak", "Diabete.glc.lock"})
        EXPECT_EQ(modeOf(progPath(name)), 0600u) << name;
    EXPECT_EQ(modeOf(settingsPath()), 0600u);
}

TEST_F(JournalSafetyTest, ASettingsLinkToNothingIsReportedAndKept) {
    writeJournal(kTwoTests);
    const std::string gone = root + "/unmounted/dextrel.ini";
    fs::create_symlink(gone, settingsPath());
    launch();
    EXPECT_FALSE(w->ended());
    EXPECT_TRUE(has(lastBox(), "The setup could not be read"));
    EXPECT_TRUE(has(lastBox(), "does not replace this file"));
    EXPECT_EQ(w->settings.Unite, 0);
    addAndSave();
    EXPECT_TRUE(has(lastBox(), "The setup could not be saved"));
    EXPECT_TRUE(isLink(settingsPath()));
    EXPECT_FALSE(fs::exists(root + "/unmounted"));
}

}  // namespace
}  // namespace dx::testing
