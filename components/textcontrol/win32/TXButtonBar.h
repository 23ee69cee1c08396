#pragma once
// The paragraph button bar: alignment, indent and list buttons that act on the paragraphs of the
// bound text control's selection and show their state.

#include <vector>

#include "components/textcontrol/win32/ToolWindow.h"

namespace tx {

class TXButtonBar : public ToolWindow {
public:
    enum class Button { AlignLeft, AlignCenter, AlignRight, Justify, IndentLess, IndentMore, Bullets, Numbering };
    static constexpr int kIndentStep = 360;  // twips one indent button adds or removes

    TXButtonBar(ui::Form* form, std::wstring name);
    // The button's rectangle in client pixels.
    RECT ButtonRect(Button b) const;
    // Shown pressed: the state of the selection's paragraphs.
    bool IsPressed(Button b) const;
    // What a click on the button does.
    void Press(Button b);

protected:
    void Draw(HDC dc) override;
    bool PictureChanged() const override { return Compose() != drawn_; }
    void OnMouse(UINT msg, POINT pt) override;

private:
    // What the bar shows: whether it acts on a control, and which buttons are pressed.
    struct Picture {
        bool enabled = false;
        std::vector<bool> pressed;
        bool operator==(const Picture&) const = default;
    };
    Picture Compose() const;
    Picture drawn_;
};

}  // namespace tx
