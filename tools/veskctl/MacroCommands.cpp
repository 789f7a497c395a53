// veskctl macros: the macro library of a program folder, for scripts and
// backups.
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "CommandSupport.h"
#include "Commands.h"
#include "macros/MacroEventText.h"
#include "macros/MacroLibrary.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsImage.h"

namespace veskctl {

// Each group's helpers have a namespace of their own: the groups are
// compiled as one unit.
namespace macro_group {
namespace {

using Json = nlohmann::ordered_json;
using macros::MacroEdit;
using macros::MacroLibrary;

struct MacroOptions {
  std::string folder;
  bool json = false;
  std::string set;
  std::string macro;
  int playCount = 1;
};

[[noreturn]] void fail(const std::string& message, int code = 1) {
  failCommand("veskctl macros", message, code);
}

struct OpenLibrary {
  std::string folder;
  std::string path;
  MacroLibrary library;
};

OpenLibrary openLibrary(const MacroOptions& o) {
  OpenLibrary open;
  open.folder = programFolderOption(o.folder);
  open.path = MacroLibrary::presetFile(open.folder);
  if (!open.library.load(open.path)) fail(open.path + " is not a plain file");
  return open;
}

void saveLibrary(OpenLibrary& open) {
  if (!open.library.save(open.path)) fail("could not write " + open.path);
}

void refuseUnless(MacroEdit result) {
  if (result != MacroEdit::kDone) fail(std::string(macros::describe(result)));
}

int requireSet(const MacroLibrary& library, const std::string& name) {
  const int s = library.findSet(name);
  if (s < 0) fail("no macro set \"" + name + "\"");
  return s;
}

int requireMacro(const MacroLibrary& library, int s, const std::string& name) {
  const int m = library.findMacro(s, name);
  if (m < 0) fail("no macro \"" + name + "\" in set \"" + library.set(s)->name + "\"");
  return m;
}

void runList(const MacroOptions& o) {
  const OpenLibrary open = openLibrary(o);
  if (o.json) {
    Json sets = Json::array();
    for (const macros::MacroSet& set : open.library.sets()) {
      Json list = Json::array();
      for (const macros::MacroRecord& record : set.macros) {
        Json events = Json::array();
        for (int i = 0; i < record.eventCount(); ++i)
          events.push_back(
              {record.Events[i].Key, record.Events[i].Action, record.Events[i].delay()});
        list.push_back(
            {{"name", record.name()}, {"playCount", record.PlayCount}, {"events", events}});
      }
      sets.push_back({{"name", set.name}, {"macros", list}});
    }
    std::cout << Json{{"sets", sets}}.dump(2) << "\n";
    return;
  }
  for (const macros::MacroSet& set : open.library.sets()) {
    std::cout << set.name << "\n";
    for (const macros::MacroRecord& record : set.macros)
      std::cout << "  " << record.name() << " (" << record.eventCount() << " events, plays "
                << record.PlayCount << ")\n";
  }
}

void runSync(const MacroOptions& o) {
  OpenLibrary open = openLibrary(o);
  const settings::SettingsFiles files(open.folder);
  if (const std::string refused = files.refusedFiles(); !refused.empty())
    fail(refused + " (settings files must be plain files)");
  auto image = std::make_unique<settings::SettingsImage>();
  files.LoadAll(*image);
  open.library.synchronise(*image);
  saveLibrary(open);
}

void runShow(const MacroOptions& o) {
  const OpenLibrary open = openLibrary(o);
  const int s = requireSet(open.library, o.set);
  const macros::MacroRecord& record =
      *open.library.macro(s, requireMacro(open.library, s, o.macro));
  for (const std::string& line : macros::eventLines(record.Events, record.eventCount()))
    std::cout << line << "\n";
}

void runAdd(const MacroOptions& o) {
  if (o.playCount < 1 || o.playCount > MacroLibrary::kMaxPlayCount)
    fail("the play count is 1 to 255");
  const std::string text{std::istreambuf_iterator<char>(std::cin),
                         std::istreambuf_iterator<char>()};
  const macros::ParsedEvents parsed = macros::parseEventLines(text);
  if (!parsed.error.empty()) fail(parsed.error);

  OpenLibrary open = openLibrary(o);
  int s = open.library.findSet(o.set);
  if (s < 0) {
    refuseUnless(open.library.addSet(o.set));
    s = open.library.setCount() - 1;
  }
  refuseUnless(open.library.addMacro(s, o.macro));
  macros::MacroRecord& record = open.library.set(s)->macros.back();
  record.PlayCount = o.playCount;
  record.EventCount = static_cast<int>(parsed.events.size());
  std::copy(parsed.events.begin(), parsed.events.end(), record.Events);
  saveLibrary(open);
}

void runRemove(const MacroOptions& o) {
  OpenLibrary open = openLibrary(o);
  const int s = requireSet(open.library, o.set);
  if (o.macro.empty())
    refuseUnless(open.library.removeSet(s));
  else
    refuseUnless(open.library.removeMacro(s, requireMacro(open.library, s, o.macro)));
  saveLibrary(open);
}

void addFolderOption(CLI::App& cmd, MacroOptions& o) {
  cmd.add_option(
      "--folder", o.folder,
      "program folder holding config/Preset_sequence.dat (default: veskctl's own folder)");
}

template <typename Run>
void guarded(Run run, const MacroOptions& o) {
  runGuarded("veskctl macros", run, o);
}

}  // namespace
}  // namespace macro_group

void addMacroCommands(CLI::App& app) {
  using namespace macro_group;
  auto options = std::make_shared<MacroOptions>();
  CLI::App* group =
      app.add_subcommand("macros", "read and edit the macro library of a program folder");
  group->require_subcommand(1);

  CLI::App* list = group->add_subcommand("list", "print the macro sets and their macros");
  addFolderOption(*list, *options);
  list->add_flag("--json", options->json, "print the library with every event as JSON");
  list->callback([options] { guarded(runList, *options); });

  CLI::App* sync = group->add_subcommand(
      "sync",
      "add the macros assigned to buttons in the settings files to the library and save it");
  addFolderOption(*sync, *options);
  sync->callback([options] { guarded(runSync, *options); });

  CLI::App* show = group->add_subcommand("show", "print a macro's events, one per line");
  addFolderOption(*show, *options);
  show->add_option("SET", options->set, "macro set name")->required();
  show->add_option("MACRO", options->macro, "macro name")->required();
  show->callback([options] { guarded(runShow, *options); });

  CLI::App* add = group->add_subcommand(
      "add",
      "add a macro whose events are read from standard input in the form \"show\" prints "
      "(the set is created when missing)");
  addFolderOption(*add, *options);
  add->add_option("SET", options->set, "macro set name")->required();
  add->add_option("MACRO", options->macro, "macro name")->required();
  add->add_option("--play-count", options->playCount, "runs per button press, 1..255 (default 1)");
  add->callback([options] { guarded(runAdd, *options); });

  CLI::App* remove =
      group->add_subcommand("remove", "remove a macro, or a whole set with all its macros");
  addFolderOption(*remove, *options);
  remove->add_option("SET", options->set, "macro set name")->required();
  remove->add_option("MACRO", options->macro, "macro name (leave out to remove the set)");
  remove->callback([options] { guarded(runRemove, *options); });
}

}  // namespace veskctl
