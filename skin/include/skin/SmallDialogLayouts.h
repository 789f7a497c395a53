#pragma once

// Layout strings of the small popup windows whose art the skin generator
// draws: the Windows-profile confirmation, the language list and the small
// dialogs that ask for names, paths, keys and confirmations. Sheet numbers
// are in SkinResourceIds.h.
namespace skin::dialogs {

// Windows-profile confirmation: its wording is part of its face.
inline constexpr const char* kWindowsProfileOk = "BUTTON_OK,72,200,56,24,";
inline constexpr const char* kWindowsProfileCancel = "BUTTON_CANCEL,136,200,100,24,";
inline constexpr const char* kWindowsProfileExit = "BUTTON_EXIT,274,3,26,22,";

// Language list: one entry per language index 0..16, in that order; the
// names are drawn on the sheets.
inline constexpr const char* kLanguageEntries[17] = {
    "L1,3,17,93,13,",   "L2,3,34,93,13,",   "L3,3,50,93,13,",   "L4,3,66,93,13,",
    "L5,3,82,93,13,",   "L6,3,98,93,13,",   "L7,3,114,93,13,",  "L8,3,130,93,13,",
    "L9,3,146,93,13,",  "L10,3,162,93,13,", "L11,3,178,93,13,", "L12,3,194,93,13,",
    "L13,3,210,93,13,", "L14,3,226,93,13,", "L15,3,242,93,13,", "L16,3,258,93,13,",
    "L17,3,274,93,13,"};
// The list opens this far above the language button's top, at its left edge.
inline constexpr int kLanguageListAbove = 289;

// A small dialog's picture size.
struct DialogSize {
  int width;
  int height;
};

// Macro set name: one entry of 24 characters.
inline constexpr DialogSize kMacroSetNameSize{304, 210};
inline constexpr const char* kMacroSetNameEdit = "EDIT_MACRO_SET_NAME,58,100,186,18,";
inline constexpr const char* kMacroSetNameOk = "BUTTON_OK,72,170,56,24,";
inline constexpr const char* kMacroSetNameCancel = "BUTTON_CANCEL,136,170,100,24,";
inline constexpr const char* kMacroSetNameExit = "BUTTON_EXIT,274,3,26,22,";

// Confirmations before deleting a macro set or a macro, and the macro
// manager's notices (which have no Cancel).
inline constexpr DialogSize kConfirmSize{304, 210};
inline constexpr const char* kConfirmOk = "BUTTON_OK,72,170,56,24,";
inline constexpr const char* kConfirmCancel = "BUTTON_CANCEL,136,170,100,24,";
inline constexpr const char* kConfirmExit = "BUTTON_EXIT,274,3,26,22,";

// Where a notice writes the file or reason it names, on the notice's own
// drawn panel.
inline constexpr const char* kNoticeDetail = "Notice detail,22,116,260,38,";

// Confirmation before deleting a timer.
inline constexpr DialogSize kDeleteTimerSize{300, 200};
inline constexpr const char* kDeleteTimerOk = "OK,72,160,55,28,";
inline constexpr const char* kDeleteTimerCancel = "BUTTON_CANCEL,136,160,100,28,";
inline constexpr const char* kDeleteTimerExit = "BUTTON_EXIT,275,3,22,22,";

// The 30-second countdown confirmation: the remaining seconds are drawn as
// "%d sec" in kCountdownText, over the bar.
inline constexpr DialogSize kCountdownSize{360, 272};
inline constexpr const char* kCountdownAccept = "Accept,157,239,140,23,";
inline constexpr const char* kCountdownCancel = "Cancel,54,239,93,23,";
inline constexpr const char* kCountdownExit = "Exit,332,4,25,21,";
inline constexpr const char* kCountdownBar = "Countdown bar,54,140,243,12,";
inline constexpr int kCountdownText[4] = {184, 109, 284, 129};  // left, top, right, bottom

// Lift-off test progress.
inline constexpr DialogSize kLiftOffTestSize{362, 290};
inline constexpr const char* kLiftOffTestOk = "BUTTON_OK,25,148,120,35,";
inline constexpr const char* kLiftOffTestCancel = "BUTTON_CANCEL,130,237,100,40,";
inline constexpr const char* kLiftOffTestExit = "BUTTON_EXIT,330,2,30,28,";
inline constexpr const char* kLiftOffTestProgress = "Progress bar,26,108,128,15,";

// Key combination: the key's name (read-only) and the five modifier check
// buttons in the order None, Shift, Ctrl, Alt, Win.
inline constexpr DialogSize kKeyCombinationSize{458, 206};
inline constexpr const char* kKeyCombinationName = "EDIT_MACRO_SET_NAME,295,102,77,18,";
inline constexpr const char* kKeyCombinationFlags[5] = {"None,20,102,55,18,", "Shift,80,102,50,18,",
                                                        "Ctrl,134,102,46,18,", "Alt,234,102,36,18,",
                                                        "Win,183,102,46,18,"};
inline constexpr const char* kKeyCombinationOk = "BUTTON_OK,14,162,60,30,";
inline constexpr const char* kKeyCombinationCancel = "BUTTON_CANCEL,78,162,100,30,";
inline constexpr const char* kKeyCombinationExit = "BUTTON_EXIT,430,4,25,22,";

// Profile name and the three game paths with their browse buttons.
inline constexpr DialogSize kProfileSize{520, 350};
inline constexpr const char* kProfileName = "EDIT_PROFILE_NAME,120,78,182,15,";
inline constexpr const char* kProfileGames[3] = {"EDIT_PATH_TOEXECUTEABLE,35,137,265,15,",
                                                 "EDIT_PATH_TOEXECUTEABLE,35,157,265,15,",
                                                 "EDIT_PATH_TOEXECUTEABLE,35,177,265,15,"};
inline constexpr const char* kProfileBrowse[3] = {
    "BUTTON_BROWER,304,136,23,17,", "BUTTON_BROWER,304,156,23,17,", "BUTTON_BROWER,304,176,23,17,"};
inline constexpr const char* kProfileOk = "BUTTON_OK,14,310,60,26,";
inline constexpr const char* kProfileCancel = "BUTTON_CANCEL,78,310,100,26,";
inline constexpr const char* kProfileExit = "BUTTON_Exit,494,3,22,22,";

// Program path of a Quicklaunch button.
inline constexpr DialogSize kProgramPathSize{304, 240};
inline constexpr const char* kProgramPathEntry = "Gaming path to executeable,27,88,227,15,";
inline constexpr const char* kProgramPathBrowse = "browser1,256,86,24,20,";
inline constexpr const char* kProgramPathOk = "BUTTON_OK,72,200,56,24,";
inline constexpr const char* kProgramPathCancel = "BUTTON_CANCEL,136,200,100,24,";
inline constexpr const char* kProgramPathExit = "BUTTON_EXIT,274,3,26,22,";

// "Select Player": one radio button per media player, in MediaOption order.
inline constexpr DialogSize kPlayerSize{304, 240};
inline constexpr const char* kPlayerChoices[4] = {
    "PLAYER_0,40,62,224,22,", "PLAYER_1,40,88,224,22,", "PLAYER_2,40,114,224,22,",
    "PLAYER_3,40,140,224,22,"};
inline constexpr const char* kPlayerOk = "BUTTON_OK,72,200,56,24,";
inline constexpr const char* kPlayerCancel = "BUTTON_CANCEL,136,200,100,24,";
inline constexpr const char* kPlayerExit = "BUTTON_EXIT,274,3,26,22,";

// New timer: name and seconds.
inline constexpr DialogSize kNewTimerSize{520, 350};
inline constexpr const char* kNewTimerName = "EDIT_PROFILE_NAME,116,90,182,15,";
inline constexpr const char* kNewTimerSeconds = "EDIT_SPIN,115,163,45,19,";
inline constexpr const char* kNewTimerOk = "BUTTON_OK,14,310,60,26,";
inline constexpr const char* kNewTimerCancel = "BUTTON_CANCEL,78,310,100,26,";
inline constexpr const char* kNewTimerExit = "BUTTON_Exit,494,3,22,22,";

// Edit timers: the timer selector, name, seconds, Save and Delete.
inline constexpr DialogSize kEditTimersSize{520, 350};
inline constexpr const char* kEditTimersList = "LIST_TIMER,115,86,186,20,";
inline constexpr const char* kEditTimersName = "EDIT_PROFILE_NAME,116,140,182,15,";
inline constexpr const char* kEditTimersSeconds = "EDIT_SPIN,115,193,45,19,";
inline constexpr const char* kEditTimersSave = "BUTTON_SAVE,226,190,114,24,";
inline constexpr const char* kEditTimersDelete = "BUTTON_DELETE,350,190,124,24,";
inline constexpr const char* kEditTimersOk = "BUTTON_OK,14,310,60,26,";
inline constexpr const char* kEditTimersCancel = "BUTTON_CANCEL,78,310,100,26,";
inline constexpr const char* kEditTimersExit = "BUTTON_Exit,494,3,22,22,";

}  // namespace skin::dialogs
