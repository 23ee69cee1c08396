#include "app/core/LinkedList.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "app/core/AppState.h"
#include "base/Cp1252.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Paths.h"

namespace {

const wchar_t* const kLineNames[] = {L"the module code", L"the module name", L"the page counter"};

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

// A bad line quoted in a message: a damaged file can hold a line of any length and any bytes, and
// the author needs only enough of it to find it. Control characters show as "?".
std::wstring Excerpt(const std::wstring& s) {
    constexpr size_t kMaxShown = 40;
    std::wstring shown = s.substr(0, kMaxShown);
    for (wchar_t& c : shown)
        if (c < 0x20 || c == 0x7F) c = L'?';
    return Quoted(shown) + (s.size() > kMaxShown ? L" (cut short)" : L"");
}

// Takes the next line off the bytes of a file: lines end with CR LF, LF or CR, and a last line without
// an ending counts too. The file's code page keeps CR, LF and "*" where ASCII has them, so lines and
// fields are found in the bytes and only the fields are decoded.
bool NextLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) return false;
    size_t end = 0;
    while (end < rest.size() && rest[end] != '\r' && rest[end] != '\n') ++end;
    line = rest.substr(0, end);
    if (end < rest.size()) end += (rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n') ? 2 : 1;
    rest.remove_prefix(end);
    return true;
}

// Reads the counter line as a non-negative decimal number (a fraction is allowed), adds 1 and rounds
// half to even, as the stored counter is read back.
bool ReadCounter(std::wstring_view line, std::int16_t& counter) {
    while (!line.empty() && line.front() == L' ') line.remove_prefix(1);
    while (!line.empty() && line.back() == L' ') line.remove_suffix(1);
    if (line.empty() || line.size() > 20) return false;
    double value = 0;
    size_t i = 0;
    bool digits = false;
    for (; i < line.size() && std::iswdigit(line[i]); ++i, digits = true) value = value * 10 + (line[i] - L'0');
    if (i < line.size() && line[i] == L'.') {
        double scale = 0.1;
        for (++i; i < line.size() && std::iswdigit(line[i]); ++i, scale /= 10, digits = true)
            value += (line[i] - L'0') * scale;
    }
    if (!digits || i != line.size()) return false;
    const double next = std::nearbyint(value + 1);
    if (next > 32767) return false;
    counter = static_cast<std::int16_t>(next);
    return true;
}

}  // namespace

NodePool::~NodePool() {
    while (spare_ != nullptr) {
        Node* next = spare_->NextNode;
        delete spare_;
        spare_ = next;
    }
}

Node* NodePool::Take() {
    if (spare_ == nullptr) return new Node();
    Node* node = spare_;
    spare_ = node->NextNode;
    node->NextNode = nullptr;
    return node;
}

void NodePool::Give(Node* node) {
    node->PageName.clear();
    node->PageType.clear();
    node->TopicName.clear();
    node->ModuleName.clear();
    node->PreviousNode = nullptr;
    node->NextNode = spare_;
    spare_ = node;
}

void NodePool::GiveChain(Node* first) {
    while (first != nullptr) {
        Node* next = first->NextNode;
        Give(first);
        first = next;
    }
}

