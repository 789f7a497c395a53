#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "mousesim/MouseMemory.h"
#include "mousesim/MouseModel.h"

namespace mousesim {

// The on-device memory as JSON (reports as hex strings), for the state file.
nlohmann::json memoryToJson(const MouseMemory& memory);
// nullopt (and a reason in *error) when the JSON does not describe a memory.
std::optional<MouseMemory> memoryFromJson(const nlohmann::json& json, std::string* error);

// Loads the state file; a missing file gives the factory memory, a broken
// one gives nullopt and a reason.
std::optional<MouseMemory> loadStateFile(const std::string& path, std::string* error);
// Writes atomically (temporary file, then rename).
bool saveStateFile(const std::string& path, const MouseMemory& memory, std::string* error);

// What `ctl state --json` shows: the mouse's state decoded for people.
nlohmann::json describeModel(const MouseModel& model);

}  // namespace mousesim
