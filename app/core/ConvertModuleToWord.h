#pragma once
// Tools > Convert to Word: the whole open module as one Word document in the module folder, with
// its pages' numbers in the footer, made by the word processor registered as "Word.Application".

class frmMDIChild;

// Works on the editor's hidden print control. Failures (no word processor, a page that cannot be
// loaded, a failed save) are told in a message naming the cause; the old document then stays as it
// was and no temporary file is left.
void ConvertModuleToWord(frmMDIChild& editor);
// The same on the active editor; nothing without one.
void ConvertModuleToWord();
