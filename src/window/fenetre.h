#pragma once

// The main window, Fenetre: its controls as plain data, its form-level state
// grouped per subsystem, and every procedure of the system as a method. Each
// procedure is defined in the folder of its subsystem.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "banner/banner.h"
#include "chart/chart.h"
#include "journal/journal.h"
#include "journal/journal_io.h"
#include "meter/meter.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "settings/units.h"
#include "window/controls.h"
#include "window/window_controls.h"
#include "window/window_state.h"

namespace dx {

// Thrown by the procedures that end the program at once; the window's event
// entry points catch it, so that nothing else runs after it.
struct ProgramEnded {};

class Fenetre : public WindowControls, private ChartHost, private MeterHost {
public:
    explicit Fenetre(Platform& platform);
    Fenetre(const Fenetre&) = delete;
    Fenetre& operator=(const Fenetre&) = delete;

    // ---- Events from a front. Each runs its handler to completion. The
    // click-like ones return false when the control cannot take the event.
    void start();
    bool click(const std::string& name);
    bool dblclick(const std::string& name);
    bool openMenu(const std::string& name);
    // A key typed into a text field: key-press handler, the edit, the change.
    void keyPress(const std::string& field, char32_t code);
    void pasteText(const std::string& field, const std::string& text);
    void selectText(const std::string& field, int start, int length);
    void focus(const std::string& name);
    void escape();
    // The user moves the scrollbar to a value (clamped); false when disabled.
    bool userScroll(int value);
    void hover(const std::string& name);
    void close();

    bool ended() const { return ended_; }
    const std::string& focused() const { return focused_; }

    // ---- Timers, in the order ties fire in.
    static constexpr int kTimerCount = 8;
    Timer& timerAt(int index);
    // The index of the armed timer due first (ties in table order), if any.
    std::optional<int> nextDueTimer() const;
    // Runs one tick of the timer at index, stamped at time `at`.
    void fireTimer(int index, int64_t at);
    // Runs every tick due by `until` on the steady clock, earliest first, and
    // a click held back for a double click whose wait is over. `reach(at)`
    // moves a scripted clock to each one's time first. A tick late by a whole
    // interval or more counts from the clock's time: missed ticks are not
    // made up.
    void runDueTimers(int64_t until, const std::function<void(int64_t)>& reach = {});
    // When runDueTimers next has something to run.
    std::optional<int64_t> nextDueAt() const;

    // ---- The mouse on a picture as the system reports it: a click released,
    // and the second press of a double click. A picture with a double-click
    // handler holds its click back for doubleClickMs: a double click is then
    // one click and one double click, never two clicks.
    bool mouseClick(const std::string& name);
    void mouseDoubleClick(const std::string& name);
    int doubleClickMs = 500;

    // ---- The control registry, in a stable order.
    const std::vector<ControlEntry>& controls() const { return registry_; }
    const ControlEntry* findControl(const std::string& name) const;
    // Visible, and so is every container it stands in.
    bool shownOnScreen(const std::string& name) const;
    // An element "NAME(i)" of a control array exists and is visible.
    bool arrayElementShown(const std::string& name) const;

    Platform& platform;

    // ---- Form-level state, per subsystem.
    Journal journal;
    JournalFileSeen journalFile;  // the file behind the table, as last seen
    SettingsState settings;
    WindowState win;
    EntryState entry;
    Chart chart;
    ChartState& view = chart.view;
    Meter glucoseMeter;
    MeterState& meter = glucoseMeter.state;
    Banner webBanner;  // the banner component; its state is `banner`
    BannerState& banner = webBanner.state;

    // Calls f(name, value) for every form-level variable.
    template <class F>
    void forEachVar(F&& f) const {
        journal.forEachVar(f);
        settings.forEachVar(f);
        win.forEachVar(f);
        f("Compteur", view.Compteur);  // where dumps have always listed it
        entry.forEachVar(f);
        view.forEachVar(f);
        meter.forEachVar(f);
        banner.forEachVar(f);
    }

    // ==== Procedures ====

    // journal/: the table, its file, erasing, calendar lengths
    // The one way a test enters the journal: staged in slot 0, then moved in
    // as test 1 by Ajouter_A_Liste. A full journal refuses it (the user is
    // told) and false is returned. The caller marks the journal unsaved.
    bool addTest(std::string_view date, std::string_view time, std::string_view level,
                 std::string_view note) override;
    void Ajouter_A_Liste();
    void Donnees_Presentes();
    void Recuperer();
    void Sauvegarder();
    // Sauvegarder's work: false when the settings or the journal could not
    // be written (the user was told); the journal in memory is then the only copy.
    bool saveSetupAndJournal();
    void Menu_Sauve_Click();
    void Menu_Prev_Click();
    void Menu_Eff_Click();
    void Effacer_Donnees();
    // The table holds 5000 tests: with no free slot, tells the user so (both
    // languages) and returns true; the caller then adds nothing.
    bool refuseFullJournal();
    // Text that the journal file cannot hold (a double quote, a line break, a
    // character outside Windows-1252): tells the user which field and why and
    // returns true. fieldName is the field's caption as shown.
    bool refuseUnstorableText(const std::string& text, const std::string& fieldName);

