#pragma once

// The macro manager: its window, the key-sequence list panel and the
// timeline panel placed at the editor rectangle, with their pictures.
namespace skin::macromanager {

inline constexpr int kWidth = 720;
inline constexpr int kHeight = 468;
inline constexpr const char* kCaption = "Vesk Slim Macro Manager";

inline constexpr const char* kOk = "BUTTON_OK,539,430,56,26,";
inline constexpr const char* kCancel = "BUTTON_Cancel,605,430,100,26,";
inline constexpr const char* kExit = "BUTTON_Exit,686,4,22,22,";
inline constexpr const char* kSetSelector = "BUTTON_combox_macro_select,16,75,196,23,";
inline constexpr const char* kNew = "BUTTON_New,15,430,71,26,";
inline constexpr const char* kDelete = "BUTTON_Delete,89,431,96,26,";
inline constexpr const char* kSwitchEditor = "BUTTON_Switch_editor,219,430,197,25,";
inline constexpr const char* kMacroList = "BUTTON_List_MacroName,19,98,189,302,";
inline constexpr const char* kEditorPlace = "CHILD_POS,215,50,490,365,";

// List editor panel (490 x 365, client pixels of the panel).
inline constexpr const char* kStartRecord = "BUTTON_Start_Record,263,57,133,23,";
inline constexpr const char* kDelaySwitch = "BUTTON_Delay_ON_OFF,262,97,150,23,";
inline constexpr const char* kPlayCountSwitch = "BUTTON_LoopTimes_ON_OFF,262,164,120,15,";
inline constexpr const char* kPlayCountEdit = "Edit_Times,284,184,30,15,";
inline constexpr const char* kKeySequenceList = "BUTTON_List_key_sequence,6,49,234,301,";

// Timeline editor panel: its face is the named picture.
inline constexpr const char* kAddBar = "BUTTON_ADD,4,330,30,20,";
inline constexpr const char* kDeleteBar = "BUTTON_DELETE,34,330,30,20,";
inline constexpr const char* kZoomIn = "BUTTON_ZOOM_IN,457,1,22,20,";
inline constexpr const char* kZoomOut = "BUTTON_ZOOM_OUT,435,1,22,20,";
inline constexpr const char* kTimelineFace = "macro_adjust_normal.jpg";
// Where the panel draws: key names left of the time axis, the axis itself
// (380 pixels) and the scroll bars.
inline constexpr int kLabelWidth = 80;
inline constexpr int kAxisLeft = 84;
inline constexpr int kRulerTop = 22;

inline constexpr int kPanelWidth = 490;
inline constexpr int kPanelHeight = 365;

// Sheets: face, hover, pressed, disabled of the window and of the list panel;
// the timeline panel's hover and pressed sheets (its face is kTimelineFace);
// the record button while recording (its own size, normal and hover).
inline constexpr int kWindowFace = 1600, kWindowHover = 1601, kWindowPressed = 1602,
                     kWindowDisabled = 1603;
inline constexpr int kListPanelFace = 1604, kListPanelHover = 1605, kListPanelPressed = 1606,
                     kListPanelDisabled = 1607;
inline constexpr int kTimelineHover = 1608, kTimelinePressed = 1609, kTimelineDisabled = 1610;
inline constexpr int kRecordingNormal = 1611, kRecordingHover = 1612;

}  // namespace skin::macromanager
