#include "app/core/frmMDIParent.h"

frmMDIParent::frmMDIParent() {
    SetCaption(L"Zorvik");
    SetStartUpPosition(2);
    Move(0, 0, 14400, 10800);
}
