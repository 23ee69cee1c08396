#pragma once
// "Font Filters Advanced": edits a pitch-and-family filter code. The code applied is what the
// dialog answers; the boxes show an edited code until it is applied or reset.

#include <cstdint>
#include <functional>

#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/OptionButton.h"

namespace palvex {

class frmFilterSettings : public ui::Form {
public:
    ui::Label Label2{this, L"Label2"};
    ui::ControlArray<ui::OptionButton> Option1{this, L"Option1"};
    ui::Label Label1{this, L"Label1"};
    ui::ControlArray<ui::CheckBox> Check1{this, L"Check1"};
    ui::CommandButton cmdReset{this, L"cmdReset"};

    frmFilterSettings();

    void ResetFilters();
    void Apply();
    bool Changed() const { return changed_; }
    void SetChanged(bool value);
    int32_t FilterCode() const { return applied_; }
    void SetFilterCode(int32_t code);
    // The code the boxes show now.
    int32_t EditedCode() const { return edited_; }

    // Events.
    std::function<void()> Change;
    std::function<void()> Reset;

    void Form_Load() override;
    void Check1_Click(int Index);
    void Option1_Click(int Index);
    void cmdReset_Click();

    // The value each family box adds to the code, by index.
    static constexpr int32_t kFamilyValues[6] = {0, 48, 80, 64, 32, 16};

private:
    void ShowCode(int32_t code, bool applied);
    int32_t ReadControls() const;
    void Raise(const std::function<void()>& event);

    int32_t applied_ = 0;
    int32_t edited_ = 0;
    bool changed_ = false;
    bool guard_ = false;  // the dialog is setting its own boxes: their clicks are no edits
};

}  // namespace palvex
