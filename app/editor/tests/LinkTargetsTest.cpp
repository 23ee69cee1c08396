// What a link click does, target by target: web addresses only ever reach the shell as http, https
// or ftp addresses; files and pages only of the open module.
#include <gtest/gtest.h>

#include "app/editor/LinkTargets.h"
#include "base/Paths.h"

namespace {

LinkContext Module() {
    LinkContext c;
    c.moduleCode = L"000042";
    c.modulePath = L"modules" + std::wstring(1, zv::kPathSeparator) + L"000042";
    c.isPage = [](const std::wstring& name) { return name == L"0001.txm" || name == L"0007.txm"; };
    return c;
}

TEST(LinkTargets, EachTargetToItsAction) {
    const std::wstring folder = Module().modulePath;
    struct Case {
        int kind;
        const wchar_t* target;
        LinkAction action;
        const wchar_t* what;  // the address, file, mark or page the action takes
    };
    const Case cases[] = {
        {2, L"intro", LinkAction::GoToMark, L"intro"},
        {2, L"#intro", LinkAction::GoToMark, L"intro"},
        {1, L"http://www.example.com/a?b=1", LinkAction::OpenWeb, L"http://www.example.com/a?b=1"},
        {1, L"HTTPS://example.com  ", LinkAction::OpenWeb, L"HTTPS://example.com"},  // trailing blanks go
        {1, L"ftp://files.example.com", LinkAction::OpenWeb, L"ftp://files.example.com"},
        {1, L"www.example.com", LinkAction::OpenWeb, L"http://www.example.com"},
        {1, L"w3.example.org/x", LinkAction::OpenWeb, L"http://w3.example.org/x"},
        {1, L"#top", LinkAction::GoToMark, L"top"},
        {1, L"help.html#part2", LinkAction::OpenHtml, L"part2"},
        {1, L"docs/help.html#", LinkAction::OpenHtml, L""},
        {1, L"000042\\0007.txm", LinkAction::OpenPage, L"0007.txm"},
        {1, L"000042\\0001.txm", LinkAction::OpenPage, L"0001.txm"},
    };
    for (const auto& c : cases) {
        const LinkDecision d = DecideLink(c.kind, c.target, Module());
        ASSERT_EQ(d.action, c.action) << testing::PrintToString(std::wstring(c.target));
        const std::wstring& what = d.action == LinkAction::OpenWeb   ? d.address
                                   : d.action == LinkAction::OpenPage ? d.page
                                                                      : d.mark;
        EXPECT_EQ(what, c.what) << testing::PrintToString(std::wstring(c.target));
    }
    // The HTML file is the module folder's, whatever folder the program runs in.
    EXPECT_EQ(DecideLink(1, L"help.html#part2", Module()).file, zv::JoinPath(folder, L"help.html"));
}

TEST(LinkTargets, RefusalsAndTheirMessages) {
    struct Case {
        const wchar_t* target;
        std::wstring message;
        int style;
    };
    const Case cases[] = {
        {L"000043\\0001.txm", OutsideModuleMessage(L"000043\\0001.txm"), 0},
        {L"0001.txm", OutsideModuleMessage(L"0001.txm"), 0},  // no module code at all
        {L"000042\\0002.txm", NotAPageMessage(L"000042\\0002.txm"), 64},
        {L"000042\\0001.txm.bak", NotAPageMessage(L"000042\\0001.txm.bak"), 64},
        {L"000042\\..\\0001.txm", NotAPageMessage(L"000042\\..\\0001.txm"), 64},
        {L"Catalogue\\item 7", RepositoryMessage(L"Catalogue\\item 7"), 64},
        {L"mailto:someone@example.com", RepositoryMessage(L"mailto:someone@example.com"), 64},
        {L"C:\\secret.html#x", FileOutsideModuleMessage(L"C:\\secret.html#x"), 64},
        {L"\\secret.html#x", FileOutsideModuleMessage(L"\\secret.html#x"), 64},
        {L"../other/help.html#x", FileOutsideModuleMessage(L"../other/help.html#x"), 64},
        {L"docs\\..\\..\\help.html#x", FileOutsideModuleMessage(L"docs\\..\\..\\help.html#x"), 64},
    };
    for (const auto& c : cases) {
        const LinkDecision d = DecideLink(1, c.target, Module());
        EXPECT_EQ(d.action, LinkAction::Refuse) << testing::PrintToString(std::wstring(c.target));
        EXPECT_EQ(d.message, c.message);
        EXPECT_EQ(d.style, c.style) << testing::PrintToString(std::wstring(c.target));
    }
    EXPECT_EQ(OutsideModuleMessage(L"000043\\0001.txm"),
              L"This application is unable to open to files outside the current module.  This link set to open the file "
              L"000043\\0001.txm inside the Z_Ididivar Travose.");
    EXPECT_EQ(RepositoryMessage(L"x"),
              L"This application is unable to open files within the repository.  This link set to open the file x inside "
              L"the Z_Ididivar Travose repository.");
}

}  // namespace
