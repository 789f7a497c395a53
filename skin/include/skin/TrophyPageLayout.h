#pragma once

// Where every control of the Trophy page sits, in the page's client pixels
// (774 x 312). The page builds its controls from these strings and the skin
// art generator draws its sheets from the same strings.
namespace skin::trophypage {

inline constexpr const char* kPreviousView = "BUTTON_PreStat,17,12,20,20,";
inline constexpr const char* kNextView = "BUTTON_NextStat,214,12,20,20,";
inline constexpr const char* kPreviousTrophy = "BUTTON_PreTrophy,264,131,36,36,";
inline constexpr const char* kNextTrophy = "BUTTON_NextTrophy,473,131,36,36,";
inline constexpr const char* kShare = "BUTTON_ShareTrophy,320,277,233,22,";
inline constexpr const char* kReset = "BUTTON_TrophyReset,666,277,91,22,";
inline constexpr const char* kLevelBar = "Progress bar,537,34,220,34,";
inline constexpr const char* kLevelArea = "Progress bar,540,70,230,20,";
// The trophy shown by Pre/Next, and the row of all thirteen under the bar.
inline constexpr const char* kShownTrophy = "Trophy,312,64,150,150,";
inline constexpr int kIconSize = 30;
inline constexpr int iconX(int trophy) { return 531 + 33 * (trophy % 7); }
inline constexpr int iconY(int trophy) { return trophy < 7 ? 112 : 150; }
// The name of the view between the two view buttons.
inline constexpr const char* kViewTitle = "View,40,12,172,20,";
// The reset confirmation (304 x 240).
inline constexpr const char* kConfirmOk = "BUTTON_OK,72,200,56,24,";
inline constexpr const char* kConfirmCancel = "BUTTON_CANCEL,136,200,100,24,";
inline constexpr const char* kConfirmExit = "BUTTON_EXIT,274,3,26,22,";

// Names of the thirteen trophies, shown under the trophy and on its picture.
inline constexpr const char* kTrophyNames[13] = {
    "Switcher",      "Shifter",       "Commander",   "Clicker",         "Rapid Fire",
    "Click Legend",  "Explorer",      "Marathon",    "World Traveller", "Scroller",
    "Wheel Spinner", "Scroll Master", "Grand Master"};

}  // namespace skin::trophypage
