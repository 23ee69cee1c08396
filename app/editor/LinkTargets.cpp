#include "app/editor/LinkTargets.h"

#include <cwctype>

#include "base/Paths.h"

namespace {

constexpr int kInformation = 64;

bool StartsWith(const std::wstring& text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (static_cast<wchar_t>(std::towlower(text[i])) != prefix[i]) return false;
    return true;
}

// A file name of a link that stays inside the module folder: no drive, no root, no "..".
bool StaysInFolder(const std::wstring& name) {
    if (name.empty() || name[0] == L'\\' || name[0] == L'/' || name.find(L':') != std::wstring::npos) return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of(L"\\/", start);
        if (end == std::wstring::npos) end = name.size();
        if (name.compare(start, end - start, L"..") == 0) return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

std::wstring OutsideModuleMessage(const std::wstring& target) {
    return L"This application is unable to open to files outside the current module.  This link set to open the file " +
           target + L" inside the Z_Ididivar Travose.";
}

std::wstring RepositoryMessage(const std::wstring& target) {
    return L"This application is unable to open files within the repository.  This link set to open the file " + target +
           L" inside the Z_Ididivar Travose repository.";
}

std::wstring NotAPageMessage(const std::wstring& target) {
    return L"The link " + target + L" names no page of this module's page list; the page shown stays.";
}

std::wstring FileOutsideModuleMessage(const std::wstring& target) {
    return L"The link " + target + L" names a file outside the module's folder; only files of the module can be opened.";
}

LinkDecision DecideLink(int kind, const std::wstring& rawTarget, const LinkContext& context) {
    std::wstring target = rawTarget;
    while (!target.empty() && (target.back() == L' ' || target.back() == L'\t')) target.pop_back();
    LinkDecision d;
    if (kind == 2) {
        d.action = LinkAction::GoToMark;
        d.mark = !target.empty() && target[0] == L'#' ? target.substr(1) : target;
        return d;
    }
    if (StartsWith(target, L"http:") || StartsWith(target, L"https:") || StartsWith(target, L"ftp:")) {
        d.action = LinkAction::OpenWeb;
        d.address = target;
        return d;
    }
    if (StartsWith(target, L"www") || StartsWith(target, L"w3.")) {
        d.action = LinkAction::OpenWeb;
        d.address = L"http://" + target;
        return d;
    }
    if (const size_t hash = target.find(L'#'); hash != std::wstring::npos) {
        const std::wstring file = target.substr(0, hash);
        d.mark = target.substr(hash + 1);
        if (file.empty()) {  // "#name": a mark of this page
            d.action = LinkAction::GoToMark;
            return d;
        }
        if (!StaysInFolder(file)) {
            d.style = kInformation;
            d.message = FileOutsideModuleMessage(target);
            return d;
        }
        d.action = LinkAction::OpenHtml;
        d.file = zv::JoinPath(context.modulePath, file);
        return d;
    }
    if (target.find(L".txm") != std::wstring::npos) {
        const size_t slash = target.find(L'\\');
        const std::wstring code = target.substr(0, slash);
        if (slash == std::wstring::npos || code != context.moduleCode) {
            d.message = OutsideModuleMessage(target);
            return d;
        }
        // The page file name is all of the text after the backslash, as the link stores it.
        const std::wstring page = target.substr(slash + 1);
        if (!zv::IsPlainFileName(page) || !context.isPage || !context.isPage(page)) {
            d.style = kInformation;
            d.message = NotAPageMessage(target);
            return d;
        }
        d.action = LinkAction::OpenPage;
        d.page = page;
        return d;
    }
    d.style = kInformation;
    d.message = RepositoryMessage(target);
    return d;
}