void ParsePageMap(std::string_view bytes, const std::wstring& mapName, PageMap& map) {
    const std::wstring file = L"The page map file " + mapName;
    if (bytes.empty()) throw zv::Error(file + L" is empty.");
    std::string_view rest = bytes;
    std::string_view head[3];
    for (size_t i = 0; i < 3; ++i) {
        if (!NextLine(rest, head[i])) {
            throw zv::Error(file + L" is incomplete: line " + std::to_wstring(i + 1) + L" (" + kLineNames[i] +
                            L") is missing.");
        }
    }

    map.ModuleCode = zv::DecodeCp1252(head[0]);
    map.ModuleName = zv::DecodeCp1252(head[1]);
    const std::wstring counterLine = zv::DecodeCp1252(head[2]);
    if (!ReadCounter(counterLine, map.PageCounter)) {
        throw zv::Error(file + L" is damaged: line 3 must hold the page counter, a number from 0 to 32766, but it holds " +
                        Excerpt(counterLine) + L".");
    }

    std::string_view line;
    int pages = 0;
    for (size_t i = 3; NextLine(rest, line); ++i) {
        if (!line.empty() && line.front() == '\n') line.remove_prefix(1);
        if (!line.empty() && line.front() == '\r') line.remove_prefix(1);
        if (line.empty()) continue;

        auto where = [&] { return file + L" is damaged: line " + std::to_wstring(i + 1); };
        const size_t star1 = line.find('*');
        if (star1 == std::string_view::npos) {
            throw zv::Error(where() + L" is not a page entry (it has no \"*\"): " + Excerpt(zv::DecodeCp1252(line)) + L".");
        }
        if (++pages > kMaxMapPages) {
            throw zv::Error(where() + L" is page entry " + std::to_wstring(pages) + L", and a module holds at most " +
                            std::to_wstring(kMaxMapPages) + L" pages.");
        }
        Node* node = map.Pool.Take();
        node->PreviousNode = map.LastPage;
        (map.LastPage != nullptr ? map.LastPage->NextNode : map.FirstPage) = node;
        map.LastPage = node;
        zv::DecodeCp1252Into(line.substr(0, star1), node->PageName);
        if (!zv::IsPlainFileName(node->PageName)) {
            throw zv::Error(where() + L" names the page " + Excerpt(node->PageName) +
                            L", which is not a file name inside the module folder.");
        }
        const size_t star2 = line.find('*', star1 + 1);
        if (star2 == std::string_view::npos) {
            zv::DecodeCp1252Into(line.substr(star1 + 1), node->PageType);
        } else {
            zv::DecodeCp1252Into(line.substr(star1 + 1, star2 - star1 - 1), node->PageType);
            if (node->PageType == std::wstring_view(L"Topic")) zv::DecodeCp1252Into(line.substr(star2 + 1), node->TopicName);
        }
    }
}

std::string FormatPageMap(const std::wstring& moduleCode, const std::wstring& moduleName, std::int16_t pageCounter,
                          const Node* firstPage) {
    std::wstring text;
    text += moduleCode + L"\r\n" + moduleName + L"\r\n" + std::to_wstring(pageCounter) + L"\r\n";
    for (const Node* page = firstPage; page != nullptr; page = page->NextNode) {
        text += page->PageName;
        text += L'*';
        text += page->PageType;
        if (!page->TopicName.empty()) {
            text += L'*';
            text += page->TopicName;
        }
        text += L"\r\n";
    }
    return zv::EncodeCp1252(text);
}

LinkedList::LinkedList() {
    InitChain(kMain);
    InitChain(kTemp);
}

LinkedList::~LinkedList() {
    FreeChain(kMain);
    FreeChain(kTemp);
}

void LinkedList::FreeChain(Chain chain) {
    pool_.GiveChain(ListHead[chain]);
    ListHead[chain] = CurrentNode[chain] = tail_[chain] = nullptr;
}

void LinkedList::InitChain(Chain chain) {
    FreeChain(chain);
    ListHead[chain] = pool_.Take();
    CurrentNode[chain] = tail_[chain] = ListHead[chain];
    NewNode = WalkNode = nullptr;
}

void LinkedList::InitLinedList() { InitChain(kMain); }
void LinkedList::InitTempLinkedList() { InitChain(kTemp); }

void LinkedList::Append(Chain chain, std::wstring name, std::wstring type, std::wstring topic) {
    Node* node = pool_.Take();
    node->PageName = std::move(name);
    node->PageType = std::move(type);
    node->TopicName = std::move(topic);
    WalkNode = tail_[chain];
    node->PreviousNode = WalkNode;
    WalkNode->NextNode = node;
    tail_[chain] = CurrentNode[chain] = NewNode = node;
}

void LinkedList::Add_Page(const std::wstring& PName, const std::wstring& PType, const std::wstring& TName,
                          bool Loading) {
    Append(kMain, PName, PType, TName);
    if (!Loading) WriteMapFile();
}

void LinkedList::AddToTempLinkedList(const std::wstring& PName, const std::wstring& PType, const std::wstring& TName,
                                     bool /*Loading*/) {
    Append(kTemp, PName, PType, TName);
}

