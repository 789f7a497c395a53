// A macro typed into the macro manager on a private X server, assigned to a
// button and applied: the Monitor and the simulated mouse run as processes,
// and the mouse's report log must show the typed keys in report 8.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <sstream>
#include <thread>

#include "KeySequencePanel.h"
#include "MacroManagerDialog.h"
#include "MacroManagerPrompts.h"
#include "SuiteProcesses.h"
#include "device/Reports.h"
#include "option/MainDialogModel.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"

#include "PrivateXServer.h"  // last: Xlib's macros would break the headers above

namespace {

using monitor::testing::SuiteProcesses;
using option::testing::PrivateXServer;

// Presses or releases a key by its X keycode, as a keyboard would.
void fakeKey(PrivateXServer& x, unsigned keycode, bool press) {
  XTestFakeKeyEvent(x.connection(), keycode, press ? True : False, 0);
  XFlush(x.connection());
}

struct NoPrompts : option::MacroManagerPrompts {
  std::optional<std::string> askSetName(QWidget*) override { return std::nullopt; }
  bool confirm(Question, QWidget*) override { return false; }
  void notice(macros::MacroManagerModel::Notice, QWidget*) override {}
};

struct NoView : option::MainDialogView {
  void refresh() override {}
  void refreshMainPage() override {}
  void refreshAdvancedPage() override {}
  void refreshTrophyPage() override {}
  void repaintColorIndicators() override {}
  void firmwareVersionChanged() override {}
  void showHelpText() override {}
};

std::vector<std::string> tokens(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  for (std::string t; in >> t;) out.push_back(t);
  return out;
}

// Pumps the toolkit's events until `done` or about ten seconds have passed.
bool pumpUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 500; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

// X keycodes of the keys typed (their Linux input codes + 8).
constexpr unsigned kLeftControl = 37, kC = 54;

TEST(MacroEndToEndTest, AMacroTypedIntoTheRecorderReachesTheMouseInReport8) {
  PrivateXServer x;
  ASSERT_FALSE(x.display().empty()) << "Xvfb did not start";
  SuiteProcesses suite;
  suite.startSimulator();
  suite.startMonitor();
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    const auto log = suite.reportLog();
    const auto hostActive = std::find(log.begin(), log.end(), "SET 0e 03 01");
    return hostActive != log.end() && hostActive + 1 != log.end();
  }));

  setenv("DISPLAY", x.display().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  static int argc = 1;
  static char name[] = "macro_e2e_tests";
  static char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  skin::SkinContext::instance().setProgramFolder(QStringLiteral(VESK_SUITE_DIR "/"));

  // Record "Ctrl down, C down, C up, Ctrl up" with its delays.
  macros::MacroLibrary library;
  ASSERT_EQ(library.addSet("Office"), macros::MacroEdit::kDone);
  ASSERT_EQ(library.addMacro(0, "Copy"), macros::MacroEdit::kDone);
  NoPrompts prompts;
  option::MacroManagerDialog dialog(library, settings::ButtonSlot{}, 0, prompts);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  option::KeySequencePanel& recorder = *dialog.listEditor();
  recorder.delaySwitch()->click();
  ASSERT_TRUE(dialog.model().recorder().recordDelays());
  recorder.startRecording(0);
  ASSERT_TRUE(recorder.recording());
  QCoreApplication::processEvents();

  // While it records the manager holds the keyboard: another program cannot
  // grab it, and keys typed while that program has the focus still come here.
  Display* xc = x.connection();
  ASSERT_NE(xc, nullptr);
  EXPECT_EQ(PrivateXServer::grabKeyboardAsAnotherProgram(xc), AlreadyGrabbed);
  const Window other = PrivateXServer::focusedOtherWindow(xc);
  for (const auto& [keycode, press] : std::vector<std::pair<unsigned, bool>>{
           {kLeftControl, true}, {kC, true}, {kC, false}, {kLeftControl, false}}) {
    const std::size_t before = dialog.model().recorder().events().size();
    fakeKey(x, keycode, press);
    ASSERT_TRUE(pumpUntil([&] { return dialog.model().recorder().events().size() > before; }))
        << "key " << keycode << " did not reach the recorder";
    // A typist's gap between keys, so the recorded delays are not all zero.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  XSync(xc, False);
  XEvent stray;
  EXPECT_FALSE(XCheckWindowEvent(xc, other, KeyPressMask | KeyReleaseMask, &stray))
      << "a key went to the focused window instead of the recorder";
  recorder.stopRecording();
  XDestroyWindow(xc, other);
  XSync(xc, False);
  dialog.accept();
  macros::MacroLibrary edited = dialog.model().takeWorking();
  const macros::MacroRecord record = *edited.macro(0, 0);
  ASSERT_EQ(record.eventCount(), 4);
  const std::uint8_t keys[4] = {0xE0, 0x06, 0x06, 0xE0};
  const std::uint8_t actions[4] = {1, 1, 2, 2};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(record.Events[i].Key, keys[i]) << i;
    EXPECT_EQ(record.Events[i].Action, actions[i]) << i;
  }
  EXPECT_GT(record.Events[0].delay(), 0);
  EXPECT_EQ(record.Events[3].delay(), 0);
  const std::string preset = macros::MacroLibrary::presetFile(suite.folder().string() + "/");
  ASSERT_TRUE(edited.save(preset));

  // Put it on button 6 of the current profile and apply through the Monitor.
  suite.sim("log --clear");
  NoView view;
  option::MainDialogModel model(suite.folder().string() + "/", view);
  model.start();
  ASSERT_TRUE(model.sharedMemory());
  const int profile = model.shownProfile();
  macros::assignToSlot(*edited.set(0), record, model.working().Profiles[profile].MacroKeyInfo[5]);
  model.working().SlotChanged[profile][5] = 1;
  model.save(apply::ApplySession::Mode::Apply);

  std::vector<std::string> report;
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    for (const std::string& line : suite.reportLog())
      if (line.rfind("SET 08", 0) == 0) {
        report = tokens(line);
        report.erase(report.begin());
        return true;
      }
    return false;
  })) << ::testing::PrintToString(suite.reportLog());
  const auto byte = [&](std::size_t at) { return std::stoi(report.at(at), nullptr, 16); };
  EXPECT_EQ(byte(3), profile);
  EXPECT_EQ(byte(device::kMacroCountOffset), 4);
  for (int i = 0; i < 4; ++i) {
    const std::size_t at = device::kMacroEventsOffset + 4 * i;
    EXPECT_EQ(byte(at), keys[i]) << i;
    EXPECT_EQ(byte(at + 1), actions[i]) << i;
    EXPECT_EQ(byte(at + 2) | byte(at + 3) << 8, record.Events[i].delay()) << i;
  }
}

}  // namespace
