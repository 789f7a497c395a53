#pragma once

#include <string>

// The seventeen languages of the help texts, by language index (the image's
// `QuickHelpLan`). The list order is also the order of the language chooser.
namespace option {

inline constexpr int kLanguageCount = 17;
inline constexpr int kEnglish = 1;

// Index 0..16 as it is; anything else is English.
inline constexpr int shownLanguage(int index) {
  return index >= 0 && index < kLanguageCount ? index : kEnglish;
}

// "Danish", "English", ... the stem of the language's help file.
const char* languageStem(int index);
// The language's own name, as the chooser lists it.
const char* languageDisplayName(int index);
// "help/<Stem>_help.ini", relative to the program folder.
std::string helpFileName(int index);

}  // namespace option
