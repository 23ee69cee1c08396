#include "app/core/frmMDIParent.h"

#include "app/core/FILE.h"
#include "app/core/PageControl.h"
#include "app/core/SharedCommands.h"
#include "app/editor/frmMDIChild.h"

frmMDIParent::frmMDIParent() {
    SetCaption(L"Zorvik");
    SetStartUpPosition(2);
    Move(0, 0, 14400, 10800);

    struct Key {
        const wchar_t* key;
        const wchar_t* caption;
    } keys[] = {{L"Open", L"Open"},          {L"Save", L"Save"},          {L"Print", L"Print"},
                {L"Previous", L"Previous"},  {L"Next", L"Next"},          {L"insert_B", L"Insert Before"},
                {L"insert_A", L"Insert After"}, {L"Del_Page", L"Delete Page"}};
    for (const auto& k : keys) Toolbar1.AddButton(k.key, k.caption).SetToolTipText(k.caption);
    Toolbar1.ButtonClick = [this](ui::ToolbarButton& Button) { Toolbar1_ButtonClick(Button); };
    TXButtonBar1.SetAlign(1);  // top, under the toolbar
    TXButtonBar1.SetHeight(420);
    TXStatusBar1.SetAlign(2);  // bottom
    TXStatusBar1.SetHeight(330);
}

frmMDIParent::~frmMDIParent() = default;

void frmMDIParent::Form_Load() {
    UpdateToolbar();
    if (!CommandLineText.empty()) RunCommand([this] { OpenModuleFile(CommandLineText); });
}

void frmMDIParent::Toolbar1_ButtonClick(ui::ToolbarButton& Button) {
    const std::wstring key = Button.Key();
    RunCommand([&] {
        if (key == L"Open") {
            OpenModuleFile(L"");
        } else if (key == L"Save") {
            SaveCurrentPage();
        } else if (key == L"Print") {
            PrintModule(RequireEditor().prtTXTextControl2, CmDialog1);
        } else if (key == L"Previous") {
            GoToPreviousPage();
        } else if (key == L"Next") {
            GoToNextPage();
        } else if (key == L"Del_Page") {
            DeleteCurrentPage();
        } else if (key == L"insert_B") {
            InsertPage(1);
        } else if (key == L"insert_A") {
            InsertPage(2);
        }
    });
}

frmMDIChild& frmMDIParent::NewEditorWindow() {
    for (auto& editor : editors_) {
        if (!editor->IsLoaded()) {
            editor->Load();
            return *editor;
        }
    }
    editors_.push_back(std::make_unique<frmMDIChild>());
    editors_.back()->Load();
    return *editors_.back();
}

void frmMDIParent::SetPageStatusText(const std::wstring& text) { TXStatusBar1.SetText(text); }
std::wstring frmMDIParent::PageStatusText() const { return TXStatusBar1.Text(); }
