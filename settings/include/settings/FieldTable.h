#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/SettingsImage.h"

// The named fields of the settings image: where each lives, its type and its
// read default in the settings files. The profile table is also the list of
// keys of a profile file, in the order they are written.
namespace settings {

enum class FieldScope { Global, Profile, Slot };
enum class FieldType {
  Int,     // 32-bit signed
  Byte,    // unsigned 8-bit, stored in files as its value 0..255
  UInt16,  // unsigned 16-bit
  Int16,   // signed 16-bit
  Text,    // NUL-terminated text in a fixed buffer of `size` bytes
  Struct,  // bytes stored whole in the files' struct form
};

struct FieldInfo {
  std::string name;
  FieldScope scope;
  FieldType type;
  std::size_t offset;  // from the start of the image, profile or slot
  std::size_t size;
  std::int32_t readDefault = -1;  // for Int and Byte keys of the files
};

// Global fields in config.ini order: the seven integers, then "InfoData".
std::span<const FieldInfo> globalFields();
// The 92 keys of a profile file, in file order.
std::span<const FieldInfo> profileFields();
// The parts of a button slot that have names.
std::span<const FieldInfo> slotFields();
// Any field by name (case-insensitive); nullptr when unknown.
const FieldInfo* findField(std::string_view name);

// Address of the field in the image for profile p and slot b (ignored where
// the scope does not use them); nullptr when p or b is out of range.
unsigned char* fieldAddress(SettingsImage& image, const FieldInfo& field, int p = 0, int b = 0);
const unsigned char* fieldAddress(const SettingsImage& image, const FieldInfo& field, int p = 0,
                                  int b = 0);

// Reads and writes of a single field from raw field bytes.
std::int64_t fieldInteger(const unsigned char* at, FieldType type);
void setFieldInteger(unsigned char* at, FieldType type, std::int64_t value);
bool isIntegerType(FieldType type);

// The field's value as text: integers in decimal, text as it is, structs in
// upper-case hex.
std::string fieldValueText(const unsigned char* at, const FieldInfo& field);
// Parses and stores a value given as text (integers in decimal and in range
// of the type, text cut to the field, structs as hex of exactly the field's
// size). False with a reason in `error` when the text does not fit.
bool setFieldValueText(unsigned char* at, const FieldInfo& field, std::string_view text,
                       std::string& error);

}  // namespace settings
