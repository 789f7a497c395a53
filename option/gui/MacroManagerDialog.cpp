#include "MacroManagerDialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include "KeySequencePanel.h"
#include "MacroManagerPrompts.h"
#include "TimelinePanel.h"
#include "skin/CoolMenu.h"
#include "skin/LayoutEntry.h"
#include "skin/MacroManagerLayout.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinResources.h"

namespace option {

namespace mm = skin::macromanager;
using Model = macros::MacroManagerModel;

namespace {

QRect rectOf(const char* layout) {
  const skin::LayoutEntry e = skin::parseLayout(layout);
  return QRect(e.left, e.top, e.width(), e.height());
}

const char* const kListStyle =
    "QListWidget { background: rgb(14,15,18); color: rgb(224,224,224); border: 1px solid "
    "rgb(44,48,56); font: 13px 'Arial'; outline: 0; }"
    "QListWidget::item { height: 18px; padding-left: 4px; }"
    "QListWidget::item:selected { background: rgb(24,62,88); color: rgb(240,240,240); }"
    "QListWidget:disabled { color: rgb(72,76,84); }"
    "QScrollBar:vertical { background: rgb(17,18,22); width: 10px; }"
    "QScrollBar::handle:vertical { background: rgb(60,136,191); min-height: 20px; }"
    "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }";
const char* const kEditStyle =
    "QLineEdit { background: rgb(14,15,18); color: rgb(240,240,240); border: 1px solid "
    "rgb(60,136,191); font: 13px 'Arial'; padding: 0 2px; }";

constexpr int kFirstSetTimer = 100;  // ms before an empty library asks for a set

}  // namespace

MacroManagerDialog::MacroManagerDialog(const macros::MacroLibrary& library,
                                       const settings::ButtonSlot& slot, int firstSet,
                                       MacroManagerPrompts& prompts, QWidget* parent)
    : skin::SkinDialog(parent), model_(library, slot, firstSet), prompts_(prompts) {
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setObjectName(QStringLiteral("MacroManagerDialog"));
  setWindowTitle(QString::fromLatin1(mm::kCaption));
  QImage face = skin::SkinResources::bitmap(mm::kWindowFace);
  if (face.isNull()) {
    face = QImage(mm::kWidth, mm::kHeight, QImage::Format_RGB32);
    face.fill(QColor(17, 18, 22));
  }
  setFace(face);
  setMaskBitmap(face);
  setFixedSize(face.size());
  const skin::PageSheets sheets = skin::PageSheets::fromResources(
      mm::kWindowFace, mm::kWindowHover, mm::kWindowPressed, mm::kWindowDisabled);
  const auto button = [&](const char* layout) {
    auto* b = new skin::SkinButton(skin::parseLayout(layout), this);
    b->setSheets(sheets);
    return b;
  };
  ok_ = button(mm::kOk);
  cancel_ = button(mm::kCancel);
  exit_ = button(mm::kExit);
  selector_ = button(mm::kSetSelector);
  new_ = button(mm::kNew);
  delete_ = button(mm::kDelete);
  switch_ = button(mm::kSwitchEditor);

  macroList_ = new QListWidget(this);
  macroList_->setObjectName(QStringLiteral("BUTTON_List_MacroName"));
  macroList_->setGeometry(rectOf(mm::kMacroList));
  macroList_->setStyleSheet(QString::fromLatin1(kListStyle));

  const QRect editor = rectOf(mm::kEditorPlace);
  listPanel_ = new KeySequencePanel(model_, this);
  timeline_ = new TimelinePanel(model_, this);
  for (QWidget* panel : {static_cast<QWidget*>(listPanel_), static_cast<QWidget*>(timeline_)})
    panel->setGeometry(editor);
  timeline_->hide();

  connect(ok_, &skin::SkinButton::clicked, this, &QDialog::accept);
  connect(cancel_, &skin::SkinButton::clicked, this, &QDialog::reject);
  connect(exit_, &skin::SkinButton::clicked, this, &QDialog::reject);
  connect(selector_, &skin::SkinButton::clicked, this, &MacroManagerDialog::showSetMenu);
  connect(new_, &skin::SkinButton::clicked, this, &MacroManagerDialog::newMacro);
  connect(delete_, &skin::SkinButton::clicked, this, &MacroManagerDialog::deleteMacro);
  connect(switch_, &skin::SkinButton::clicked, this, &MacroManagerDialog::switchEditor);
  connect(macroList_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_ && row >= 0 && !nameEdit_) selectMacro(row);
  });
  connect(macroList_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { renameMacro(macroList_->row(item)); });
  connect(listPanel_, &KeySequencePanel::recordingChanged, this, &MacroManagerDialog::lockControls);
  connect(timeline_, &TimelinePanel::waitingChanged, this, [this](bool waiting) {
    lockControls(waiting);
    for (skin::SkinButton* b : {timeline_->addButton(), timeline_->deleteButton()})
      b->setEnabled(!waiting);
  });
  connect(listPanel_, &KeySequencePanel::noticeNeeded, this, &MacroManagerDialog::showNotice);
  connect(timeline_, &TimelinePanel::noticeNeeded, this, &MacroManagerDialog::showNotice);

  refreshSelector();
  refillMacros();
  listPanel_->reload();
  if (model_.asksForFirstSet()) {
    firstSetPending_ = true;
    QTimer::singleShot(kFirstSetTimer, this, &MacroManagerDialog::firstSetDue);
  }
}

