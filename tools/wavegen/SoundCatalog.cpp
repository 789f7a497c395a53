#include "SoundCatalog.h"

#include "ToneSynth.h"

namespace wavegen {
namespace {

constexpr double C5 = 523.25, E5 = 659.25, G5 = 783.99, A5 = 880.0, C6 = 1046.5, E6 = 1318.5,
                 G6 = 1568.0;

std::vector<std::int16_t> countPips(int count) {
  ToneSynth s;
  for (int i = 0; i < count; ++i) {
    s.note(988, 90);
    s.rest(60);
  }
  return s.samples();
}

std::vector<std::int16_t> tenSeconds(int) {
  ToneSynth s;
  s.note(660, 300);
  s.rest(80);
  s.note(660, 300);
  return s.samples();
}

std::vector<std::int16_t> go(int) {
  ToneSynth s;
  s.chord({C6, E6, G6}, 700, 0.9);
  return s.samples();
}

std::vector<std::int16_t> arpeggio(int rising) {
  ToneSynth s;
  const std::vector<double> notes =
      rising ? std::vector<double>{C5, E5, G5, C6} : std::vector<double>{G5, E5, C5};
  for (double f : notes) s.note(f, 120);
  return s.samples();
}

std::vector<std::int16_t> sweep(int up) {
  ToneSynth s;
  if (up)
    s.glide(500, 900, 260);
  else
    s.glide(900, 500, 260);
  return s.samples();
}

std::vector<std::int16_t> twoStep(int up) {
  ToneSynth s;
  s.note(up ? A5 : E6, 110);
  s.note(up ? E6 : A5, 160);
  return s.samples();
}

// Profile k is announced by k notes climbing a major scale.
std::vector<std::int16_t> profileNotes(int count) {
  static constexpr double kLadder[] = {C5, 587.33, E5, 698.46, G5};
  ToneSynth s;
  for (int i = 0; i < count; ++i) {
    s.note(kLadder[i], 150);
    s.rest(30);
  }
  return s.samples();
}

std::vector<std::int16_t> windowsProfile(int) {
  ToneSynth s;
  s.note(G5, 100);
  s.note(C6, 100);
  s.chord({C5, E5, G5}, 400);
  return s.samples();
}

std::vector<std::int16_t> trophy(int every) {
  ToneSynth s;
  for (double f : {G5, C6, E6}) s.note(f, 130);
  s.chord({C6, E6, G6}, every ? 900 : 600, 0.9);
  if (every) {
    s.note(G6, 150);
    s.chord({C6, E6, G6, 2093.0}, 1000, 0.9);
  }
  return s.samples();
}

// A DPI level: one low note per thousand, then one short high pip per hundred.
std::vector<std::int16_t> dpiLevel(int dpi) {
  ToneSynth s;
  for (int i = 0; i < dpi / 1000; ++i) {
    s.note(440, 150);
    s.rest(50);
  }
  for (int i = 0; i < dpi % 1000 / 100; ++i) {
    s.note(1320, 70);
    s.rest(40);
  }
  return s.samples();
}

const char* const kNumberWords[] = {"one", "two", "three", "four", "five"};

}  // namespace

std::vector<SoundSpec> SoundCatalog::all() {
  std::vector<SoundSpec> specs = {
      {"go.wav", "go", go},
      {"1_second.wav", "one second", countPips, 1},
      {"2_seconds.wav", "two seconds", countPips, 2},
      {"3_seconds.wav", "three seconds", countPips, 3},
      {"4_seconds.wav", "four seconds", countPips, 4},
      {"5_seconds.wav", "five seconds", countPips, 5},
      {"10_seconds.wav", "ten seconds", tenSeconds},
      {"timer_stopped.wav", "timer stopped", arpeggio, 0},
      {"timer_activated.wav", "timer activated", arpeggio, 1},
      {"sens_up.wav", "sensitivity up", sweep, 1},
      {"sens_down.wav", "sensitivity down", sweep, 0},
      {"volume_up.wav", "volume up", twoStep, 1},
      {"volume_down.wav", "volume down", twoStep, 0},
      {"windows_profile.wav", "windows profile", windowsProfile},
      {"Trophy.wav", "", trophy, 0},
      {"Every_Trophy.wav", "", trophy, 1},
  };
  for (int k = 1; k <= 5; ++k)
    specs.push_back({"profile_" + std::string(kNumberWords[k - 1]) + ".wav",
                     "profile " + std::string(kNumberWords[k - 1]), profileNotes, k});
  for (int dpi = 100; dpi <= 6400; dpi += 100)
    specs.push_back({std::to_string(dpi) + ".wav", std::to_string(dpi) + " D P I", dpiLevel, dpi});
  return specs;
}

}  // namespace wavegen
