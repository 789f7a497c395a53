#pragma once

// Where everything of the Firmware updater's windows sits. The updater builds
// its controls from these strings and the skin art generator draws its sheets
// from the same strings.
namespace skin::updater {

// The updater window.
inline constexpr int kWidth = 525;
inline constexpr int kHeight = 274;
inline constexpr const char* kExit = "BUTTON_EXIT,497,4,22,22,";
inline constexpr const char* kProgress = "BUTTON_Progress,43,181,436,17,";
// Texts drawn over the face, in 14-pixel Arial.
inline constexpr int kTextSize = 14;
inline constexpr int kDeviceVersionX = 8;
inline constexpr int kUpdaterVersionX = 377;
inline constexpr int kVersionY = 251;
// The firmware file's name: (95, 131)-(360, 147).
inline constexpr int kFileNameLeft = 95;
inline constexpr int kFileNameTop = 131;
inline constexpr int kFileNameRight = 360;
inline constexpr int kFileNameBottom = 147;

// The four small dialogs share one size and one set of places; each shows
// only the buttons it has.
inline constexpr int kDialogWidth = 400;
inline constexpr int kDialogHeight = 190;
inline constexpr const char* kDialogExit = "BUTTON_EXIT,372,6,22,22,";
inline constexpr const char* kDialogOk = "BUTTON_OK,112,144,80,26,";
inline constexpr const char* kDialogCancel = "BUTTON_CANCEL,208,144,80,26,";
// A dialog with OK alone has it in the middle.
inline constexpr const char* kDialogOkAlone = "BUTTON_OK,160,144,80,26,";

}  // namespace skin::updater
