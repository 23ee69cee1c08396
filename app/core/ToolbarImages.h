#pragma once
// The frame toolbar's button pictures, drawn at run time: 16 by 16 pixels, one per command key.

#include <string>

namespace ui {
class ImageList;
}

// Draws the picture of a toolbar key into the image list; returns its 1-based index (0 for a key
// without a picture).
int AddToolbarImage(ui::ImageList& images, const std::wstring& key);
