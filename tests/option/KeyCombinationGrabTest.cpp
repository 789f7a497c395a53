// The key shortcut dialog on a private X server: while it is open it holds
// the keyboard, so keys typed with another program focused (Print Screen
// included) come to it alone, and a key is known by its place on the
// keyboard whatever layout the desktop uses.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "KeyCombinationDialog.h"
#include "skin/BitmapEdit.h"
#include "skin/SkinContext.h"

#include "PrivateXServer.h"  // last: Xlib's macros would break the headers above

namespace {

using option::testing::PrivateXServer;

// Pumps the toolkit's events until `done` or about ten seconds have passed.
bool pumpUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 500; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

void tap(Display* d, unsigned keycode) {
  XTestFakeKeyEvent(d, keycode, True, 0);
  XTestFakeKeyEvent(d, keycode, False, 0);
  XFlush(d);
}

// X keycodes of physical keys (their Linux input codes + 8): the key a US
// keyboard labels Z and the one it labels Y, which a German one swaps.
constexpr unsigned kKeyZ = 44 + 8, kKeyY = 21 + 8, kSysRq = 99 + 8;
// Their keyboard usage IDs.
constexpr int kUsageZ = 0x1D, kUsageY = 0x1C, kUsagePrintScreen = 0x46;

TEST(KeyCombinationGrabTest, KeysComeToTheDialogAloneAndByTheirPlaceOnTheKeyboard) {
  PrivateXServer x;
  ASSERT_FALSE(x.display().empty()) << "Xvfb did not start";
  Display* other = x.connection();
  ASSERT_NE(other, nullptr);
  setenv("DISPLAY", x.display().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  static int argc = 1;
  static char name[] = "key_grab_tests";
  static char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  skin::SkinContext::instance().setProgramFolder(QStringLiteral(VESK_SUITE_DIR "/"));

  option::KeyCombinationDialog dialog(option::KeyCombination(0x04, {}));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  ASSERT_TRUE(pumpUntil([&] { return dialog.keyboardGrabbed(); }));
  EXPECT_EQ(PrivateXServer::grabKeyboardAsAnotherProgram(other), AlreadyGrabbed);

  // Another program's window has the focus; the keys still come here.
  const Window window = PrivateXServer::focusedOtherWindow(other);

  tap(other, kSysRq);
  ASSERT_TRUE(pumpUntil([&] { return dialog.combination().key() == kUsagePrintScreen; }));
  EXPECT_EQ(dialog.keyNameField()->text(), QStringLiteral("Print Screen"));

  for (const char* layout : {"us", "de"}) {
    const std::string command =
        "setxkbmap -display " + x.display() + " " + layout + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << layout;
    XSync(other, False);
    // The layout took: the German one puts 'y' on the US keyboard's Z key.
    EXPECT_EQ(XkbKeycodeToKeysym(other, kKeyZ, 0, 0), std::string(layout) == "de" ? XK_y : XK_z);
    tap(other, kKeyZ);
    EXPECT_TRUE(pumpUntil([&] { return dialog.combination().key() == kUsageZ; })) << layout;
    EXPECT_EQ(dialog.keyNameField()->text(), QStringLiteral("Z")) << layout;
    tap(other, kKeyY);
    EXPECT_TRUE(pumpUntil([&] { return dialog.combination().key() == kUsageY; })) << layout;
  }
  XSync(other, False);
  XEvent stray;
  EXPECT_FALSE(XCheckWindowEvent(other, window, KeyPressMask | KeyReleaseMask, &stray))
      << "a key reached the focused program";

  // Closed, it lets the keyboard go.
  dialog.reject();
  ASSERT_TRUE(pumpUntil([&] { return !dialog.keyboardGrabbed(); }));
  EXPECT_EQ(PrivateXServer::grabKeyboardAsAnotherProgram(other), GrabSuccess);
  XDestroyWindow(other, window);
  XSync(other, False);
}

}  // namespace
