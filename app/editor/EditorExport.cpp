// The module beyond the editor: as a word-processor document, and as the player shows it. Neither
// is part of the program yet: these do nothing until they are.
#include "app/core/DialogCommands.h"

void ConvertModuleToWord() {}
void ShowPlayerPreview() {}
