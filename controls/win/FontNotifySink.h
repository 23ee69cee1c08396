#pragma once
// Tells its owner when a font object's properties change (the font's property notifications).

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <functional>

namespace palvex {

class FontNotifySink {
public:
    explicit FontNotifySink(std::function<void()> onChanged);
    FontNotifySink(const FontNotifySink&) = delete;
    FontNotifySink& operator=(const FontNotifySink&) = delete;
    ~FontNotifySink();
    // Follows this font from now on (null: none).
    void Watch(IUnknown* font);

private:
    class Sink;
    Sink* sink_;
    Microsoft::WRL::ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

}  // namespace palvex
