#pragma once

// Where every control of the Update page sits, in the page's client pixels
// (774 x 312). The page builds its controls from these strings and the skin
// art generator draws its sheets from the same strings. Two buttons share the
// name "BUTTON_Support_Form": the upper opens the form, the lower the mail.
namespace skin::updatepage {

inline constexpr const char* kButtons[5] = {
    "BUTTON_update,15,81,200,34,", "BUTTON_help,405,81,200,34,",
    "BUTTON_Email_Request,10,265,100,30,", "BUTTON_Support_Form,400,210,100,30,",
    "BUTTON_Support_Form,400,265,100,30,"};
inline constexpr int kFirmwareLabelX = 146;
inline constexpr int kFirmwareLabelY = 182;
inline constexpr int kSoftwareLabelX = 163;
inline constexpr int kSoftwareLabelY = 209;

}  // namespace skin::updatepage
