// Forms: loading, showing, events, modal loops and their hooks, MDI children.

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Error.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/ControlArray.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/MdiForm.h"
#include "ui/Menu.h"
#include "ui/MsgBox.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
#include "ui/Timer.h"
#include "ui/Twips.h"
#include "ui/testing/UiTest.h"

namespace ui::testing {
namespace {

// A small dialog in the program's style: a frame of three options, a text box, Save and Cancel.
class frmPageTypeDlg : public Form {
public:
    Frame Frame1{this, L"Frame1"};
    ControlArray<OptionButton> optPageType{this, L"optPageType"};
    Label Label1{this, L"Label1"};
    TextBox Text1{this, L"Text1"};
    CommandButton btnSave{this, L"btnSave"};
    CommandButton Command2{this, L"Command2"};

    std::vector<std::string> events;
    int cancelQueryUnload = 0;
    std::wstring saved;

    frmPageTypeDlg() {
        SetCaption(L"Page Type Selection");
        SetBorderStyle(3);
        SetClientSize(4800, 3000);
        Frame1.SetCaption(L"Page Type");
        Frame1.Move(120, 120, 2400, 1500);
        const wchar_t* captions[] = {L"Content Page", L"New Topic", L"Module Test"};
        for (int i = 0; i < 3; ++i) {
            auto& o = optPageType.Load(i);
            o.SetContainer(&Frame1);
            o.SetCaption(captions[i]);
            o.Move(120, 300 + i * 360, 2000, 300);
        }
        Label1.SetCaption(L"Enter New &Topic Name");
        Label1.Move(2700, 120, 2000, 255);
        Text1.Move(2700, 420, 1900, 315);
        btnSave.SetCaption(L"Save Page");
        btnSave.Move(2700, 2400, 900, 375);
        btnSave.SetDefault(true);
        Command2.SetCaption(L"Cancel");
        Command2.Move(3700, 2400, 900, 375);
        Command2.SetCancel(true);
        btnSave.Click = [this] { btnSave_Click(); };
        Command2.Click = [this] { Command2_Click(); };
        optPageType.Click = [this](int Index) { events.push_back("opt" + std::to_string(Index)); };
        Text1.Change = [this] { events.push_back("change"); };
    }
    void Form_Load() override { events.push_back("load"); }
    void Form_Activate() override { events.push_back("activate"); }
    void Form_Resize() override { events.push_back("resize"); }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        events.push_back("queryunload" + std::to_string(UnloadMode));
        Cancel = cancelQueryUnload;
    }
    void Form_Unload(int&) override { events.push_back("unload"); }
    void btnSave_Click() {
        saved = Text1.Text();
        Unload();
    }
    void Command2_Click() { Unload(); }
};

TEST_F(UiTest, LoadCreatesEveryControlAndRunsLoadOnce) {
    frmPageTypeDlg f;
    f.Text1.SetText(L"before load");
    f.Load();
    f.Load();
    ASSERT_TRUE(f.IsLoaded());
    EXPECT_EQ(f.events, (std::vector<std::string>{"change", "load"}));
    EXPECT_NE(f.btnSave.hWnd(), nullptr);
    EXPECT_EQ(GetParent(f.optPageType[1].hWnd()), f.Frame1.hWnd()) << "options live inside their frame";
    wchar_t text[64] = {};
    GetWindowTextW(f.Text1.hWnd(), text, 64);
    EXPECT_STREQ(text, L"before load");
    GetWindowTextW(f.hWnd(), text, 64);
    EXPECT_STREQ(text, L"Page Type Selection");
    EXPECT_FALSE(f.Visible()) << "Load does not show";
}

TEST_F(UiTest, GeometryIsInTwipsThroughTheScreenDpi) {
    frmPageTypeDlg f;
    f.Load();
    RECT r;
    GetWindowRect(f.btnSave.hWnd(), &r);
    EXPECT_EQ(r.right - r.left, TwipsToPixelsX(900));
    EXPECT_EQ(r.bottom - r.top, TwipsToPixelsY(375));
    EXPECT_NEAR(f.ScaleWidth(), 4800, 1440 / ScreenDpiX() + 1);
    EXPECT_NEAR(f.ScaleHeight(), 3000, 1440 / ScreenDpiY() + 1);
    f.btnSave.Move(300, 450, 1200, 600);
    GetWindowRect(f.btnSave.hWnd(), &r);
    POINT pt{r.left, r.top};
    ScreenToClient(f.hWnd(), &pt);
    EXPECT_EQ(pt.x, TwipsToPixelsX(300));
    EXPECT_EQ(pt.y, TwipsToPixelsY(450));
    EXPECT_DOUBLE_EQ(Screen().TwipsPerPixelX(), 1440.0 / ScreenDpiX());
}

TEST_F(UiTest, WindowStateAndCaptionFollowTheWindow) {
    frmPageTypeDlg f;
    f.SetBorderStyle(2);
    f.Show();
    f.SetWindowState(vbMaximized);
    EXPECT_EQ(f.WindowState(), vbMaximized);
    EXPECT_TRUE(IsZoomed(f.hWnd()));
    f.SetWindowState(vbNormal);
    EXPECT_EQ(f.WindowState(), vbNormal);
    f.SetCaption(L"Page Type Selection - 2");
    wchar_t text[64] = {};
    GetWindowTextW(f.hWnd(), text, 64);
    EXPECT_STREQ(text, L"Page Type Selection - 2");
    f.Move(1500, 1200, 7000, 5000);
    EXPECT_NEAR(f.Left(), 1500, 15);
    EXPECT_NEAR(f.Width(), 7000, 15);
    f.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(f.hWnd()));
}

