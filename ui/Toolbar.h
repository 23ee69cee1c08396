#pragma once
// Toolbar: buttons found by their key, each with a caption, tool tip, image (1-based in the
// image list), style, enabled, visible and pressed state. ButtonClick hands over the button.
// It docks at the top of its form unless told otherwise.

#include <memory>
#include <vector>

#include "ui/Control.h"

namespace ui {

class ImageList;
class Toolbar;

inline constexpr int tbrDefault = 0;
inline constexpr int tbrCheck = 1;
inline constexpr int tbrButtonGroup = 2;
inline constexpr int tbrSeparator = 3;
inline constexpr int tbrPlaceholder = 4;

class ToolbarButton {
public:
    const std::wstring& Key() const { return key_; }
    int Index() const;  // 1-based
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring v);
    const std::wstring& ToolTipText() const { return toolTip_; }
    void SetToolTipText(std::wstring v) { toolTip_ = std::move(v); }
    int Image() const { return image_; }
    void SetImage(int v);
    int Style() const { return style_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Value() const { return value_; }  // pressed (check and group styles)
    void SetValue(bool v);
    const std::wstring& Tag() const { return tag_; }
    void SetTag(std::wstring v) { tag_ = std::move(v); }
    int CommandId() const { return command_; }

private:
    friend class Toolbar;
    Toolbar* owner_ = nullptr;
    int command_ = 0;
    std::wstring key_, caption_, toolTip_, tag_;
    int image_ = 0, style_ = 0;
    bool enabled_ = true, visible_ = true, value_ = false;
};

class Toolbar : public Control {
public:
    Toolbar(Form* form, std::wstring name);
    ~Toolbar() override;
    ToolbarButton& AddButton(const std::wstring& key, const std::wstring& caption = L"", int style = tbrDefault, int image = 0);
    void RemoveButton(const std::wstring& key);
    ToolbarButton& Buttons(const std::wstring& key);  // an unknown key is an error
    ToolbarButton& Buttons(int index);                // 1-based
    ToolbarButton* FindButton(const std::wstring& key);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    void SetImageList(ImageList* images);
    std::function<void(ToolbarButton& Button)> ButtonClick;

    bool CanTakeFocus() const override { return false; }
    void OnCommandFull(int id, int code) override { OnButtonCommand(id); }
    bool OnNotify(NMHDR* hdr, LRESULT& result) override;
    void OnButtonCommand(int command);
    long Height() const;

    // Used by ToolbarButton.
    void SyncButton(ToolbarButton& b);

protected:
    void CreateKindWindow() override;
    void AfterCreate() override;

private:
    void InsertNative(size_t position);
    std::vector<std::unique_ptr<ToolbarButton>> buttons_;
    ImageList* images_ = nullptr;
    int nextCommand_ = 1;
};

}  // namespace ui