Node* LinkedList::FindInMain(const std::wstring& name) const {
    for (Node* node = ListHead[kMain]; node != nullptr; node = node->NextNode) {
        if (node->PageName == name) {
            FoundName = node->PageName;
            return node;
        }
    }
    FoundName.clear();
    return nullptr;
}

void LinkedList::InsertNewPage(const std::wstring& PName, const std::wstring& PType, const std::wstring& TName,
                               const std::wstring& IsrtOrgPageName, std::int16_t InsertionPoint) {
    Node* found = FindInMain(IsrtOrgPageName);
    if (found == nullptr) {
        TellAuthor(L"File not found");
        WriteMapFile();
        return;
    }
    // Nothing stands before the head: "before the head" means "first page".
    Node* before = (InsertionPoint == 1 && found != ListHead[kMain]) ? found->PreviousNode : found;
    Node* after = before->NextNode;
    Node* node = pool_.Take();
    node->PageName = PName;
    node->PageType = PType;
    node->TopicName = TName;
    node->PreviousNode = before;
    node->NextNode = after;
    before->NextNode = node;
    if (after != nullptr) {
        after->PreviousNode = node;
    } else {
        tail_[kMain] = node;
    }
    CurrentNode[kMain] = NewNode = node;
    WriteMapFile();
}

void LinkedList::EditCurrentPage(const std::wstring& PageType, const std::wstring& TopicName) {
    if (CurrentNode[kMain] != nullptr) {
        Node* found = FindInMain(CurrentNode[kMain]->PageName);
        if (found != nullptr && found != ListHead[kMain]) {
            found->PageType = PageType;
            found->TopicName = TopicName;
        }
    }
    WriteMapFile();
}

void LinkedList::Delete_Page(const std::wstring& PageToDelete) {
    Node* found = FindInMain(PageToDelete);
    if (found == nullptr || found == ListHead[kMain]) {  // the head is no page and stays
        TellAuthor(L"File not found");
        WriteMapFile();
        return;
    }
    Node* before = found->PreviousNode;
    Node* after = found->NextNode;
    before->NextNode = after;
    if (after != nullptr) {
        after->PreviousNode = before;
    } else {
        tail_[kMain] = before;
    }
    CurrentNode[kMain] = after != nullptr ? after : before;
    if (NewNode == found) NewNode = nullptr;
    if (WalkNode == found) WalkNode = nullptr;
    pool_.Give(found);
    WriteMapFile();
}

void LinkedList::LoadInto(Chain chain, const std::wstring& MapName, std::int16_t& PageCounter,
                          std::wstring& ModuleCode, std::wstring& ModuleName) {
    // Parse the whole file first: a malformed file changes nothing.
    PageMap map(pool_);
    ParsePageMap(zv::ReadFileBytes(MapName), MapName, map);
    TakeMap(chain, map, PageCounter, ModuleCode, ModuleName);
}

void LinkedList::LoadParsedList(PageMap& map, std::int16_t& PageCounter, std::wstring& ModuleCode,
                                std::wstring& ModuleName) {
    TakeMap(kMain, map, PageCounter, ModuleCode, ModuleName);
}

void LinkedList::TakeMap(Chain chain, PageMap& map, std::int16_t& PageCounter, std::wstring& ModuleCode,
                         std::wstring& ModuleName) {
    Node* last = tail_[chain];
    if (map.FirstPage != nullptr) {
        last->NextNode = map.FirstPage;
        map.FirstPage->PreviousNode = last;
        WalkNode = last;
        tail_[chain] = NewNode = map.LastPage;
        map.FirstPage = map.LastPage = nullptr;
    }
    CurrentNode[chain] = last->NextNode;  // the first page read, none when the file lists none
    PageCounter = map.PageCounter;
    ModuleCode = std::move(map.ModuleCode);
    ModuleName = std::move(map.ModuleName);
}

void LinkedList::LoadExistingList(const std::wstring& MapName, std::int16_t& PageCounter, std::wstring& ModuleCode,
                                  std::wstring& ModuleName, const std::wstring& /*ModulePath*/) {
    LoadInto(kMain, MapName, PageCounter, ModuleCode, ModuleName);
}