TEST_F(UiTest, ModalShowRunsEventsInOrderAndReturnsWhenTheFormUnloads) {
    auto& f = Forms::Get<frmPageTypeDlg>();
    test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) {
        EXPECT_TRUE(d.Visible());
        EXPECT_TRUE(d.IsModal());
        test::Type(d.Text1, L"Intro");
        test::Click(d.btnSave);
    });
    f.Show(vbModal);
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(f.saved, L"Intro");
    EXPECT_EQ(f.events, (std::vector<std::string>{"load", "resize", "activate", "change", "queryunload1", "unload"}));
    EXPECT_EQ(&Forms::Get<frmPageTypeDlg>(), &f) << "the default instance survives its unload";
    EXPECT_EQ(test::PendingModalActions(), 0u);
}

TEST_F(UiTest, QueryUnloadCancelKeepsTheFormAndCloseBoxPassesItsMode) {
    frmPageTypeDlg f;
    f.Show();
    f.cancelQueryUnload = 1;
    EXPECT_FALSE(f.Unload());
    SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_TRUE(f.Visible());
    f.cancelQueryUnload = 0;
    SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(f.IsLoaded());
    std::vector<std::string> tail(f.events.end() - 4, f.events.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"queryunload1", "queryunload0", "queryunload0", "unload"}));
}

TEST_F(UiTest, UnloadRestoresDesignValuesAndTheFormLoadsAgain) {
    frmPageTypeDlg f;
    f.Load();
    f.Text1.SetText(L"typed");
    f.optPageType[2].SetValue(true);
    f.btnSave.SetEnabled(false);
    f.Unload();
    EXPECT_EQ(f.Text1.Text(), L"");
    EXPECT_FALSE(f.optPageType[2].Value());
    EXPECT_TRUE(f.btnSave.Enabled());
    f.Load();
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_TRUE(IsWindowEnabled(f.btnSave.hWnd()));
}

