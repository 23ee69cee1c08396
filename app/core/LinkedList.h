#pragma once
// A module's page list: a doubly linked chain of Node records behind an empty head, with a cursor
// on the current page, and a second, independent chain (the temp chain) for browsing another
// module's pages. The main chain is stored in the module's page map file Map.txt.

#include <cstdint>
#include <string>
#include <vector>

struct Node {
    std::wstring PageName;   // four digits and ".txm"; empty in a head record
    std::wstring PageType;   // "Page", "Topic" or "Test"
    std::wstring TopicName;  // kept for "Topic" pages only
    std::wstring ModuleName;
    Node* PreviousNode = nullptr;
    Node* NextNode = nullptr;
};

// Records no chain uses any more, kept for the next ones: reading a module again after the list was
// cleared reuses the records and the room their texts had, instead of allocating them anew.
class NodePool {
public:
    NodePool() = default;
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;
    ~NodePool();

    // A record with no links; its texts are empty but may keep their room.
    Node* Take();
    // Gives back one record, or a whole chain linked through NextNode.
    void Give(Node* node);
    void GiveChain(Node* first);

private:
    Node* spare_ = nullptr;  // linked through NextNode
};

// The content of a page map file. Its pages are a chain of records that nobody else holds yet;
// they go back to the pool with the map unless a list takes them over.
struct PageMap {
    explicit PageMap(NodePool& pool) : Pool(pool) {}
    PageMap(const PageMap&) = delete;
    PageMap& operator=(const PageMap&) = delete;
    ~PageMap() { Pool.GiveChain(FirstPage); }

    NodePool& Pool;
    std::wstring ModuleCode;
    std::wstring ModuleName;
    std::int16_t PageCounter = 0;  // the stored value + 1
    Node* FirstPage = nullptr;
    Node* LastPage = nullptr;
};

// Page files are named by four digits: a module holds at most this many pages.
inline constexpr int kMaxMapPages = 9999;

// Parses the bytes of a page map file into `map`; throws zv::Error with a description naming the
// file (`mapName`) and the line for a malformed file or one that lists more than kMaxMapPages pages.
void ParsePageMap(std::string_view bytes, const std::wstring& mapName, PageMap& map);

// The bytes of a page map file listing the chain that starts at `firstPage`.
std::string FormatPageMap(const std::wstring& moduleCode, const std::wstring& moduleName,
                          std::int16_t pageCounter, const Node* firstPage);

class LinkedList {
public:
    enum Chain { kMain = 0, kTemp = 1 };

    LinkedList();
    ~LinkedList();
    LinkedList(const LinkedList&) = delete;
    LinkedList& operator=(const LinkedList&) = delete;

    void InitLinedList();
    void InitTempLinkedList();

    void Add_Page(const std::wstring& PName, const std::wstring& PType, const std::wstring& TName, bool Loading);
    void AddToTempLinkedList(const std::wstring& PName, const std::wstring& PType, const std::wstring& TName,
                             bool Loading);
    void InsertNewPage(const std::wstring& PName, const std::wstring& PType, const std::wstring& TName,
                       const std::wstring& IsrtOrgPageName, std::int16_t InsertionPoint);
    void EditCurrentPage(const std::wstring& PageType, const std::wstring& TopicName);
    void Delete_Page(const std::wstring& PageToDelete);

    void LoadExistingList(const std::wstring& MapName, std::int16_t& PageCounter, std::wstring& ModuleCode,
                          std::wstring& ModuleName, const std::wstring& ModulePath);
    void LoadExistingTempList(const std::wstring& MapName, std::int16_t& PageCounter, std::wstring& ModuleCode,
                              std::wstring& ModuleName, const std::wstring& ModulePath);
    // LoadExistingList from a map parsed already (a caller that checks the file before it changes
    // anything reads it once): its pages join the main chain, and the map is left without pages.
    void LoadParsedList(PageMap& map, std::int16_t& PageCounter, std::wstring& ModuleCode, std::wstring& ModuleName);
    // Where the list keeps records no chain uses: a map parsed with it reuses them.
    NodePool& Pool() { return pool_; }

    void NextPage();
    void PreviousPage();
    std::wstring GetNextPageName() const;
    std::wstring GetPrevPageName() const;
    std::wstring GetCurrentPageName() const;
    std::wstring GetCurrentTempPageName() const;

    // PageCount is 32-bit: a 16-bit count of a long list wraps (40,000 pages would count -25,536).
    void GetAllPageInfo(std::int32_t& PageCount, std::vector<std::wstring>& PageName,
                        std::vector<std::wstring>& PageType, std::vector<std::wstring>& TopicName) const;
    void GetAllTempPageInfo(std::int32_t& PageCount, std::vector<std::wstring>& PageName,
                            std::vector<std::wstring>& PageType, std::vector<std::wstring>& TopicName) const;

    std::wstring GetCurrentPageTpye() const;
    std::wstring GetCurrentPageTopName() const;
    bool PageExist(const std::wstring& PageName) const;
    void SetPageAsCurrent(const std::wstring& PageName);
    void GoToFirstPage();
    void GoToLastPage();

    // The fields of the list, readable as the program names them.
    Node* ListHead[2] = {nullptr, nullptr};
    Node* CurrentNode[2] = {nullptr, nullptr};
    Node* NewNode = nullptr;
    Node* WalkNode = nullptr;
    mutable std::wstring FoundName;

    // Rewrites ModulePath\Map.txt from the state record and the main chain. A failure leaves the
    // old file in place and is told to the author.
    void WriteMapFile();

private:
    void InitChain(Chain chain);
    void FreeChain(Chain chain);
    void Append(Chain chain, std::wstring name, std::wstring type, std::wstring topic);
    Node* FindInMain(const std::wstring& name) const;
    void LoadInto(Chain chain, const std::wstring& MapName, std::int16_t& PageCounter, std::wstring& ModuleCode,
                  std::wstring& ModuleName);
    void TakeMap(Chain chain, PageMap& map, std::int16_t& PageCounter, std::wstring& ModuleCode,
                 std::wstring& ModuleName);
    void GetAllInfo(Chain chain, std::int32_t& PageCount, std::vector<std::wstring>& PageName,
                    std::vector<std::wstring>& PageType, std::vector<std::wstring>& TopicName) const;

    Node* tail_[2] = {nullptr, nullptr};  // last record of each chain, so that appending is O(1)
    NodePool pool_;
};
