#pragma once
// Movie Attributes: whether the page's Flash or Windows Media movie is stretched to its box, and
// the pixel size of a Shockwave movie's box. It works on the players the editor hosts; the fit
// chosen reaches the page through the placeholder's name, which OK rewrites.

#include <functional>
#include <string>

#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/PictureBox.h"
#include "ui/TextBox.h"
#include "ui/activex/ActiveXControl.h"

namespace tx {
class TextEngine;
}

// The movie of the page being edited, as the editor hosts it. At most one player is set; none
// when the page has no movie.
struct MovieOnPage {
    ui::ActiveXControl* objSWF = nullptr;    // Flash
    ui::ActiveXControl* objDir = nullptr;    // Shockwave
    ui::ActiveXControl* objVideo = nullptr;  // Windows Media
    ui::PictureBox* objExt = nullptr;        // the container the player sits in
    bool* DirtyFlag = nullptr;               // the editor's
    // The placeholder the movie is shown for, in the editing control's document (0: none).
    tx::TextEngine* engine = nullptr;
    int placeholder = 0;
    // The player takes the container's new size (the editor's handler of a container resize).
    std::function<void()> refit;
};

class frmMoviePropertiesDlg : public ui::Form {
public:
    ui::Label Label1{this, L"Label1"};
    ui::TextBox Text1{this, L"Text1"};
    ui::Frame frm3D{this, L"frm3D"};
    ui::Label lblWidth{this, L"lblWidth"};
    ui::TextBox txtWidth{this, L"txtWidth"};
    ui::Label lblHeight{this, L"lblHeight"};
    ui::TextBox txtHeight{this, L"txtHeight"};
    ui::ControlArray<ui::Label> lblMeasurement{this, L"lblMeasurement"};
    ui::Frame Frame1{this, L"Frame1"};
    ui::CheckBox Check1{this, L"Check1"};
    ui::CommandButton btnOK{this, L"btnOK"};
    ui::CommandButton btnCancel{this, L"btnCancel"};

    // Set before the dialog is shown.
    MovieOnPage movie;

    frmMoviePropertiesDlg();

    void Form_Load() override;
    void btnOK_Click();
    void btnCancel_Click();
    void Form_Unload(int& Cancel) override;

private:
    bool dirtyBefore_ = false;
    bool applied_ = false;
    std::wstring title_;
};