TEST_F(UiTest, OptionButtonsAreExclusivePerContainerAndClickFiresOnChoosing) {
    class TwoGroups : public Form {
    public:
        Frame fraA{this, L"fraA"};
        OptionButton a1{this, L"a1"}, a2{this, L"a2"};
        OptionButton b1{this, L"b1"}, b2{this, L"b2"};  // on the form itself
        int clicks = 0;
        TwoGroups() {
            a1.SetContainer(&fraA);
            a2.SetContainer(&fraA);
            a1.Click = a2.Click = b1.Click = b2.Click = [this] { ++clicks; };
        }
    } f;
    f.Load();
    f.a1.SetValue(true);
    f.b2.SetValue(true);
    f.a2.SetValue(true);
    EXPECT_FALSE(f.a1.Value());
    EXPECT_TRUE(f.a2.Value());
    EXPECT_TRUE(f.b2.Value()) << "another container's group is untouched";
    EXPECT_EQ(SendMessageW(f.a1.hWnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(f.a2.hWnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    int before = f.clicks;
    f.a2.SetValue(true);
    EXPECT_EQ(f.clicks, before) << "choosing the chosen option again from code is no change";
    EXPECT_EQ(before, 3);
}

TEST_F(UiTest, CheckBoxClickFiresOnEveryValueChange) {
    class F : public Form {
    public:
        CheckBox Check1{this, L"Check1"};
        std::vector<int> seen;
        F() { Check1.Click = [this] { seen.push_back(Check1.Value()); }; }
    } f;
    f.Show();
    test::Click(f.Check1);
    f.Check1.SetValue(vbGrayed);
    f.Check1.SetValue(vbGrayed);
    test::Click(f.Check1);
    EXPECT_EQ(f.seen, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(SendMessageW(f.Check1.hWnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(UiTest, ModalNestingTwoDeepReturnsInnerFirst) {
    class frmInner : public Form {
    public:
        CommandButton btnOK{this, L"btnOK"};
        frmInner() { btnOK.Click = [this] { Unload(); }; }
    };
    class frmOuter : public Form {
    public:
        CommandButton btnMore{this, L"btnMore"};
        CommandButton btnClose{this, L"btnClose"};
        std::vector<std::string> log;
        frmOuter() {
            btnMore.Click = [this] {
                log.push_back("inner opens");
                Forms::Get<frmInner>().Show(vbModal);
                log.push_back("inner returned");
            };
            btnClose.Click = [this] { Unload(); };
        }
    };
    class frmMain : public Form {};
    frmMain main;
    main.Show();
    auto& outer = Forms::Get<frmOuter>();
    bool mainDisabledInside = false, outerDisabledInside = false;
    test::OnNextModal<frmOuter>([&](frmOuter& o) { test::Click(o.btnMore); test::Click(o.btnClose); });
    test::OnNextModal<frmInner>([&](frmInner& i) {
        mainDisabledInside = !IsWindowEnabled(main.hWnd());
        outerDisabledInside = !IsWindowEnabled(Forms::Get<frmOuter>().hWnd());
        test::Click(i.btnOK);
    });
    outer.Show(vbModal);
    EXPECT_EQ(outer.log, (std::vector<std::string>{"inner opens", "inner returned"}));
    EXPECT_TRUE(mainDisabledInside);
    EXPECT_TRUE(outerDisabledInside);
    EXPECT_TRUE(IsWindowEnabled(main.hWnd())) << "the owner gets its input back";
    EXPECT_FALSE(Forms::Get<frmInner>().IsLoaded());
}

TEST_F(UiTest, ModalFormWithoutQueuedActionFailsInsteadOfWaiting) {
    frmPageTypeDlg f;
    EXPECT_THROW(f.Show(vbModal), HookFailure);
    auto failures = TakeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"frmPageTypeDlg"), std::wstring::npos);
    EXPECT_FALSE(f.IsLoaded());
}

TEST_F(UiTest, ModalFormLeftOpenByItsActionFails) {
    frmPageTypeDlg f;
    test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg&) {});
    EXPECT_THROW(f.Show(vbModal), HookFailure);
    EXPECT_EQ(TakeFailures().size(), 1u);
    EXPECT_FALSE(f.IsLoaded());
}

TEST_F(UiTest, ModalActionForAnotherFormClassFails) {
    class frmOther : public Form {};
    frmPageTypeDlg f;
    test::OnNextModal<frmOther>([](frmOther&) {});
    EXPECT_THROW(f.Show(vbModal), HookFailure);
    auto failures = TakeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"another form"), std::wstring::npos);
    EXPECT_EQ(test::PendingModalActions(), 1u) << "the other form's action stays queued";
}

TEST_F(UiTest, HideEndsAModalShowWithTheFormStillLoaded) {
    frmPageTypeDlg f;
    test::OnNextModal<frmPageTypeDlg>([](frmPageTypeDlg& d) { d.Hide(); });
    f.Show(vbModal);
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_FALSE(f.Visible());
}

class frmMDIParent : public MdiForm {
public:
    MenuItem mnuFile{this, L"mnuFile", L"&File"};
    MenuItem mnuFile_New{mnuFile, L"mnuFile_New", L"&New"};
    std::vector<std::string> log;
    frmMDIParent() {
        SetCaption(L"Frame");
        mnuFile_New.Click = [this] { log.push_back("frame new"); };
    }
    void Form_QueryUnload(int&, int mode) override { log.push_back("frame query" + std::to_string(mode)); }
    void Form_Unload(int&) override { log.push_back("frame unload"); }
    void Form_Deactivate() override { log.push_back("frame deactivate"); }
};

class frmMDIChild : public Form {
public:
    MenuItem mnuDocument{this, L"mnuDocument", L"&Document"};
    MenuItem mnuDocument_Next{mnuDocument, L"mnuDocument_Next", L"&Next"};
    std::vector<std::string>* log = nullptr;
    std::string tag;
    int cancel = 0;
    frmMDIChild() { SetMDIChild(true); }
    void Form_Activate() override { if (log) log->push_back(tag + " activate"); }
    void Form_Deactivate() override { if (log) log->push_back(tag + " deactivate"); }
    void Form_QueryUnload(int& Cancel, int mode) override {
        if (log) log->push_back(tag + " query" + std::to_string(mode));
        Cancel = cancel;
    }
    void Form_Unload(int&) override { if (log) log->push_back(tag + " unload"); }
};

// A shown frame and two children "a" and "b" that write into the frame's log.
struct MdiFixture {
    frmMDIParent frame;
    frmMDIChild a, b;
    MdiFixture() {
        frame.Show();
        a.log = b.log = &frame.log;
        a.tag = "a";
        b.tag = "b";
    }
};

TEST_F(UiTest, MdiChildrenLiveInTheFrameAndTheActiveChildIsKnown) {
    MdiFixture m;
    auto& [frame, a, b] = m;
    a.SetCaption(L"Untitled");
    a.Show();
    b.Show();
    EXPECT_EQ(GetParent(a.hWnd()), frame.ClientWindow());
    EXPECT_EQ(frame.ActiveForm(), &b);
    EXPECT_EQ(Screen().ActiveForm(), &b);
    EXPECT_EQ(GetMenu(frame.hWnd()), b.MenuBar()) << "the active child's menus show in the frame";
    a.Show();
    EXPECT_EQ(frame.ActiveForm(), &a);
    b.Unload();
    EXPECT_EQ(frame.Children().size(), 1u);
    EXPECT_EQ(frame.log, (std::vector<std::string>{"a activate", "a deactivate", "b activate", "b deactivate", "a activate",
                                                   "b query1", "b unload"}))
        << "children take turns; the frame is not deactivated by them";
}

// Where a form first shows: where its start-up position puts it, even when it was sized and placed
// while being designed; a place the program gives it once it has a window stands; so does a design
// place where the start-up position leaves the place to the form.
TEST_F(UiTest, AFormFirstShowsWhereItsStartUpPositionPutsIt) {
    struct Case {
        const char* name;
        bool frame;
        int startUp;
        bool placedOnceLoaded;
        bool centred;
        bool resizedOnceLoaded = false;
    };
    const Case cases[] = {
        {"centre screen, designed at a place", false, 2, false, true},
        {"an MDI frame centred on the screen", true, 2, false, true},
        {"centre screen, put somewhere once loaded", false, 2, true, false},
        {"centre screen, the frame put somewhere once loaded", true, 2, true, false},
        {"manual", false, 0, false, false},
        {"the system's default, designed at a place", false, 3, false, false},
        {"centre screen, only made wider once loaded", false, 2, false, true, true},
        {"the frame only made wider once loaded", true, 2, false, true, true},
    };
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Form> f = c.frame ? std::unique_ptr<Form>(new frmMDIParent) : std::make_unique<Form>();
        f->SetStartUpPosition(c.startUp);
        f->Move(1500, 1200, 6000, 4500);
        if (c.placedOnceLoaded) {
            f->Load();
            f->Move(900, 600, 6000, 4500);
        }
        if (c.resizedOnceLoaded) {
            f->Load();
            f->SetWidth(7500);
        }
        f->Show();
        RECT r{};
        GetWindowRect(f->hWnd(), &r);
        if (c.centred) {
            EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
            EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);
        } else {
            EXPECT_EQ(r.left, TwipsToPixelsX(c.placedOnceLoaded ? 900 : 1500));
            EXPECT_EQ(r.top, TwipsToPixelsY(c.placedOnceLoaded ? 600 : 1200));
        }
        EXPECT_EQ(r.right - r.left, TwipsToPixelsX(c.resizedOnceLoaded ? 7500 : 6000));
        f->Unload();
    }
}

