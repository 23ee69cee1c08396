#include "app/core/AppState.h"

#include <memory>

namespace {
std::unique_ptr<AppState>& Instance() {
    static std::unique_ptr<AppState> state = std::make_unique<AppState>();
    return state;
}
}  // namespace

AppState& App() { return *Instance(); }

void ResetAppState() {
    Instance() = std::make_unique<AppState>();
}

void TellAuthor(const std::wstring& prompt) {
    if (App().ShowMessage) App().ShowMessage(prompt);
}
