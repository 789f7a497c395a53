// veskctl timers: the timer list of a program folder, with the rules of the
// Configuration program's timer dialogs.
#include <iostream>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "CommandSupport.h"
#include "Commands.h"
#include "option/TimerList.h"

namespace veskctl {

// Each group's helpers have a namespace of their own: the groups are
// compiled as one unit.
namespace timer_group {
namespace {

using option::TimerList;

struct TimerOptions {
  std::string folder;
  bool json = false;
  std::string name;
  int seconds = 0;
};

[[noreturn]] void fail(const std::string& message) { failCommand("veskctl timers", message); }

std::string timerFile(const TimerOptions& o) {
  return TimerList::filePath(programFolderOption(o.folder));
}

void save(const TimerList& list, const std::string& path) {
  if (!list.save(path)) fail("could not write " + path);
}

void runList(const TimerOptions& o) {
  TimerList list;
  list.load(timerFile(o));
  if (o.json) {
    nlohmann::ordered_json timers = nlohmann::ordered_json::array();
    for (const option::TimerRecord& record : list.timers())
      timers.push_back({{"name", TimerList::nameOf(record)}, {"seconds", record.seconds}});
    std::cout << nlohmann::ordered_json{{"timers", timers}}.dump(2) << "\n";
    return;
  }
  for (const option::TimerRecord& record : list.timers())
    std::cout << TimerList::nameOf(record) << "\t" << record.seconds << "\n";
}

void runAdd(const TimerOptions& o) {
  const std::string path = timerFile(o);
  TimerList list;
  list.load(path);
  const TimerList::Refusal refusal = list.add(o.name, o.seconds);
  if (refusal != TimerList::Refusal::None) fail(TimerList::describe(refusal));
  save(list, path);
}

void runRemove(const TimerOptions& o) {
  const std::string path = timerFile(o);
  TimerList list;
  list.load(path);
  const std::optional<int> position = list.find(o.name);
  if (!position) fail("no timer \"" + TimerList::trimmed(o.name) + "\"");
  list.remove(*position);
  save(list, path);
}

void addFolderOption(CLI::App& cmd, TimerOptions& o) {
  cmd.add_option("--folder", o.folder,
                 "program folder holding config/Timer.ini (default: veskctl's own folder)");
}

template <typename Run>
void guarded(Run run, const TimerOptions& o) {
  runGuarded("veskctl timers", run, o);
}

}  // namespace
}  // namespace timer_group

void addTimerCommands(CLI::App& app) {
  using namespace timer_group;
  auto options = std::make_shared<TimerOptions>();
  CLI::App* group = app.add_subcommand("timers", "read and edit the timers of a program folder");
  group->require_subcommand(1);

  CLI::App* list = group->add_subcommand("list", "print the timers, name and seconds");
  addFolderOption(*list, *options);
  list->add_flag("--json", options->json, "print the timers as JSON");
  list->callback([options] { guarded(runList, *options); });

  CLI::App* add = group->add_subcommand("add", "add a timer of 15..999 seconds under a new name");
  addFolderOption(*add, *options);
  add->add_option("NAME", options->name, "timer name, at most 24 characters")->required();
  add->add_option("SECONDS", options->seconds, "countdown length, 15..999")->required();
  add->callback([options] { guarded(runAdd, *options); });

  CLI::App* remove = group->add_subcommand("remove", "remove a timer (name in any letter case)");
  addFolderOption(*remove, *options);
  remove->add_option("NAME", options->name, "timer name")->required();
  remove->callback([options] { guarded(runRemove, *options); });
}

}  // namespace veskctl
