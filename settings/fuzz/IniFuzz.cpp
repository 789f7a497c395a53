// libFuzzer target for the INI text parser and the struct value form.
// Properties checked on every input:
//  - parsing and writing back an untouched file gives the same bytes;
//  - after setting a key, reading it gives the value back, the rest of the
//    file still parses, and lookups agree with those in a fresh parse;
//  - a struct value that decodes encodes back to the same digits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/IniDocument.h"
#include "settings/IniValue.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  settings::IniDocument document{std::string(input)};
  check(document.text() == input);

  // Lookups of the keys the settings files use, and of names taken from the input.
  (void)document.value("Setting", "ProFileName");
  (void)document.value("setting", "MACROKEYINFO0");
  const std::size_t split = size / 3;
  const std::string section(
      settings::storableText(input.substr(0, std::min<std::size_t>(split, 16))));
  const std::string key(
      settings::storableText(input.substr(split, std::min<std::size_t>(split, 16))));
  const std::string value(settings::storableText(input.substr(2 * split)));

  if (const auto text = document.value(section, key)) {
    (void)settings::parseProfileInt(*text);
    for (std::size_t n : {std::size_t{0}, std::size_t{5}, std::size_t{108},
                          (text->size() / 2) - (text->size() >= 2)}) {
      std::string bytes(n, '\0');
      if (settings::decodeStruct(*text, bytes.data(), n))
        check(settings::encodeStruct(bytes.data(), n) == upper(*text));
    }
  }

  // Names with brackets, '=' or leading ';' cannot be stored as keys; the
  // accessor is only ever given plain names.
  const bool plainName = [&](std::string_view s) {
    return !trimmed(s).empty() && s.find_first_of("[]=;\r\n") == std::string_view::npos;
  }(section) && [&](std::string_view s) {
    return !trimmed(s).empty() && s.find_first_of("[]=;\r\n") == std::string_view::npos;
  }(key);
  if (plainName) {
    document.setValue(section, key, value);
    const auto back = document.value(section, key);
    check(back.has_value() && *back == trimmed(value));
    settings::IniDocument reparsed(document.text());
    check(reparsed.text() == document.text());
    const auto again = reparsed.value(section, key);
    check(again.has_value() && *again == trimmed(value));
    // The lookup index kept in step with the edit finds what a fresh one finds.
    for (const std::string& name : {key, upper(key), std::string("ProFileName")})
      check(document.value(section, name) == reparsed.value(section, name));
  }

  (void)settings::parseProfileInt(input);
  return 0;
}
