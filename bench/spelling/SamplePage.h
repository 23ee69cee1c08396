#pragma once
// The page the spelling benchmarks check: about 500 words of ordinary prose with a few slips, a
// number and an address, in paragraphs ending with CR LF.

#include <string>

namespace sp::bench {

inline std::wstring SamplePage(int paragraphs = 5) {
    const std::wstring paragraph =
        L"When the author opens a module, the editor shows its first page. Each page holds text, tables, "
        L"images and movies; the author writes, formats and links them as a learner will later see them "
        L"in the player. Spelling matters here: a page with recieve or teh in it looks careless, and a "
        L"learner who meets such slips trusts the course a little less. The checker reads the page word by "
        L"word, skips numbers such as 2024 and addresses like www.example.com, and stops at each word it "
        L"does not know, so that the author can change it, ignore it or add it to the dictionary.\r\n";
    std::wstring page;
    for (int i = 0; i < paragraphs; ++i) page += paragraph;
    return page;
}

}  // namespace sp::bench