    // settings/: settings file, units, language
    void Recup_Init();
    void Creer_Ini();
    void Sauver_Init();
    // Sauver_Init's and Creer_Ini's work: false when dextrel.ini could not
    // be written (the user was told why).
    bool saveSetup();
    bool saveDefaultSetup();
    void Barrer_Options();
    void Menu_OptMG_Click();
    void Menu_OptMM_Click();
    void Verrouiller();
    void Correspondance();
    void Traduction();

    // window/: start-up and shutdown, menus, timers, clock, hints, about box
    void Form_Load();
    void drawJournalFromToday();
    void showNewestTest();
    // After the journal changed other than through the entry panel (the
    // logbook, an import): the week ending today drawn again, its counts and
    // the level display, exactly as a start on the journal as it now stands.
    void redrawJournal();
    // The journal changed from the report menu: unsaved and redrawn, the
    // menus as after a test added through the entry panel.
    void journalChanged();
    // Save on, the preview and the options off until the next save.
    void markUnsaved();
    void Form_Unload();
    void Menu_Quitter_Click();
    // Ends the program, unless a save asked for at quit failed and the user
    // chose to stay so that nothing typed is lost.
    void Quitter_Dextrel();
    void Desactiver_Menu() override;
    void Timer_Heure_Timer();
    void Afficher_Heure();
    void Form_KeyDown(int KeyCode);
    void Menu_Annuler_Click();
    void Menu_Apropos_Click();
    void Menu_Hystorique_Click();
    void Menu_Test_Click();
    void Menu_Impr_Graph_Click();

    // window/: the entry panel, its checks, day notes, the level display
    void Menu_Ajouter_Click();
    void Dialog_Date_KeyPress(int KeyAscii);
    void Dialog_Heure_KeyPress(int KeyAscii);
    void Dialog_Date_Change();
    void Dialog_Heure_Change();
    void Dialog_Taux_Change();
    void Dialog_Date_LostFocus();
    void Dialog_Heure_LostFocus();
    void Dialog_Taux_LostFocus();
    void Bout_Ok_Click();
    void Bout_Cancel_Click();
    void Verifier_Entree();
    void Valider_Entree();
    void Valider_Date_Hre();
    void Menu_Note_Click();
    void Ajouter_Note();
    void Afficher_Taux() override;
    void Affichager_Le_Taux();

    // banner/: connectivity check, downloads, browser link, camera icons
    void PA_URL();
    void Timer_Ping_Timer();
    void Recuperer_URL();
    void Recuperer_IMG();
    void Image_FTP_Click();
    void Image_FTP_DblClick();
    void Timer_Camera_Timer();
    void Img_Cam1_Click();
    void Img_Cam2_Click();
    void Image_Camera();

    // ---- Small helpers shared by the procedures.
    // Today's date (midnight) and the current date and time, from the clock.
    DateTime today() const override;
    DateTime now() const override;
    // A date as text in the short-date format, and back (Format_Date_Courte
    // as set at start-up, or the locale's pattern before that).
    std::string dateText(DateTime date) const override;
    std::optional<DateTime> textDate(std::string_view text) const override;
    MsgAnswer message(const std::string& title, const std::string& text,
                      MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None) override;
    // A question box with Yes and No; its answer code ("6" Yes, "7" No) is
    // kept in Reponse.
    MsgAnswer askYesNo(const std::string& title, const std::string& text,
                       MsgIcon icon = MsgIcon::None);
    // Ends the program at once: nothing else runs after it.
    [[noreturn]] void endProgram();

private:
    struct TimerSlot {
        Timer* timer;
        Procedure handler;
    };

    void buildRegistry();
    template <class Fn>
    void guarded(Fn&& fn);
    TextField* field(const std::string& name);
    void afterEvent();
    // Runs a control's procedure, if it has one.
    void run(const Procedure& procedure);

    std::vector<ControlEntry> registry_;
    std::array<TimerSlot, kTimerCount> timers_{};
    std::string focused_;
    std::string heldClick_;  // a picture's click waiting for a double click
    int64_t heldClickUntil_ = 0;
    bool afterDoubleClick_ = false;
    bool ended_ = false;
    int eventDepth_ = 0;
};

}  // namespace dx
