// The control gallery opens with every control kind and is saved as a picture.

#include <windows.h>

#include <set>
#include <string>

#include "base/Files.h"
#include "ui/gallery/GalleryShot.h"
#include "ui/gallery/frmGallery.h"
#include "ui/testing/UiTest.h"

namespace ui::testing {
namespace {

TEST_F(UiTest, GalleryShowsEveryControlKindAndSavesAPicture) {
    frmGallery g;
    g.Show();
    for (int i = 0; i < 5; ++i) DoEvents();
    std::set<std::string> kinds;
    for (Control* c : g.Controls()) {
        ASSERT_TRUE(c->IsCreated()) << Utf8(c->Name());
        if (!c->IsWindowless()) {
            EXPECT_TRUE(IsWindowVisible(c->hWnd())) << Utf8(c->Name());
        }
        std::string type = typeid(*c).name();
        kinds.insert(type);
    }
    EXPECT_GE(kinds.size(), 17u) << "label, text, button, check, option, frame, combo, list, picture, two scroll bars, "
                                     "line, shape, image, tab strip, toolbar, status bar, timer";
    const std::wstring path = L"ui_gallery_test.bmp";
    ASSERT_TRUE(SaveWindowPicture(g.hWnd(), path));
    std::string bytes = zv::ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    std::set<unsigned> colours;
    for (size_t i = 54; i + 2 < bytes.size(); i += 3 * 97)
        colours.insert(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]) << 16);
    EXPECT_GT(colours.size(), 4u) << "the picture shows the controls, not one flat colour";
}

}  // namespace
}  // namespace ui::testing
