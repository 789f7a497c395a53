#pragma once

#include <string>

// Where the programs find their skin pictures.
//
// Numbered bitmaps live in the program folder as "skin/<number>.png" (for
// example build/suite/skin/216.png), the sheets of the Configuration
// program's first paint as "skin/<number>.bmp"; cursors are numbered pictures too, with
// the hot spot given here. Pictures the programs name by file ("Gif\01.gif",
// "wave\double_click.bmp") keep their own names under the program folder.
// The skin art generator (vesk-skinart) writes every one of them, and the
// windows load them through SkinResources.
namespace skin::res {

// Shared pieces.
inline constexpr int kPageMask = 216;       // 774 x 312, white where a page is cut away
inline constexpr int kThumbSmall = 252;     // 14 x 20 slider thumb
inline constexpr int kThumbLarge = 253;     // 17 x 21 slider thumb
inline constexpr int kThumbLargeAlt = 525;  // 17 x 21 slider thumb, second colour
inline constexpr int kThumbDpi = 394;       // 15 x 5 thumb of the DPI rows
inline constexpr int kHandCursor = 426;     // hand cursor
inline constexpr int kHandCursorHotX = 6;
inline constexpr int kHandCursorHotY = 1;
inline constexpr int kColorDots = 549;  // 23 x 23 background of a colour indicator

// Main window of the Configuration program (800 x 600). The face is also its
// shape: pure white outside the outline is cut away.
inline constexpr int kMainFace = 1100;
inline constexpr int kMainHover = 1101;
inline constexpr int kMainPressed = 1102;  // also the lit state of the Windows-profile marker
inline constexpr int kMainDisabled = 1103;
// Language flags: three pictures (normal, hover, pressed) per language index.
inline constexpr int kLanguageFlagBase = 1200;
inline constexpr int kLanguageCount = 17;
inline constexpr int languageFlag(int language, int state) {
  return kLanguageFlagBase + language * 3 + state;
}

// Main page (774 x 312, the page position of the main window). The face is
// also the normal and disabled picture of every control and the slider
// backgrounds; the page is shaped by the shared page mask.
inline constexpr int kMainPageHover = 303;
inline constexpr int kMainPagePressed = 304;
inline constexpr int kMainPageFace = 305;

// The sheets the Configuration program paints first, in the order its start
// decodes them. They are kept uncompressed: the start waits for them, and
// reading them takes a fifth of the time inflating them would.
inline constexpr int kFirstPaintSheets[] = {kMainFace,  kMainPressed,     kMainPageFace,
                                            kPageMask,  kMainPagePressed, kMainPageHover,
                                            kMainHover, kMainDisabled};

inline std::string bitmapPath(int number) {
  for (int sheet : kFirstPaintSheets)
    if (sheet == number) return "skin/" + std::to_string(number) + ".bmp";
  return "skin/" + std::to_string(number) + ".png";
}

// Button Assign page (774 x 312): face for the right hand and for the left
// hand, hover, pressed and disabled sheets; the bars' two sets of 158 x 17
// pictures (normal, hover, pressed, disabled): fixed slots and assignable ones.
inline constexpr int kButtonPageFace = 247;
inline constexpr int kButtonPageFaceLeftHanded = 306;
inline constexpr int kButtonPageHover = 244;
inline constexpr int kButtonPageDisabled = 245;
inline constexpr int kButtonPagePressed = 246;
inline constexpr int kFixedBarNormal = 415, kFixedBarHover = 412, kFixedBarPressed = 414,
                     kFixedBarDisabled = 413;
inline constexpr int kAssignableBarNormal = 419, kAssignableBarHover = 416,
                     kAssignableBarPressed = 418, kAssignableBarDisabled = 417;
// Its 60 highlight pictures (188 x 240): the mouse with one button lit.
// Pictures 0..11 are the normal layer's buttons; 12..59 the Dual-Shift
// layer's, in four groups by which of buttons 4 and 5 shift the layer: 4 only,
// 5 only, both, neither. The left-handed drawings are at 2500 + picture.
inline constexpr int kButtonHighlightWidth = 188;
inline constexpr int kButtonHighlightHeight = 240;
inline constexpr int kButtonHighlightCount = 60;
inline constexpr int kButtonHighlightLeftHandedBase = 2500;
inline constexpr int buttonHighlight(int picture, bool leftHanded) {
  constexpr int kFirst24[24] = {367, 368, 369, 370, 371, 372, 366, 457, 456, 382, 383, 384,
                                429, 430, 431, 432, 433, 434, 428, 463, 462, 441, 442, 443};
  if (leftHanded) return kButtonHighlightLeftHandedBase + picture;
  return picture < 24 ? kFirst24[picture] : 2400 + picture;
}

// Advanced page (774 x 312): face (also the normal pictures and the slider
// backgrounds), hover, pressed (also the disabled check boxes) and a fourth
// sheet drawn in the disabled state.
inline constexpr int kAdvancedPageHover = 240;
inline constexpr int kAdvancedPageDisabled = 241;
inline constexpr int kAdvancedPagePressed = 242;
inline constexpr int kAdvancedPageFace = 243;

// Color page (774 x 312): face (also the normal pictures and the radio
// members' disabled ones), hover, pressed (also the disabled check boxes) and
// the swatches' disabled sheet; the 18 x 18 marks of zones 0..3, drawn at
// (274,38); the 248 x 312 mouse previews with zone 0..3 highlighted.
inline constexpr int kColorPageHover = 453;
inline constexpr int kColorPagePressed = 454;
inline constexpr int kColorPageFace = 455;
inline constexpr int kColorPageDisabled = 489;
inline constexpr int kZoneMarks[4] = {459, 458, 392, 393};
inline constexpr int kZonePreviews[4] = {385, 386, 387, 381};

// Trophy page (774 x 312): face, hover and pressed sheets; the level bar
// (220 x 34, drawn full, shown in part); the thirteen trophies earned and
// locked (150 x 150, trophy t at base + t - 1); the reset confirmation
// (304 x 240, same buttons as the Windows-profile confirmation).
inline constexpr int kTrophyPageFace = 1400;
inline constexpr int kTrophyPageHover = 1401;
inline constexpr int kTrophyPagePressed = 1402;
inline constexpr int kLevelBar = 1403;
inline constexpr int kTrophyEarnedBase = 1410;
inline constexpr int kTrophyLockedBase = 1430;
inline constexpr int kTrophyPictureSize = 150;
inline constexpr int kTrophyResetDialogFace = 1460;
inline constexpr int kTrophyResetDialogHover = 1461;
inline constexpr int kTrophyResetDialogPressed = 1462;

// Update page (774 x 312): face, hover and pressed sheets.
inline constexpr int kUpdatePageFace = 1500;
inline constexpr int kUpdatePageHover = 1501;
inline constexpr int kUpdatePagePressed = 1502;

// Windows-profile confirmation dialog (304 x 240): face, hover and pressed
// sheets; the face is also its shape (pure white is cut away) and carries
// the wording.
inline constexpr int kWindowsProfileDialogFace = 1300;
inline constexpr int kWindowsProfileDialogHover = 1301;
inline constexpr int kWindowsProfileDialogPressed = 1302;
inline constexpr int kWindowsProfileDialogWidth = 304;
inline constexpr int kWindowsProfileDialogHeight = 240;

// Language list popup (99 x 289, opened with its bottom on the language
// button's top): face, hover and pressed sheets with the seventeen entries
// drawn in; the face is also its shape.
inline constexpr int kLanguageListFace = 1310;
inline constexpr int kLanguageListHover = 1311;
inline constexpr int kLanguageListPressed = 1312;
inline constexpr int kLanguageListWidth = 99;
inline constexpr int kLanguageListHeight = 289;

// The Configuration program's small dialogs: each has a face at its number
// (also its shape: pure white is cut away, and it carries the wording), the
// hover sheet at +1, the pressed sheet at +2 and the disabled sheet at +3.
// Their layout strings and sizes are in SmallDialogLayouts.h.
inline constexpr int kMacroSetNameDialog = 1320;
inline constexpr int kDeleteMacroSetDialog = 1324;
inline constexpr int kDeleteMacroDialog = 1328;
inline constexpr int kDeleteTimerDialog = 1332;
inline constexpr int kNoMacroSetNoticeDialog = 1336;
inline constexpr int kNoMacroNoticeDialog = 1340;
inline constexpr int kMacroFullNoticeDialog = 1344;
inline constexpr int kCountdownDialog = 1348;
inline constexpr int kLiftOffTestDialog = 1352;
// The key combination dialog's face is the named picture below; its numbers
// hold the hover, pressed and disabled sheets (and, at the base, a PNG copy
// of the face that gives the exact shape).
inline constexpr int kKeyCombinationDialog = 1356;
inline constexpr const char* kKeyCombinationFace = "Key_Assignment_normal.jpg";
inline constexpr int kProfileDialog = 1360;
inline constexpr int kProgramPathDialog = 1364;
inline constexpr int kPlayerDialog = 1368;
inline constexpr int kNewTimerDialog = 1372;
inline constexpr int kEditTimersDialog = 1376;
inline constexpr int kDialogDisabledOffset = 3;

// The Configuration program's notices for the Button Assign page, the timers
// and the profile files (304 x 210, OK and close), numbered like the small
// dialogs above; those that name a file or a reason have it written at run
// time in skin::dialogs::kNoticeDetail.
inline constexpr int kNoProgramNoticeDialog = 1800;
inline constexpr int kProgramPathTooLongNoticeDialog = 1804;
inline constexpr int kTimersFullNoticeDialog = 1808;
inline constexpr int kNoTimersNoticeDialog = 1812;
inline constexpr int kTimersNotSavedNoticeDialog = 1816;
inline constexpr int kTimerRefusedNoticeDialog = 1820;
inline constexpr int kProfileNotSavedNoticeDialog = 1824;
inline constexpr int kProfileNotLoadedNoticeDialog = 1828;
inline constexpr int kProfileFileReservedNoticeDialog = 1832;

// Sensor calibration wizard (525 x 360): face, hover and pressed sheets at
// +0..+2, and two sheets of lit step indicators (the start step; the later
// steps). Its panels (440 x 180; face, and hover and pressed at +1 and +2 for
// those with buttons) and the 15-second confirmation (360 x 272) likewise.
inline constexpr int kCalibrationWizardFace = 1700;
inline constexpr int kCalibrationStepStart = 1703;
inline constexpr int kCalibrationStepRunning = 1704;
inline constexpr int kCalibrationStartPanel = 1710;
inline constexpr int kCalibrationProgressPanel = 1713;
inline constexpr int kCalibrationRetryPanel = 1714;
inline constexpr int kCalibrationSuccessPanel = 1717;
inline constexpr int kCalibrationConfirm = 1720;
// The Advanced page's factory reset confirmation (304 x 210): face, hover and
// pressed at +0..+2; its wording is on the face.
inline constexpr int kFactoryResetDialog = 1725;

// Firmware updater (in FWUpdate/skin/): its window (525 x 274; the face is
// also its shape) and its four dialogs (400 x 190), each with a face, a hover
// and a pressed sheet.
inline constexpr int kUpdaterFace = 5100;
inline constexpr int kUpdaterHover = 5101;
inline constexpr int kUpdaterPressed = 5102;
inline constexpr int kConfirmFace = 5110;  // OK, Cancel, Exit
inline constexpr int kNoticeFace = 5120;   // OK, Exit
inline constexpr int kSuccessFace = 5130;  // OK
inline constexpr int kFailureFace = 5140;  // OK
// Hover and pressed sheets of a dialog follow its face.
inline constexpr int kDialogHoverOffset = 1;
inline constexpr int kDialogPressedOffset = 2;

// Pictures named by file, relative to the program folder.
inline constexpr const char* kProgressAnimation = "Gif\\ProgressbarAnimation.gif";  // 128 x 15
inline constexpr const char* kLevelAnimationFormat = "Gif\\%02d.gif";  // 01..13, 220 x 34
inline constexpr int kLevelCount = 13;
inline constexpr const char* kColorFlowAnimations[5] = {
    "Gif\\ColorFlow-Animation_all-together.gif", "Gif\\ColorFlow-Animation_down-up.gif",
    "Gif\\ColorFlow-Animation_up-down.gif", "Gif\\ColorFlow-Animation_right-left.gif",
    "Gif\\ColorFlow-Animation_left-right.gif"};                               // 23 x 23 each
inline constexpr const char* kDoubleClickPicture = "wave\\double_click.bmp";  // 42 x 23
// The clip the double-click test plays once; an animated GIF on this platform.
inline constexpr const char* kDoubleClickClip = "wave\\double_click.gif";
inline constexpr const char* kDoubleClickSound = "wave\\double_click.wav";

}  // namespace skin::res
