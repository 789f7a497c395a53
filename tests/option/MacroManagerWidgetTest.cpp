#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <deque>
#include <memory>

#include "KeySequencePanel.h"
#include "MacroManagerDialog.h"
#include "MacroManagerPrompts.h"
#include "TimelinePanel.h"
#include "macros/KeySequenceList.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"

#include "WidgetTestSession.h"

namespace option {
namespace {

using Notice = macros::MacroManagerModel::Notice;
using testing::drain;

// Answers given in advance, and what was asked.
struct ScriptedPrompts : MacroManagerPrompts {
  std::optional<std::string> askSetName(QWidget*) override {
    ++nameQuestions;
    if (names.empty()) return std::nullopt;
    auto name = names.front();
    names.pop_front();
    return name;
  }
  bool confirm(Question q, QWidget*) override {
    questions.push_back(q);
    return confirmAnswer;
  }
  void notice(Notice n, QWidget*) override { notices.push_back(n); }

  std::deque<std::optional<std::string>> names;
  bool confirmAnswer = true;
  int nameQuestions = 0;
  std::vector<Question> questions;
  std::vector<Notice> notices;
};

// Linux input codes of the keys typed.
constexpr int kLeftCtrl = 29, kC = 46, kA = 30;

std::vector<std::string> rowTexts(QListWidget* list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list->count(); ++i) texts.push_back(list->item(i)->text().toStdString());
  return texts;
}

class MacroManagerWidgetTest : public ::testing::Test {
 protected:
  MacroManagerWidgetTest() {
    skin::SkinContext::instance().setProgramFolder(QStringLiteral(VESK_SUITE_DIR "/"));
  }
  std::unique_ptr<MacroManagerDialog> open(const macros::MacroLibrary& library) {
    auto dialog = std::make_unique<MacroManagerDialog>(library, slot_, 0, prompts_);
    dialog->show();
    drain();
    return dialog;
  }
  // Types a name into the list's in-place edit and presses Enter (or Escape).
  static void typeName(MacroManagerDialog& d, const char* name, bool keep = true) {
    ASSERT_NE(d.nameEdit(), nullptr);
    d.nameEdit()->setText(QString::fromLatin1(name));
    d.commitNameEdit(keep);
    drain();
  }

