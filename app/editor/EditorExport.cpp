// The module beyond the editor: as a word-processor document (ConvertModuleToWord, in
// app/core/ConvertModuleToWord.cpp), and as the player shows it.
#include "app/assessment/frmPreviewDlg.h"
#include "app/core/DialogCommands.h"
#include "ui/Constants.h"

// One preview at a time: a preview already open keeps the module it opened with and comes forward.
void ShowPlayerPreview() { ui::Forms::Get<frmPreviewDlg>().Show(ui::vbModeless); }
