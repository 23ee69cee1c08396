#include "components/textcontrol/win32/tests/TxWinTest.h"