  testing::WidgetTestSession session_;
  settings::ButtonSlot slot_{};
  ScriptedPrompts prompts_;
};

TEST_F(MacroManagerWidgetTest, AnEmptyLibraryAsksForASetThenNewMacrosGoInIt) {
  auto d = open(macros::MacroLibrary{});
  ASSERT_TRUE(d->firstSetPending());
  // Without a set, New and the recorder only say so.
  d->newMacro();
  d->listEditor()->startRecording(0);
  EXPECT_EQ(prompts_.notices, (std::vector<Notice>{Notice::kNoSet, Notice::kNoSet}));
  EXPECT_FALSE(d->listEditor()->recording());

  prompts_.names = {"  Office  "};
  d->firstSetDue();
  EXPECT_EQ(prompts_.nameQuestions, 1);
  ASSERT_EQ(d->model().working().setCount(), 1);
  EXPECT_EQ(d->model().working().set(0)->name, "Office");

  d->newMacro();
  typeName(*d, " Copy ");
  d->newMacro();
  typeName(*d, "COPY");  // a duplicate drops the new row
  d->newMacro();
  typeName(*d, "Paste", false);  // Escape drops it
  d->newMacro();
  typeName(*d, "   ");  // blank drops it
  EXPECT_EQ(rowTexts(d->macroList()), (std::vector<std::string>{"Copy"}));
  EXPECT_EQ(d->model().selectedMacro(), 0);

  // Rename: a duplicate keeps the old name.
  d->newMacro();
  typeName(*d, "Cut");
  d->renameMacro(1);
  typeName(*d, "copy");
  d->renameMacro(1);
  typeName(*d, "Cut all");
  EXPECT_EQ(rowTexts(d->macroList()), (std::vector<std::string>{"Copy", "Cut all"}));
}

TEST_F(MacroManagerWidgetTest, RecordsTypedKeysWithDelaysAndLocksTheWindowMeanwhile) {
  macros::MacroLibrary library;
  ASSERT_EQ(library.addSet("Office"), macros::MacroEdit::kDone);
  ASSERT_EQ(library.addMacro(0, "Copy"), macros::MacroEdit::kDone);
  auto d = open(library);
  KeySequencePanel* editor = d->listEditor();
  editor->delaySwitch()->click();
  editor->startRecording(0);
  ASSERT_TRUE(editor->recording());
  EXPECT_FALSE(d->macroList()->isEnabled());
  editor->keyInput(kLeftCtrl, false, 1000);
  editor->keyInput(kLeftCtrl, false, 1030);  // auto-repeat
  editor->keyInput(kC, false, 1040);
  editor->keyInput(kC, true, 1160);
  editor->keyInput(kLeftCtrl, true, 71160);  // 70 s later: the delay is capped
  editor->keyInput(0x1d0, false, 71200);     // no key of the table
  editor->stopRecording();
  EXPECT_TRUE(d->macroList()->isEnabled());
  EXPECT_EQ(rowTexts(editor->list()),
            (std::vector<std::string>{"Left Control Press", "40 ms", "C Press", "120 ms",
                                      "C Release", "65535 ms", "Left Control Release"}));
  const macros::MacroRecord& copy = *d->model().working().macro(0, 0);
  ASSERT_EQ(copy.eventCount(), 4);
  EXPECT_EQ(copy.Events[3].delay(), 0);
  EXPECT_EQ(d->model().working().set(0)->changeState, macros::kChanged);

  // The context menu edits the record at once.
  editor->menuCommand(1005, 1);  // delete the "40 ms" row
  editor->menuCommand(1022, 0);  // left click before the first event
  EXPECT_EQ(d->model().working().macro(0, 0)->eventCount(), 6);
  EXPECT_EQ(rowTexts(editor->list()).front(), "Left Button Press");
  EXPECT_EQ(d->model().working().macro(0, 0)->Events[2].delay(), 0);

  // The play count entry corrects what it is given.
  // A stored play count of 1 shows the switch on; the entry corrects what it is
  // given, and turning the switch off stores 1.
  EXPECT_TRUE(editor->playCountSwitch()->isSelected());
  editor->playCountEdit()->setText(QStringLiteral("300"));
  emit editor->playCountEdit()->editingFinished();
  EXPECT_EQ(editor->playCountEdit()->text(), QStringLiteral("255"));
  EXPECT_EQ(d->model().working().macro(0, 0)->PlayCount, 255);
  editor->playCountSwitch()->click();
  EXPECT_EQ(d->model().working().macro(0, 0)->PlayCount, 1);
}

TEST_F(MacroManagerWidgetTest, TimelineShowsTheRecordingAndAddsBarsByKey) {
  macros::MacroLibrary library;
  ASSERT_EQ(library.addSet("Office"), macros::MacroEdit::kDone);
  ASSERT_EQ(library.addMacro(0, "Copy"), macros::MacroEdit::kDone);
  macros::MacroRecord& r = *library.macro(0, 0);
  r.EventCount = 5;
  r.Events[0] = {0xE0, 1, {40, 0}};
  r.Events[1] = {0x06, 1, {120, 0}};
  r.Events[2] = {0x06, 2, {10, 0}};
  r.Events[3] = {0xE0, 2, {0, 0}};
  r.Events[4] = {0x04, 1, {0, 0}};  // never released: no bar
  auto d = open(library);
  d->switchEditor();
  ASSERT_TRUE(d->timelineShown());
  TimelinePanel* t = d->timelineEditor();
  ASSERT_EQ(t->bars().size(), 2u);
  EXPECT_EQ(t->bars()[0].key, 0xE0);
  EXPECT_EQ(t->bars()[0].end, 170);
  EXPECT_EQ(t->bars()[1].start, 40);

  t->addBar();
  ASSERT_TRUE(t->waitingForKey());
  EXPECT_FALSE(d->macroList()->isEnabled());
  t->keyInput(kA);
  EXPECT_FALSE(t->waitingForKey());
  EXPECT_TRUE(d->macroList()->isEnabled());
  ASSERT_EQ(t->bars().size(), 3u);
  EXPECT_EQ(t->bars()[2].key, 0x04);

  // Back in the list editor the bars are the macro's events.
  d->switchEditor();
  EXPECT_EQ(d->model().working().macro(0, 0)->eventCount(), 6);
  EXPECT_EQ(rowTexts(d->listEditor()->list()).size(), 6u + 3u);
}

TEST_F(MacroManagerWidgetTest, DeletingAsksFirstAndCancelKeepsTheLibrary) {
  macros::MacroLibrary library;
  ASSERT_EQ(library.addSet("Office"), macros::MacroEdit::kDone);
  ASSERT_EQ(library.addMacro(0, "Copy"), macros::MacroEdit::kDone);
  ASSERT_EQ(library.addMacro(0, "Cut"), macros::MacroEdit::kDone);
  auto d = open(library);
  prompts_.confirmAnswer = false;
  d->deleteMacro();
  EXPECT_EQ(d->macroList()->count(), 2);
  prompts_.confirmAnswer = true;
  d->selectMacro(1);
  d->deleteMacro();
  EXPECT_EQ(rowTexts(d->macroList()), (std::vector<std::string>{"Copy"}));
  EXPECT_EQ(d->model().selectedMacro(), 0);
  d->setCommand(macros::MacroManagerModel::kDeleteSetCommand);
  EXPECT_EQ(d->model().working().setCount(), 0);
  d->deleteMacro();
  EXPECT_EQ(prompts_.notices.back(), Notice::kNoSet);
  EXPECT_EQ(prompts_.questions.size(), 3u);
  d->reject();
  EXPECT_EQ(library.setCount(), 1);  // the caller's library never changed
}

TEST_F(MacroManagerWidgetTest, OkSavesTheEditedCopyAndCancelSavesNothing) {
  const std::string path = macros::MacroLibrary::presetFile(session_.folder);
  macros::MacroLibrary library;
  ASSERT_EQ(library.addSet("Office"), macros::MacroEdit::kDone);
  ASSERT_TRUE(library.save(path));
  const auto run = [&](bool ok) {
    QTimer::singleShot(0, [&, ok] {
      auto* d = qobject_cast<MacroManagerDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      d->newMacro();
      typeName(*d, "Jump");
      if (ok)
        d->accept();
      else
        d->reject();
    });
    return MacroManagerDialog::edit(session_.folder, slot_, 0, prompts_, nullptr);
  };
  EXPECT_FALSE(run(false));
  macros::MacroLibrary saved;
  ASSERT_TRUE(saved.load(path));
  EXPECT_TRUE(saved.set(0)->macros.empty());
  EXPECT_TRUE(run(true));
  ASSERT_TRUE(saved.load(path));
  ASSERT_EQ(saved.set(0)->macros.size(), 1u);
  EXPECT_EQ(saved.macro(0, 0)->name(), "Jump");
}

}  // namespace
}  // namespace option
