#pragma once
// A form that shows every control kind of the runtime, for looking at them (ui_gallery.exe) and
// for a test that opens it and saves a picture of it.

#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Image.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/Line.h"
#include "ui/ListBox.h"
#include "ui/Menu.h"
#include "ui/OptionButton.h"
#include "ui/PictureBox.h"
#include "ui/ScrollBar.h"
#include "ui/Shape.h"
#include "ui/StatusBar.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"
#include "ui/Timer.h"
#include "ui/Toolbar.h"

namespace ui {

class frmGallery : public Form {
public:
    MenuItem mnuFile{this, L"mnuFile", L"&File"};
    MenuItem mnuFile_Close{mnuFile, L"mnuFile_Close", L"&Close"};
    MenuItem mnuView{this, L"mnuView", L"&View"};
    MenuItem mnuView_Status{mnuView, L"mnuView_Status", L"&Status Bar"};
    Toolbar Toolbar1{this, L"Toolbar1"};
    StatusBar StatusBar1{this, L"StatusBar1"};
    Label Label1{this, L"Label1"};
    TextBox Text1{this, L"Text1"};
    TextBox Text2{this, L"Text2"};
    CommandButton btnOK{this, L"btnOK"};
    CommandButton btnCancel{this, L"btnCancel"};
    CheckBox Check1{this, L"Check1"};
    Frame Frame1{this, L"Frame1"};
    ControlArray<OptionButton> optKind{this, L"optKind"};
    ComboBox Combo1{this, L"Combo1"};
    ComboBox Combo2{this, L"Combo2"};
    ListBox List1{this, L"List1"};
    PictureBox Picture1{this, L"Picture1"};
    Line Line1{this, L"Line1"};
    Shape Shape1{this, L"Shape1"};
    Shape Shape2{this, L"Shape2"};
    Image Image1{this, L"Image1"};
    HScrollBar HScroll1{this, L"HScroll1"};
    VScrollBar VScroll1{this, L"VScroll1"};
    Frame fraTabs{this, L"fraTabs"};
    TabStrip TabStrip1{this, L"TabStrip1"};
    Timer Timer1{this, L"Timer1"};
    ImageList ImageList1{16, 16};
    int ticks = 0;

    frmGallery();
    void Form_Load() override;

private:
    void UpdateStatus();
};

}  // namespace ui
