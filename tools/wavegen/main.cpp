// Generates the Monitor's feedback sounds (Wave/Volume/*.wav) as canonical
// 16-bit PCM wave files: spoken when espeak-ng is given and works, chimes
// otherwise.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>

#include "SoundCatalog.h"
#include "SpeechSynth.h"
#include "ToneSynth.h"
#include "WaveFile.h"

int main(int argc, char** argv) {
  CLI::App app{"vesk-wavegen: writes the Monitor's feedback sound files"};
  std::string outDir;
  std::string speechProgram;
  app.add_option("folder", outDir, "Folder to write the .wav files into (created)")->required();
  app.add_option("--speech", speechProgram,
                 "espeak-ng program used to speak the words of each sound; chimes when absent");
  CLI11_PARSE(app, argc, argv);

  std::filesystem::create_directories(outDir);
  const wavegen::SpeechSynth speech(speechProgram);
  const std::string scratch = outDir + "/.speech-scratch.wav";
  int spoken = 0;
  for (const auto& spec : wavegen::SoundCatalog::all()) {
    std::vector<std::int16_t> samples;
    if (!speechProgram.empty() && !spec.words.empty()) {
      if (auto voice = speech.speak(spec.words, scratch)) {
        samples = std::move(*voice);
        ++spoken;
      }
    }
    if (samples.empty()) samples = spec.chime(spec.argument);
    if (!wavegen::WaveFile::write(outDir + "/" + spec.fileName, samples,
                                  wavegen::ToneSynth::kSampleRate)) {
      std::cerr << "vesk-wavegen: cannot write " << outDir << "/" << spec.fileName << "\n";
      return 1;
    }
  }
  if (!speechProgram.empty() && spoken == 0)
    std::cerr << "vesk-wavegen: " << speechProgram << " did not speak; wrote chimes\n";
  return 0;
}
