#include <QAbstractButton>
#include <QInputDialog>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "desktop/message_box.h"
#include "window_fixture.h"

namespace dx {

namespace {

// Presses a key where the box has its keyboard focus (a button), as the
// user would; the button passes Escape on to the box.
void pressInBox(QMessageBox* box, Qt::Key key) {
    QWidget* to = box->focusWidget() != nullptr ? box->focusWidget() : box;
    QTest::keyClick(to, key);
}

// Runs `user` on the modal box as soon as it shows; a box still open two
// seconds later is answered with its first button so that a test cannot hang.
void whenTheBoxShows(const std::function<void(QMessageBox*)>& user) {
    QTimer::singleShot(0, [user] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        user(box);
    });
    QTimer::singleShot(2000, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "the box was still open";
            box->buttons().front()->click();
        }
    });
}

// A program that ended in an earlier test asked the application's event
// loop to stop; with no loop running then, the request would stop the next
// box's own loop at once. Running the application's loop briefly clears it.
void forgetEndedPrograms() {
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

}  // namespace

// Every box is as wide as its title bar needs, not much wider. A Yes/No
// question has no Escape answer, nor does the title bar's close button
// close it: it stays until it is answered; an Ok box closes on Escape.
TEST(MessageBox, EveryBoxFitsItsTitleAndOnlyAnOkBoxClosesOnEscape) {
    const char* const titles[] = {
        "Do you want to save your data?",
        "Voulez-vous sauvegarder vos paramêtres?",
        "Voulez-vous sauvegarder vos données?",
        "Message",
        "Version: 1.3.1",
    };
    for (const char* title : titles) {
        for (MsgButtons buttons : {MsgButtons::YesNo, MsgButtons::Ok}) {
            const bool isOk = buttons == MsgButtons::Ok;
            SCOPED_TRACE(std::string(title) + (isOk ? " (Ok)" : " (Yes/No)"));
            MessageBox box(nullptr, title, "Before QUITTING!", buttons, MsgIcon::None);
            box.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
            const int needed = titleBarWidth(QString::fromUtf8(title), box.font());
            EXPECT_GE(box.width(), needed);
            EXPECT_LE(box.width(), needed + 200);
            pressInBox(&box, Qt::Key_Escape);
            EXPECT_EQ(box.isVisible(), !isOk);
            if (!isOk) {
                EXPECT_FALSE(box.close());
                EXPECT_TRUE(box.isVisible());
            }
        }
    }
}

// The erase asks for its date under a title that is a sentence too.
TEST(MessageBox, TheInputBoxIsAsWideAsItsTitleBarNeeds) {
    QtDialogs dialogs;
    int width = 0, needed = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        width = box->width();
        needed = titleBarWidth(box->windowTitle(), box->font());
        box->reject();
    });
    EXPECT_FALSE(dialogs.inputBox("Vous vous apprêter à effacer des données ...", "ENTREZ LA DATE",
                                  "01/01/2000"));
    EXPECT_GE(width, needed);
}

// The whole road: the window's quit question on screen, Escape pressed,
// then the answer No given with the mouse.
TEST_F(DesktopWindowTest, EscapeLeavesTheQuitQuestionOpenAndTheUnsavedTestsWithIt) {
    forgetEndedPrograms();
    start("", QSize(1920, 1080), true);
    window->actionOf("Menu_Ajouter")->trigger();
    QTest::keyClicks(window->widgetOf("Dialog_Taux"), "5.6");
    qobject_cast<QPushButton*>(window->widgetOf("Bout_Ok"))->click();
    ASSERT_TRUE(core->Menu_Sauve.enabled);

    QString title;
    bool openAfterEscape = false;
    whenTheBoxShows([&](QMessageBox* box) {
        title = box->windowTitle();
        pressInBox(box, Qt::Key_Escape);
        openAfterEscape = box->isVisible();
        box->button(QMessageBox::No)->click();
    });
    window->close();
    EXPECT_EQ(title, "Do you want to save your data?");
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(core->ended());
}

}  // namespace dx