TEST_F(UiTest, ClosingTheFrameAsksEveryChildAndAnyCancelKeepsAllOpen) {
    MdiFixture m;
    auto& [frame, a, b] = m;
    a.Show();
    b.Show();
    frame.log.clear();
    b.cancel = 1;
    EXPECT_FALSE(frame.Unload());
    EXPECT_TRUE(a.IsLoaded());
    EXPECT_TRUE(b.IsLoaded());
    b.cancel = 0;
    frame.log.clear();
    EXPECT_TRUE(frame.Unload());
    EXPECT_FALSE(a.IsLoaded());
    EXPECT_FALSE(b.IsLoaded());
    EXPECT_EQ(frame.log.front(), "frame query1");
    EXPECT_EQ(frame.log.back(), "frame unload");
    EXPECT_EQ(std::count(frame.log.begin(), frame.log.end(), "a query4"), 1);
    EXPECT_EQ(std::count(frame.log.begin(), frame.log.end(), "b unload"), 1);
}

TEST_F(UiTest, EndClosesEveryFormFromInsideAModalDialogWithoutEvents) {
    class frmOpenDlg : public Form {
    public:
        CommandButton btnExit{this, L"btnExit"};
        frmOpenDlg() { btnExit.Click = [] { End(); }; }
    };
    frmMDIParent frame;
    frame.Show();
    frmMDIChild child;
    child.log = &frame.log;
    child.Show();
    frame.log.clear();
    test::OnNextModal<frmOpenDlg>([](frmOpenDlg& d) { test::Click(d.btnExit); });
    Forms::Get<frmOpenDlg>().Show(vbModal);
    EXPECT_TRUE(Forms::Loaded().empty());
    for (const auto& entry : frame.log)
        EXPECT_TRUE(entry.find("query") == std::string::npos && entry.find("unload") == std::string::npos)
            << "no QueryUnload or Unload runs: " << entry;
    MSG m;
    EXPECT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program's loop is told to end";
}

