#pragma once
// The classic constants by their classic names, so that ported code reads as it was written.
// MsgBox styles and results, common-dialog flags and mouse-pointer numbers equal the Win32 values.

namespace ui {

// Show
inline constexpr int vbModeless = 0;
inline constexpr int vbModal = 1;

// MsgBox buttons, icons, default button
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;
inline constexpr int vbApplicationModal = 0;
inline constexpr int vbSystemModal = 4096;

// MsgBox results
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// QueryUnload modes
inline constexpr int vbFormControlMenu = 0;
inline constexpr int vbFormCode = 1;
inline constexpr int vbAppWindows = 2;
inline constexpr int vbAppTaskManager = 3;
inline constexpr int vbFormMDIForm = 4;
inline constexpr int vbFormOwner = 5;

// Window state
inline constexpr int vbNormal = 0;
inline constexpr int vbMinimized = 1;
inline constexpr int vbMaximized = 2;

// Check box values
inline constexpr int vbUnchecked = 0;
inline constexpr int vbChecked = 1;
inline constexpr int vbGrayed = 2;

// Mouse pointer
inline constexpr int vbDefault = 0;
inline constexpr int vbArrow = 1;
inline constexpr int vbIbeam = 3;
inline constexpr int vbHourglass = 11;

// Mouse buttons and shift states
inline constexpr int vbLeftButton = 1;
inline constexpr int vbRightButton = 2;
inline constexpr int vbMiddleButton = 4;
inline constexpr int vbShiftMask = 1;
inline constexpr int vbCtrlMask = 2;
inline constexpr int vbAltMask = 4;

// Key codes used by the program's key handlers
inline constexpr int vbKeyBack = 8;
inline constexpr int vbKeyTab = 9;
inline constexpr int vbKeyReturn = 13;
inline constexpr int vbKeyEscape = 27;
inline constexpr int vbKeySpace = 32;
inline constexpr int vbKeyPageUp = 33;
inline constexpr int vbKeyPageDown = 34;
inline constexpr int vbKeyEnd = 35;
inline constexpr int vbKeyHome = 36;
inline constexpr int vbKeyLeft = 37;
inline constexpr int vbKeyUp = 38;
inline constexpr int vbKeyRight = 39;
inline constexpr int vbKeyDown = 40;
inline constexpr int vbKeyDelete = 46;
inline constexpr int vbKeyF1 = 112;

// Alignment
inline constexpr int vbLeftJustify = 0;
inline constexpr int vbRightJustify = 1;
inline constexpr int vbCenter = 2;

// Align (toolbar, status bar, picture box)
inline constexpr int vbAlignNone = 0;
inline constexpr int vbAlignTop = 1;
inline constexpr int vbAlignBottom = 2;
inline constexpr int vbAlignLeft = 3;
inline constexpr int vbAlignRight = 4;

// Combo box styles
inline constexpr int vbComboDropdown = 0;
inline constexpr int vbComboSimple = 1;
inline constexpr int vbComboDropdownList = 2;

// Printer orientation
inline constexpr int vbPRORPortrait = 1;
inline constexpr int vbPRORLandscape = 2;

// Common dialog flags used by the program (same values as the Win32 flags)
inline constexpr long cdlOFNReadOnly = 0x1;
inline constexpr long cdlOFNOverwritePrompt = 0x2;
inline constexpr long cdlOFNHideReadOnly = 0x4;
inline constexpr long cdlOFNPathMustExist = 0x800;
inline constexpr long cdlOFNFileMustExist = 0x1000;
inline constexpr long cdlOFNExplorer = 0x80000;
inline constexpr long cdlCCRGBInit = 0x1;
inline constexpr long cdlCFScreenFonts = 0x1;
inline constexpr long cdlCFEffects = 0x100;
inline constexpr long cdlPDPageNums = 0x2;
inline constexpr long cdlPDNoSelection = 0x4;
inline constexpr long cdlPDReturnDC = 0x100;
inline constexpr long cdlPDHidePrintToFile = 0x100000;

// Colours (0xBBGGRR); system colours have the high bit set
inline constexpr unsigned long vbBlack = 0x000000;
inline constexpr unsigned long vbWhite = 0xFFFFFF;
inline constexpr unsigned long vbRed = 0x0000FF;
inline constexpr unsigned long vbGreen = 0x00FF00;
inline constexpr unsigned long vbBlue = 0xFF0000;
inline constexpr unsigned long vbButtonFace = 0x8000000F;
inline constexpr unsigned long vbWindowBackground = 0x80000005;
inline constexpr unsigned long vbWindowText = 0x80000008;
inline constexpr unsigned long vbButtonText = 0x80000012;

// Shape kinds
inline constexpr int vbShapeRectangle = 0;
inline constexpr int vbShapeSquare = 1;
inline constexpr int vbShapeOval = 2;
inline constexpr int vbShapeCircle = 3;
inline constexpr int vbShapeRoundedRectangle = 4;
inline constexpr int vbShapeRoundedSquare = 5;

}  // namespace ui
