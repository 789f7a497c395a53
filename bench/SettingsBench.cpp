// LoadAll + SaveAll of a full program folder (five profiles, all 24 button
// slots holding 500-event macros) against copying the same files, printed as
// a ratio. Every round changes one value in each file, so SaveAll really
// writes all six files.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "settings/SettingsFiles.h"

namespace fs = std::filesystem;

namespace {

void fillFullImage(settings::SettingsImage& image) {
  image.CurrentProfile = 0;
  for (int p = 0; p < settings::kProfileCount; ++p) {
    settings::Profile& profile = image.Profiles[p];
    settings::ResetProfile(profile, p);
    for (int b = 0; b < settings::kSlotCount; ++b) {
      settings::ButtonSlot& slot = profile.MacroKeyInfo[b];
      slot.FunctionCode = 48;
      settings::setFieldText(slot.Name3, "Macro " + std::to_string(p) + "." + std::to_string(b));
      slot.EventCount = settings::kMaxMacroEvents;
      for (int e = 0; e < settings::kMaxMacroEvents; ++e) {
        slot.Events[e].Key = static_cast<std::uint8_t>(4 + (e + b) % 26);
        slot.Events[e].Action = static_cast<std::uint8_t>(1 + e % 2);
        slot.Events[e].setDelay(static_cast<std::uint16_t>(10 + e));
      }
    }
  }
}

// CPU time of this process (user and system), so that other work on a
// shared machine does not count.
double cpuMilliseconds() {
  timespec ts{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double wallMilliseconds() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Times {
  std::vector<double> cpu, wall;
  void measure(const auto& body) {
    const double cpuStart = cpuMilliseconds(), wallStart = wallMilliseconds();
    body();
    cpu.push_back(cpuMilliseconds() - cpuStart);
    wall.push_back(wallMilliseconds() - wallStart);
  }
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = std::max(1, argc > 1 ? std::atoi(argv[1]) : 50);
  // The folder to work in: the second argument, else the temporary folder.
  const std::string base = argc > 2 ? argv[2] : "/tmp";
  std::string pattern = base + "/vesk-settings-bench-XXXXXX";
  if (!::mkdtemp(pattern.data())) {
    std::fprintf(stderr, "cannot create a folder in %s\n", base.c_str());
    return 1;
  }
  const fs::path root = pattern;
  fs::create_directories(root / "home");
  ::setenv("XDG_CONFIG_HOME", (root / "home").c_str(), 1);  // keep the user's store untouched
  const std::string folder = (root / "suite").string() + "/";
  const std::string copyFolder = (root / "copy").string() + "/";
  fs::create_directories(folder);
  fs::create_directories(fs::path(copyFolder) / "config");

  const settings::SettingsFiles files(folder);
  auto image = std::make_unique<settings::SettingsImage>();
  fillFullImage(*image);
  if (!files.SaveAll(*image)) return 1;

  std::uintmax_t bytes = 0;
  std::vector<std::string> names = {"config.ini"};
  for (int p = 0; p < settings::kProfileCount; ++p)
    names.push_back("config/Default" + std::to_string(p) + ".nmp");
  for (const auto& name : names) bytes += fs::file_size(folder + name);

  // The three are interleaved round by round and their medians compared, so
  // that other work on the machine weighs on all of them alike.
  Times loadSave, unchanged, copy;
  for (int round = 0; round < rounds; ++round) {
    loadSave.measure([&] {
      files.LoadAll(*image);
      image->InfoData.Counters[0] = round;
      for (auto& profile : image->Profiles) profile.MediaOption = round % 2;
      files.SaveAll(*image);
    });
    unchanged.measure([&] {
      files.LoadAll(*image);
      files.SaveAll(*image);
    });
    copy.measure([&] {
      for (const auto& name : names)
        fs::copy_file(folder + name, copyFolder + name, fs::copy_options::overwrite_existing);
    });
  }

  std::printf("settings folder %s: 6 files, %ju bytes; %d rounds; medians in ms\n", folder.c_str(),
              bytes, rounds);
  std::printf("%-44s %10s %10s\n", "", "CPU time", "wall time");
  auto row = [](const char* what, const Times& t) {
    std::printf("%-44s %10.3f %10.3f\n", what, median(t.cpu), median(t.wall));
  };
  row("LoadAll + SaveAll, every file changed", loadSave);
  row("LoadAll + SaveAll, nothing changed", unchanged);
  row("copying the same files", copy);
  std::printf("ratio to the copy, every file changed: %.2fx CPU, %.2fx wall (target: within 3x)\n",
              median(loadSave.cpu) / median(copy.cpu), median(loadSave.wall) / median(copy.wall));
  std::printf("ratio to the copy, nothing changed:    %.2fx CPU, %.2fx wall\n",
              median(unchanged.cpu) / median(copy.cpu), median(unchanged.wall) / median(copy.wall));
  fs::remove_all(root);
  return 0;
}
