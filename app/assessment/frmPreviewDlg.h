#pragma once
// The player preview: the open module page by page as the learner's player shows it, in a skin of
// its own (menu, topic and toolbar frames), movies playing as in the editor, links not followed.
// It walks its own page list: the editor's page, PageList and CurrentPageNo never move.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/assessment/PlayerPreview.h"
#include "components/textcontrol/win32/TXTextControl.h"
#include "components/textcontrol/win32/TextControlEvents.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/PictureBox.h"
#include "ui/ScrollBar.h"
#include "ui/SysInfo.h"
#include "ui/Timer.h"
#include "ui/activex/ActiveXControl.h"

class frmPreviewDlg : public ui::Form, private tx::TextControlEvents, private PreviewPage {
public:
    // The skin: Picture1 is the window's background and holds everything else; a control declared
    // before its siblings stands in front of them.
    ui::PictureBox Picture1{this, L"Picture1"};
    ui::PictureBox Picture2{this, L"Picture2"};  // the title band
    ui::Label CourseNameLbl{this, L"CourseNameLbl"};
    ui::Label ModLabel{this, L"ModLabel"};
    ui::Label Label2{this, L"Label2"};
    ui::Label Label3{this, L"Label3"};
    ui::Label Label4{this, L"Label4"};
    ui::PictureBox Main_Menu_frm{this, L"Main_Menu_frm"};
    ui::PictureBox MenuSlice{this, L"MenuSlice"};
    ui::Label Modules{this, L"Modules"};
    ui::PictureBox MenuFrame{this, L"MenuFrame"};
    ui::PictureBox Over_MenuSlice{this, L"Over_MenuSlice"};
    ui::Label OverMenuLabel{this, L"OverMenuLabel"};
    ui::PictureBox MenuScrlUp{this, L"MenuScrlUp"};
    ui::PictureBox MenuScrlDwn{this, L"MenuScrlDwn"};
    ui::PictureBox Main_Topic_frm{this, L"Main_Topic_frm"};
    ui::PictureBox TopicSlice{this, L"TopicSlice"};
    ui::Label TopicLabel{this, L"TopicLabel"};
    ui::PictureBox TopicFrame{this, L"TopicFrame"};
    ui::PictureBox TopicScrlup{this, L"TopicScrlup"};
    ui::PictureBox TopicScrlDwn{this, L"TopicScrlDwn"};
    ui::PictureBox Main_Tool_frm{this, L"Main_Tool_frm"};
    ui::PictureBox toolBar_Frame{this, L"toolBar_Frame"};
    ui::PictureBox toolBar_Slice{this, L"toolBar_Slice"};
    ui::PictureBox toolBar_But{this, L"toolBar_But"};
    ui::Label ToolLabel{this, L"ToolLabel"};
    ui::Label ToolTip{this, L"ToolTip"};
    ui::PictureBox Return_Btn{this, L"Return_Btn"};
    ui::PictureBox Prv_objExt{this, L"Prv_objExt"};
    ui::VScrollBar VScroll1{this, L"VScroll1"};
    ui::Timer Timer7{this, L"Timer7"};
    ui::SysInfo SysInfo1{this, L"SysInfo1"};
    // What the learner meets.
    tx::TXTextControl TXTextControl1{this, L"TXTextControl1"};
    ui::Label Label1{this, L"Label1"};  // the page's topic and the module's name
    ui::PictureBox Exit_Pic{this, L"Exit_Pic"};
    ui::PictureBox Min_btn{this, L"Min_btn"};
    ui::PictureBox NextBtn{this, L"NextBtn"};
    ui::PictureBox Prev{this, L"Prev"};

    // The file name of the current page's movie, from its placeholder.
    std::wstring CurMovieFile;

    frmPreviewDlg();
    ~frmPreviewDlg() override;

    // ---- public procedures ----
    void OpenPreview(std::wstring& FileName, int& FileType);
    void PlaceControlsOnForm(ui::Form& TheForm);
    void NextPreviewPage();
    void PreviousPreviewPage();
    void InsertMovieObject(HWND& MoviehWnd);
    void InsertFlashMovie();
    void InsertDirectorMovie();
    void InsertVideo();
    void GetFlashVersion(std::wstring& VerName);
    void GetDirectorVersion(std::wstring& VerName);
    void GetVideoVersion(std::wstring& VerName);
    void RemoveMovieControl();

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    // For tests: the slice a skin picture box is drawn from (null for a control without one), the
    // movie container and the three player references.
    HBITMAP SkinPicture(const ui::Control& box) const;
    ui::PictureBox* ImageFrame() const { return imageFrame_; }
    ui::ActiveXControl* Prv_objSWF() const { return swf_; }
    ui::ActiveXControl* Prv_objDir() const { return dir_; }
    ui::ActiveXControl* Prv_objVideo() const { return video_; }
    const PreviewWalk& Walk() const { return walk_; }
    // The Flash player's command event, as the player raises it.
    void Prv_objSWF_FSCommand(const std::wstring& command, const std::wstring& args);

private:
    void Exit_Pic_Click();
    void Min_btn_Click();
    void NextBtn_Click() { NextPreviewPage(); }
    void Prev_Click() { PreviousPreviewPage(); }
    void ShowTopicLine(bool onlyWithTopic);
    void LayOut();
    // How a slice covers its box: stretched whole, or cut in nine with its corners kept.
    enum class SliceFit { kStretch, kNine };
    void DrawFrom(ui::PictureBox& box, const wchar_t* resource, SliceFit fit);
    ui::ActiveXControl* AddPlayer(const std::wstring& name, const std::wstring& progId);
    std::wstring MoviePath() const;

    // TextControlEvents: the page's movie, and a read-only text.
    void ObjectCreateHostWindow(int objectId, HWND& hostWindow) override;
    void ObjectRestored(int objectId, const std::wstring& name) override;
    void KeyDown(int& keyCode, int shift) override;
    void KeyPress(int& keyAscii) override;
    // PreviewPage: the text control holds the page shown.
    void LoadPage(const std::wstring& path) override;
    void RemoveMovies() override { RemoveMovieControl(); }
    void ClearPage() override;

    PreviewWalk walk_{*this};
    ui::PictureBox* imageFrame_ = nullptr;
    ui::ActiveXControl* swf_ = nullptr;
    ui::ActiveXControl* dir_ = nullptr;
    ui::ActiveXControl* video_ = nullptr;
    int frames_ = 0;  // names the run-time controls apart while old ones wait to be destroyed
    std::vector<std::pair<const ui::Control*, ui::Bitmap>> slices_;
};
