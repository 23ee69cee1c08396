#pragma once
// Owners for the handles the controls keep: GDI objects and DCs (the forms runtime's owners), BSTRs
// and VARIANTs.

#include <windows.h>
#include "com/ComHandles.h"
#include "ui/Handles.h"

namespace palvex {

// GDI objects and device contexts are owned as the forms runtime owns them.
using ui::Bitmap;
using ui::Brush;
using ui::Font;
using ui::GdiObject;
using ui::Pen;
using ui::SelectIn;
using MemoryDC = ui::OwnedDc;
using WindowDC = ui::WindowDc;

// BSTRs and VARIANTs are owned as the COM plumbing owns them.
using zvcom::Bstr;
using zvcom::Variant;

}  // namespace palvex
