#pragma once

// Where every control of the Configuration program's main window sits. The
// main window builds its controls from these strings and the skin art
// generator draws its sheets from the same strings.
namespace skin::mainwindow {

inline constexpr int kWidth = 800;
inline constexpr int kHeight = 600;

inline constexpr const char* kTabs[6] = {
    "Main,7,79,121,37,Main settings for the selected device",
    "Button Assign,130,79,159,37,Assign a function to each mouse button",
    "Advanced,291,79,153,37,Advanced settings for the selected device",
    "Color,446,79,129,37,Color Setting",
    "Trophy,577,79,72,37,Color Setting",
    "Update,651,79,142,37,Check for the lastest driver update"};

inline constexpr const char* kCreate =
    "Create,290,450,110,25,Create a new profile for the selected profile slot";
inline constexpr const char* kLoad =
    "Load,430,450,110,25,Load a new profile for the selected profile slot";
inline constexpr const char* kSave =
    "Save,560,450,110,25,Save the current setting of the selected profile slot";
inline constexpr const char* kEdit =
    "Edit,685,450,110,25,Edit the profile settings of the selected profile slot";

inline constexpr const char* kProfileTabs[5] = {
    "Profile 1,8, 485,155,25,Click here to activate profile slot #1",
    "Profile 2,165, 485,155,25,Click here to activate profile slot #2",
    "Profile 3,322, 485,155,25,Click here to activate profile slot #3",
    "Profile 4,479, 485,156,25,Click here to activate profile slot #4",
    "Profile 5,637, 485,155,25,Click here to activate profile slot #5"};
inline constexpr const char* kProfileNames[5] = {
    "Profile 1 name,31,  514,101,21,Profile assigned to profile slot #1",
    "Profile 2 name,190,  514,101,21,Profile assigned to profile slot #2",
    "Profile 3 name,347,  514,101,21,Profile assigned to profile slot #3",
    "Profile 4 name,504,  514,101,21,Profile assigned to profile slot #4",
    "Profile 5 name,662,  514,101,21,Profile assigned to profile slot #5"};
// Two buttons per slot share this place: the marker off (sheets face, hover,
// pressed, disabled) and the marker on (sheets pressed, pressed, pressed, disabled).
inline constexpr const char* kWindowsProfile[5] = {
    "windows profile,139, 514,22,22,", "windows profile,296, 514,22,22,",
    "windows profile,453, 514,22,22,", "windows profile,611, 514,22,22,",
    "windows profile,769, 514,22,22,"};
inline constexpr const char* kProfileColors[5] = {
    "Profile 1 Color,8,514,23,23,", "Profile 2 Color,167,514,23,23,",
    "Profile 3 Color,324,514,23,23,", "Profile 4 Color,481,514,23,23,",
    "Profile 5 Color,639,514,23,23,"};
// The five colour-flow animations of each slot lie one pixel left of its indicator.
inline constexpr const char* kProfileColorFlows[5] = {
    "Profile 1 Color,7,514,23,23,", "Profile 2 Color,166,514,23,23,",
    "Profile 3 Color,323,514,23,23,", "Profile 4 Color,480,514,23,23,",
    "Profile 5 Color,638,514,23,23,"};

inline constexpr const char* kLanguage = "button language,12, 570,32,17,Select language";
inline constexpr const char* kMinimize = "Min,749, 4,22,22,Minimize the application";
inline constexpr const char* kExit =
    "Exit,771, 4,22,22,Close the application without saving the changes to the device";
inline constexpr const char* kOk =
    "OK,582,563,58,30,Save the setting on the device and close the application";
inline constexpr const char* kApply = "Apply,640,563,72,30,Apply the setting to the device";
inline constexpr const char* kCancel =
    "Cancel,712,563,80,30,Close the application without saving the changes to the device";
inline constexpr const char* kPagePosition = "Page position,12,124,774,312,";
// The edition badge in the header, shown only for a mouse of type 1 (cut
// from the pressed sheet; the face leaves the place empty).
inline constexpr const char* kMouseType = "Mouse type,272,37,44,17,";
// The strip in which the main window shows the shared help text.
inline constexpr const char* kQuickHelp = "Quick help,54,566,516,24,";

// Version texts painted by the window (14-pixel "Arial").
inline constexpr int kSoftwareVersionX = 260, kSoftwareVersionY = 12;
inline constexpr int kFirmwareVersionX = 360, kFirmwareVersionY = 12;

}  // namespace skin::mainwindow