void LinkedList::LoadExistingTempList(const std::wstring& MapName, std::int16_t& PageCounter,
                                      std::wstring& ModuleCode, std::wstring& ModuleName,
                                      const std::wstring& /*ModulePath*/) {
    LoadInto(kTemp, MapName, PageCounter, ModuleCode, ModuleName);
}

void LinkedList::NextPage() {
    Node*& current = CurrentNode[kMain];
    if (current != nullptr && current->NextNode != nullptr) current = current->NextNode;
}

void LinkedList::PreviousPage() {
    Node*& current = CurrentNode[kMain];
    if (current != nullptr && current->PreviousNode != nullptr) current = current->PreviousNode;
}

std::wstring LinkedList::GetNextPageName() const {
    const Node* current = CurrentNode[kMain];
    return current != nullptr && current->NextNode != nullptr ? current->NextNode->PageName : std::wstring();
}

std::wstring LinkedList::GetPrevPageName() const {
    const Node* current = CurrentNode[kMain];
    return current != nullptr && current->PreviousNode != nullptr ? current->PreviousNode->PageName : std::wstring();
}

std::wstring LinkedList::GetCurrentPageName() const {
    return CurrentNode[kMain] != nullptr ? CurrentNode[kMain]->PageName : std::wstring();
}

std::wstring LinkedList::GetCurrentTempPageName() const {
    return CurrentNode[kTemp] != nullptr ? CurrentNode[kTemp]->PageName : std::wstring();
}

void LinkedList::GetAllInfo(Chain chain, std::int32_t& PageCount, std::vector<std::wstring>& PageName,
                            std::vector<std::wstring>& PageType, std::vector<std::wstring>& TopicName) const {
    PageName.assign(1, std::wstring());
    PageType.assign(1, std::wstring());
    TopicName.assign(1, std::wstring());
    for (const Node* node = ListHead[chain]->NextNode; node != nullptr; node = node->NextNode) {
        PageName.push_back(node->PageName);
        PageType.push_back(node->PageType);
        TopicName.push_back(node->TopicName);
    }
    PageCount = static_cast<std::int32_t>(PageName.size() - 1);
}

void LinkedList::GetAllPageInfo(std::int32_t& PageCount, std::vector<std::wstring>& PageName,
                                std::vector<std::wstring>& PageType, std::vector<std::wstring>& TopicName) const {
    GetAllInfo(kMain, PageCount, PageName, PageType, TopicName);
}

void LinkedList::GetAllTempPageInfo(std::int32_t& PageCount, std::vector<std::wstring>& PageName,
                                    std::vector<std::wstring>& PageType, std::vector<std::wstring>& TopicName) const {
    GetAllInfo(kTemp, PageCount, PageName, PageType, TopicName);
}

std::wstring LinkedList::GetCurrentPageTpye() const {
    return CurrentNode[kMain] != nullptr ? CurrentNode[kMain]->PageType : std::wstring();
}

std::wstring LinkedList::GetCurrentPageTopName() const {
    return CurrentNode[kMain] != nullptr ? CurrentNode[kMain]->TopicName : std::wstring();
}

bool LinkedList::PageExist(const std::wstring& PageName) const {
    const Node* found = FindInMain(PageName);
    return found != nullptr && found != ListHead[kMain];
}

void LinkedList::SetPageAsCurrent(const std::wstring& PageName) {
    if (Node* found = FindInMain(PageName)) CurrentNode[kMain] = found;
}

void LinkedList::GoToFirstPage() { CurrentNode[kMain] = ListHead[kMain]->NextNode; }

void LinkedList::GoToLastPage() { CurrentNode[kMain] = tail_[kMain]; }

void LinkedList::WriteMapFile() {
    const AppState& app = App();
    if (app.ModulePath.empty()) return;  // no module is open: there is no folder to write to
    const std::wstring path = zv::JoinPath(app.ModulePath, L"Map.txt");
    try {
        zv::WriteFileReplacing(path, FormatPageMap(app.ModuleCode, app.ModuleName, app.PageCounter, ListHead[kMain]->NextNode));
    } catch (const zv::Error& e) {
        TellAuthor(L"The page list of the module could not be saved. " + e.Description() +
                   L" The previous page list file was kept.");
    }
}