void MacroManagerDialog::firstSetDue() {
  if (!firstSetPending_) return;
  firstSetPending_ = false;
  if (model_.asksForFirstSet()) setCommand(Model::kAddSetCommand);
}

MacroManagerDialog::~MacroManagerDialog() = default;

bool MacroManagerDialog::edit(const std::string& programFolder, const settings::ButtonSlot& slot,
                              int firstSet, MacroManagerPrompts& prompts, QWidget* parent) {
  const std::string path = macros::MacroLibrary::presetFile(programFolder);
  macros::MacroLibrary library;
  library.load(path);
  MacroManagerDialog dialog(library, slot, firstSet, prompts, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  // The saved copy takes in what another program saved while the manager was open.
  macros::MacroLibrary edited = dialog.model().takeWorking();
  return edited.save(path);
}

bool MacroManagerDialog::timelineShown() const { return !timeline_->isHidden(); }

void MacroManagerDialog::done(int result) {
  if (listPanel_->recording() || timeline_->waitingForKey()) return;
  if (nameEdit_) commitNameEdit(result == QDialog::Accepted);
  if (result == QDialog::Accepted && timelineShown()) timeline_->store();
  skin::SkinDialog::done(result);
}

void MacroManagerDialog::refreshSelector() {
  const macros::MacroSet* set = model_.working().set(model_.selectedSet());
  selector_->setCaption(set ? QString::fromStdString(set->name) : QString());
}

void MacroManagerDialog::refillMacros() {
  filling_ = true;
  macroList_->clear();
  for (const std::string& name : model_.macroNames())
    macroList_->addItem(QString::fromStdString(name));
  macroList_->setCurrentRow(model_.selectedMacro());
  filling_ = false;
}

void MacroManagerDialog::lockControls(bool locked) {
  for (QWidget* w : {static_cast<QWidget*>(ok_), static_cast<QWidget*>(cancel_),
                     static_cast<QWidget*>(exit_), static_cast<QWidget*>(selector_),
                     static_cast<QWidget*>(new_), static_cast<QWidget*>(delete_),
                     static_cast<QWidget*>(switch_), static_cast<QWidget*>(macroList_)})
    w->setEnabled(!locked);
}

void MacroManagerDialog::showNotice(int notice) {
  prompts_.notice(static_cast<Model::Notice>(notice), this);
}

void MacroManagerDialog::showSetMenu() {
  skin::CoolMenu menu(this);
  menu.setFont(skin::SkinResources::arialFont(14));
  menu.setItemWidth(176);
  for (const Model::MenuItem& item : model_.setMenu()) {
    menu.addItem(QString::fromStdString(item.text), item.id, item.checked);
    if (item.separatorAfter) menu.addSeparator();
  }
  const int command = menu.execCommand(selector_->mapToGlobal(QPoint(0, selector_->height())));
  if (command != 0) setCommand(command);
}

void MacroManagerDialog::setCommand(int command) {
  if (timelineShown()) timeline_->store();
  if (command == Model::kAddSetCommand) {
    const std::optional<std::string> name = prompts_.askSetName(this);
    if (!name || !model_.addSet(*name)) return;
  } else if (command == Model::kDeleteSetCommand) {
    if (model_.selectedSet() < 0 ||
        !prompts_.confirm(MacroManagerPrompts::Question::kDeleteSet, this))
      return;
    model_.deleteSelectedSet();
  } else if (command >= Model::kFirstSetCommand && command < Model::kAddSetCommand) {
    model_.selectSet(command - Model::kFirstSetCommand);
  } else {
    return;
  }
  refreshSelector();
  refillMacros();
  listPanel_->reload();
  timeline_->load();
}

void MacroManagerDialog::selectMacro(int row) {
  if (row == model_.selectedMacro()) return;
  if (timelineShown()) timeline_->store();
  model_.selectMacro(row);
  listPanel_->reload();
  timeline_->load();
}

void MacroManagerDialog::openNameEdit(int row, const QString& text,
                                      std::function<void(std::optional<QString>)> done) {
  QListWidgetItem* item = macroList_->item(row);
  if (!item) return;
  macroList_->scrollToItem(item);
  nameEdit_ = new QLineEdit(macroList_->viewport());
  nameEdit_->setObjectName(QStringLiteral("MacroNameEdit"));
  nameEdit_->setStyleSheet(QString::fromLatin1(kEditStyle));
  nameEdit_->setMaxLength(static_cast<int>(macros::MacroLibrary::kMaxEditedNameLength));
  nameEdit_->setGeometry(macroList_->visualItemRect(item));
  nameEdit_->setText(text);
  nameEdit_->selectAll();
  nameEdit_->installEventFilter(this);
  nameEdit_->show();
  nameEdit_->setFocus();
  nameDone_ = std::move(done);
  connect(nameEdit_, &QLineEdit::editingFinished, this, [this] { commitNameEdit(true); });
}

void MacroManagerDialog::commitNameEdit(bool keep) {
  if (!nameEdit_) return;
  QLineEdit* edit = nameEdit_;
  nameEdit_ = nullptr;
  auto done = std::move(nameDone_);
  nameDone_ = nullptr;
  edit->removeEventFilter(this);
  edit->hide();
  edit->deleteLater();
  if (done) done(keep ? std::optional<QString>(edit->text().trimmed()) : std::nullopt);
}

bool MacroManagerDialog::eventFilter(QObject* watched, QEvent* e) {
  if (watched == nameEdit_ && e->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    commitNameEdit(false);
    return true;
  }
  return skin::SkinDialog::eventFilter(watched, e);
}

void MacroManagerDialog::newMacro() {
  if (nameEdit_) return;
  const macros::MacroSet* set = model_.working().set(model_.selectedSet());
  if (!set) {
    prompts_.notice(Model::Notice::kNoSet, this);
    return;
  }
  if (static_cast<int>(set->macros.size()) >= macros::MacroLibrary::kMaxMacrosPerSet) return;
  filling_ = true;
  macroList_->addItem(QString());
  filling_ = false;
  openNameEdit(macroList_->count() - 1, QString(), [this](std::optional<QString> name) {
    bool added = false;
    if (name && !name->isEmpty()) {
      if (timelineShown()) timeline_->store();
      model_.newMacro(name->toStdString(), added);
    }
    refillMacros();
    if (added) {
      listPanel_->reload();
      timeline_->load();
    }
  });
}

void MacroManagerDialog::renameMacro(int row) {
  if (nameEdit_ || !macroList_->item(row)) return;
  openNameEdit(row, macroList_->item(row)->text(), [this, row](std::optional<QString> name) {
    if (name && !name->isEmpty()) model_.renameMacro(row, name->toStdString());
    refillMacros();
  });
}

void MacroManagerDialog::deleteMacro() {
  if (const Model::Notice n = model_.deleteCheck(); n != Model::Notice::kNone) {
    prompts_.notice(model_.selectedSet() < 0 ? Model::Notice::kNoSet : n, this);
    return;
  }
  if (!prompts_.confirm(MacroManagerPrompts::Question::kDeleteMacro, this)) return;
  model_.deleteSelectedMacro();
  refillMacros();
  listPanel_->reload();
  timeline_->load();
}

void MacroManagerDialog::switchEditor() {
  if (timelineShown()) {
    timeline_->store();
    timeline_->hide();
    listPanel_->reload();
    listPanel_->show();
  } else {
    listPanel_->hide();
    timeline_->load();
    timeline_->show();
  }
}

}  // namespace option
