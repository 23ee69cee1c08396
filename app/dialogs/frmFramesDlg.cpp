#include "app/dialogs/frmFramesDlg.h"

#include <optional>

#include "app/dialogs/DecimalSeparator.h"
#include "app/dialogs/FrameRules.h"
#include "app/dialogs/RefuseEntry.h"
#include "base/Error.h"

namespace {

constexpr wchar_t kLineWidthName[] = L"Line Width";
constexpr wchar_t kTextDistanceName[] = L"Text Distance";

void Check(ui::CheckBox& box, bool on) { box.SetValue(on ? ui::vbChecked : ui::vbUnchecked); }
bool Checked(const ui::CheckBox& box) { return box.Value() == ui::vbChecked; }

// The twips a list's entry asks for: nullopt to leave the value alone (an empty box, or the value
// the dialog showed, untouched); throws zv::Error naming the box for an entry that is no number.
std::optional<int> EntryTwips(const ui::ComboBox& box, const ShownValue& shown, int minPoints, const wchar_t* name) {
    const std::wstring text = box.Text();
    if (shown.Untouched(text)) return std::nullopt;
    return FramePointsTwips(text, minPoints, LocaleDecimalSeparator(), name);
}

}  // namespace

frmFramesDlg::frmFramesDlg() {
    SetCaption(L"Paragraph Frames");
    SetBorderStyle(3);
    SetStartUpPosition(1);
    SetShowInTaskbar(false);
    SetClientSize(5280, 2760);

    fraParts.SetCaption(L"Parts:");
    fraParts.Move(120, 120, 2160, 2160);
    struct Box {
        ui::CheckBox& box;
        const wchar_t* caption;
    };
    const Box parts[] = {{chkLeft, L"&Left"}, {chkRight, L"&Right"}, {chkTop, L"&Top"}, {chkBottom, L"&Bottom"},
                         {chkTabLines, L"T&ab Lines"}};
    long top = 300;
    for (const Box& p : parts) {
        p.box.SetContainer(&fraParts);
        p.box.SetCaption(p.caption);
        p.box.Move(180, top, 1800, 300);
        top += 360;
    }
    fraStyles.SetCaption(L"Styles:");
    fraStyles.Move(2400, 120, 2760, 1020);
    chkDoubleLines.SetContainer(&fraStyles);
    chkDoubleLines.SetCaption(L"&Double Lines");
    chkDoubleLines.Move(180, 300, 2400, 300);
    chkConnectedFrames.SetContainer(&fraStyles);
    chkConnectedFrames.SetCaption(L"Connected &Frames");
    chkConnectedFrames.Move(180, 630, 2400, 300);

    lblLineWidth.SetCaption(L"Line &Width:");
    lblLineWidth.Move(2400, 1305, 1320, 255);
    cboLineWidth.Move(3780, 1260, 1380, 315);
    lblTextDistance.SetCaption(L"T&ext Distance:");
    lblTextDistance.Move(2400, 1725, 1320, 255);
    cboTextDistance.Move(3780, 1680, 1380, 315);

    cmdOK.SetCaption(L"OK");
    cmdOK.Move(2760, 2280, 1140, 375);
    cmdOK.SetDefault(true);
    cmdCancel.SetCaption(L"Cancel");
    cmdCancel.Move(4020, 2280, 1140, 375);
    cmdCancel.SetCancel(true);

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmFramesDlg::Form_Load() {
    const wchar_t separator = LocaleDecimalSeparator();
    cboLineWidth.Clear();
    cboTextDistance.Clear();
    for (int n = kMinFrameWidthPoints; n <= kMaxFramePoints; ++n) cboLineWidth.AddItem(std::to_wstring(n) + L" pt");
    for (int n = kMinFrameDistancePoints; n <= kMaxFramePoints; ++n) cboTextDistance.AddItem(std::to_wstring(n) + L" pt");
    if (tx == nullptr) return;
    const tx::TextEngine& engine = tx->Engine();
    const FrameChecks checks = FrameChecksOf(engine.FrameStyle());
    Check(chkLeft, checks.left);
    Check(chkRight, checks.right);
    Check(chkTop, checks.top);
    Check(chkBottom, checks.bottom);
    Check(chkTabLines, checks.tabLines);
    Check(chkDoubleLines, checks.doubleLines);
    Check(chkConnectedFrames, checks.connected);
    // Paragraphs that differ (-1) leave their box empty.
    const int width = engine.FrameLineWidth(), distance = engine.FrameDistance();
    width_ = width < 0 ? ShownValue{} : ShownValue{PointsText(width, separator), width};
    distance_ = distance < 0 ? ShownValue{} : ShownValue{PointsText(distance, separator), distance};
    cboLineWidth.SetText(width_.text);
    cboTextDistance.SetText(distance_.text);
}

void frmFramesDlg::cmdOK_Click() {
    // Both entries are read before anything is written, so a refused one leaves the text as it was.
    std::optional<int> width, distance;
    try {
        width = EntryTwips(cboLineWidth, width_, kMinFrameWidthPoints, kLineWidthName);
    } catch (const zv::Error& e) {
        RefuseEntry(*this, e.Description(), cboLineWidth);
        return;
    }
    try {
        distance = EntryTwips(cboTextDistance, distance_, kMinFrameDistancePoints, kTextDistanceName);
    } catch (const zv::Error& e) {
        RefuseEntry(*this, e.Description(), cboTextDistance);
        return;
    }
    if (tx != nullptr) {
        FrameChecks checks;
        checks.left = Checked(chkLeft);
        checks.right = Checked(chkRight);
        checks.top = Checked(chkTop);
        checks.bottom = Checked(chkBottom);
        checks.tabLines = Checked(chkTabLines);
        checks.doubleLines = Checked(chkDoubleLines);
        checks.connected = Checked(chkConnectedFrames);
        tx::TextEngine& engine = tx->Engine();
        engine.SetFrameStyle(FrameStyleWord(checks));
        if (width) engine.SetFrameLineWidth(*width);
        if (distance) engine.SetFrameDistance(*distance);
    }
    Unload();
}

void frmFramesDlg::cmdCancel_Click() { Unload(); }