TEST_F(UiTest, TimerTicksOnTheUserInterfaceThreadWhileEnabled) {
    class F : public Form {
    public:
        Timer Timer1{this, L"Timer1"};
        int ticks = 0;
        DWORD thread = 0;
        F() {
            Timer1.SetInterval(20);
            Timer1.Tick = [this] {
                ++ticks;
                thread = GetCurrentThreadId();
            };
        }
    } f;
    f.Load();
    DWORD until = GetTickCount() + 2000;
    while (f.ticks < 3 && GetTickCount() < until) {
        DoEvents();
        Sleep(5);
    }
    EXPECT_GE(f.ticks, 3);
    EXPECT_EQ(f.thread, GetCurrentThreadId());
    f.Timer1.SetEnabled(false);
    DoEvents();
    int stopped = f.ticks;
    Sleep(80);
    DoEvents();
    EXPECT_EQ(f.ticks, stopped);
}

// However a modal form goes (unloaded, or hidden to be shown again), the window the author came
// from is active again and has the focus.
TEST_F(UiTest, AModalFormHiddenOrUnloadedGivesTheFocusBack) {
    class frmMain : public Form {
    public:
        TextBox Text1{this, L"Text1"};
    };
    class frmAsk : public Form {
    public:
        CommandButton Command1{this, L"Command1"};
    };
    frmMain main;
    main.Show();
    for (bool hide : {true, false}) {
        SCOPED_TRACE(hide ? "hidden" : "unloaded");
        frmAsk ask;
        ask.Command1.Click = [&ask, hide] { hide ? ask.Hide() : void(ask.Unload()); };
        main.Text1.SetFocus();
        ASSERT_EQ(GetFocus(), main.Text1.hWnd());
        test::OnNextModal<frmAsk>([](frmAsk& f) { test::Click(f.Command1); });
        ask.Show(vbModal);
        DoEvents();
        EXPECT_EQ(ask.IsLoaded(), hide);
        EXPECT_TRUE(IsWindowEnabled(main.hWnd()));
        EXPECT_EQ(GetActiveWindow(), main.hWnd());
        const HWND focus = GetFocus();
        EXPECT_TRUE(focus != nullptr && (focus == main.hWnd() || IsChild(main.hWnd(), focus)));
        if (hide) {
            // Shown again, it is modal again.
            test::OnNextModal<frmAsk>([&main](frmAsk& f) {
                EXPECT_FALSE(IsWindowEnabled(main.hWnd()));
                test::Click(f.Command1);
            });
            ask.Show(vbModal);
            EXPECT_TRUE(IsWindowEnabled(main.hWnd()));
        }
    }
}

