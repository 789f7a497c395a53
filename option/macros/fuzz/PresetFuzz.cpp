// libFuzzer target for the macro preset file reader. Properties checked on
// every input:
//  - loading never crashes and stays within its bounds (sets, records,
//    names cut to their fields, event counts read as 0..500);
//  - saving what was loaded and loading it again gives the same sets.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "macros/MacroLibrary.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

std::string scratchPath(const char* name) {
  return "/tmp/vesk-preset-fuzz-" + std::to_string(::getpid()) + "-" + name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input = scratchPath("in.dat");
  const std::string output = scratchPath("out.dat");
  std::ofstream(input, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  macros::MacroLibrary library;
  check(library.load(input));
  check(library.setCount() <= 1000);
  for (const macros::MacroSet& set : library.sets()) {
    check(set.name.size() <= macros::MacroLibrary::kMaxSetNameLength);
    check(set.macros.size() <= 1000);
    for (const macros::MacroRecord& record : set.macros) {
      check(::strnlen(record.Name, sizeof record.Name) < sizeof record.Name);
      check(record.eventCount() >= 0 && record.eventCount() <= macros::kMaxEvents);
    }
  }

  // Everything marked changed, so the copy holds every set's section.
  macros::MacroLibrary copy = library;
  for (int i = 0; i < copy.setCount(); ++i) copy.markChanged(i);
  std::remove(output.c_str());
  if (copy.save(output)) {
    macros::MacroLibrary again;
    check(again.load(output));
    check(again.setCount() == copy.setCount());
  }
  std::remove(input.c_str());
  std::remove(output.c_str());
  return 0;
}
