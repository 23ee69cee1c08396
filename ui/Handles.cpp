#include "ui/Handles.h"

#include <array>

namespace ui {
namespace {
// The runtime lives on the one user-interface thread.
std::array<long, static_cast<size_t>(HandleKind::Count)> g_counts{};
long g_failedReleases = 0;
}  // namespace

namespace detail {
void CountHandle(HandleKind kind, int delta) { g_counts[static_cast<size_t>(kind)] += delta; }
long FailedReleases() { return g_failedReleases; }
void NoteFailedRelease() { ++g_failedReleases; }
}  // namespace detail

LiveHandleCounts LiveHandles() {
    LiveHandleCounts c;
    c.windows = g_counts[static_cast<size_t>(HandleKind::Window)];
    c.menus = g_counts[static_cast<size_t>(HandleKind::Menu)];
    c.gdi = g_counts[static_cast<size_t>(HandleKind::Gdi)];
    c.dcs = g_counts[static_cast<size_t>(HandleKind::Dc)];
    c.metafiles = g_counts[static_cast<size_t>(HandleKind::Metafile)];
    c.imageLists = g_counts[static_cast<size_t>(HandleKind::ImageList)];
    return c;
}

long LiveHandleCount() { return LiveHandles().Total(); }

void MenuHandle::Reset(HMENU h) {
    if (h_) {
        if (!DestroyMenu(h_)) detail::NoteFailedRelease();
        detail::CountHandle(HandleKind::Menu, -1);
    }
    h_ = h;
    if (h_) detail::CountHandle(HandleKind::Menu, +1);
}

void OwnedDc::Reset(HDC h) {
    if (h_) {
        if (!DeleteDC(h_)) detail::NoteFailedRelease();
        detail::CountHandle(HandleKind::Dc, -1);
    }
    h_ = h;
    if (h_) detail::CountHandle(HandleKind::Dc, +1);
}

void EnhMetafile::Reset(HENHMETAFILE h) {
    if (h_) {
        if (!DeleteEnhMetaFile(h_)) detail::NoteFailedRelease();
        detail::CountHandle(HandleKind::Metafile, -1);
    }
    h_ = h;
    if (h_) detail::CountHandle(HandleKind::Metafile, +1);
}

}  // namespace ui
