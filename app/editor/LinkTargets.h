#pragma once
// What a click on a link of a page does, decided from the link's kind and target alone: go to a
// mark of the page, hand a web address to the shell, open an HTML file of the module at one of its
// marks, open another page of the module, or refuse with the message the author reads.
//
// Only "http:", "https:" and "ftp:" addresses ever reach the shell: a target beginning "www" or
// "w3." gets "http://" in front, so that no program of the working folder named like the address
// can be started by it. An HTML file is looked for in the module's folder, never outside it. A page
// link opens only a page of the open module's page list.

#include <functional>
#include <string>

enum class LinkAction {
    GoToMark,   // `mark` in the page shown
    OpenWeb,    // the shell opens `address`
    OpenHtml,   // `file` is loaded as HTML, then the caret goes to `mark` (when not empty)
    OpenPage,   // the page file `page` of the open module is loaded
    Refuse,     // `message` is shown with `style`; nothing changes
};

struct LinkDecision {
    LinkAction action = LinkAction::Refuse;
    std::wstring address;
    std::wstring file;
    std::wstring mark;
    std::wstring page;
    std::wstring message;
    int style = 0;  // message box style: 0 OK only, 64 information
};

struct LinkContext {
    std::wstring moduleCode;
    std::wstring modulePath;
    // True when the open module's page list holds a page of that file name.
    std::function<bool(const std::wstring& pageName)> isPage;
};

// `kind`: 1 a web address, repository item or page link; 2 a mark of the same page.
LinkDecision DecideLink(int kind, const std::wstring& target, const LinkContext& context);

// The messages of the refusals.
std::wstring OutsideModuleMessage(const std::wstring& target);
std::wstring RepositoryMessage(const std::wstring& target);
std::wstring NotAPageMessage(const std::wstring& target);
std::wstring FileOutsideModuleMessage(const std::wstring& target);