// Whatever reaches a window procedure stops there and is told one way, whether it came through an
// event of the program or straight through a window's message handling; a cancelled dialog is no
// failure.
TEST_F(UiTest, FailuresStoppedAtWindowProceduresAreAllReported) {
    struct Case {
        const char* name;
        std::function<void()> thrower;
        const wchar_t* expected;  // nullptr: nothing is reported
    };
    const Case cases[] = {
        {"program error", [] { throw zv::Error(L"The page file is damaged."); },
         L"An error reached a window procedure: The page file is damaged."},
        {"library exception", [] { throw std::runtime_error("vector too long"); }, L"vector too long (stopped at "},
        {"unknown exception", [] { throw 42; }, L"An unexpected failure was stopped at "},
        {"cancelled dialog", [] { throw zv::CancelError(); }, nullptr},
    };
    class frmThrowing : public Form {
    public:
        CommandButton Command1{this, L"Command1"};
        std::function<void()> onMessage;
        LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
            if (msg == WM_APP && onMessage) onMessage();
            return Form::HandleMessage(msg, wp, lp);
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frmThrowing f;
        f.Command1.Click = c.thrower;
        f.onMessage = c.thrower;
        f.Show();
        test::Click(f.Command1);                  // through the program's event
        SendMessageW(f.hWnd(), WM_APP, 0, 0);     // straight through the window procedure
        const auto failures = TakeFailures();
        if (c.expected == nullptr) {
            EXPECT_TRUE(failures.empty());
        } else {
            ASSERT_EQ(failures.size(), 2u);
            for (const auto& failure : failures) EXPECT_NE(failure.find(c.expected), std::wstring::npos) << Utf8(failure);
        }
        EXPECT_TRUE(f.IsLoaded()) << "the window goes on after the failure";
        f.Unload();
    }
}

}  // namespace
}  // namespace ui::testing
