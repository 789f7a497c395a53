#pragma once

// Layout strings of the small popup windows of the main window whose art the
// skin generator draws: the Windows-profile confirmation and the language
// list. Sizes and sheet numbers are in SkinResourceIds.h.
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

}  // namespace skin::dialogs
