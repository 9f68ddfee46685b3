// The names each translated window looks up in the language file: the keys a language file
// must provide.
#pragma once
#include <string_view>

namespace velmora {


inline constexpr std::string_view kAskNames[] = {
    "frmAsk",      "pnlBackground", "pnlLocale",           "pnlPassword", "lblPassword",
    "pnlMessage",  "lblLeaveMessage", "chkPermanentMessage", "btnOK",     "btnCancel",
    "pnlCapsLock", "edtPassword",   "memMessage",
};

inline constexpr std::string_view kConfigNames[] = {
    "frmConfig",       "pnlBackground",  "tstCommon",      "pnlPassword",   "lblOldPassword",
    "lblNewPassword",  "lblConfirmation", "pnlSpeed",      "lblSpeed",      "lblSpeedValue",
    "pnlAutoRun",      "chkAutoRun",     "tstMessage",     "pnlMessage",    "chkAllowMessages",
    "tstAppearance",   "pnlFontBevel",   "pnlFont",        "chkItalic",     "chkBold",
    "pnlColors",       "lblLight",       "lblSurface",     "lblShadow",     "lblBackground",
    "tstAbout",        "pnlDescription", "lblCopyright",   "lblKELMAR",     "lblCopyrightPeriod",
    "lblProgramming",  "lblOrinTassel",  "lblLastUpdated", "lblDescription", "btnTest",
    "btnOK",           "btnCancel",      "btnApply",       "edtOldPassword", "edtNewPassword",
    "edtConfirmation", "cbxFontName",    "edtFontSize",    "pgcPageControl", "trbSpeed",
    "memMessage",      "udnFontSize",    "cbxLight",       "cbxSurface",    "cbxShadow",
    "cbxBackground",   "memDescription",
};

inline constexpr std::string_view kInstallWizardNames[] = {
    "frmInstallWizard", "pnlBackground", "pnlInstall", "lblReadMe", "chkCreateDesktopShortcut",
    "btnInstall",       "btnCancel",     "btnPreview", "memReadMe",
};

inline constexpr std::string_view kUninstallMessageIds[] = {
    "msgUninstallCaption",
    "msgUninstallQuery",
};

}  // namespace velmora
