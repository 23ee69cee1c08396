#pragma once
// HTML (format code 4) and its style sheet (format code 11) as browsers and word processors read
// them: UTF-8, every format a class of one style sheet that the page embeds, paragraphs, bulleted
// and numbered lists with their levels and numbering styles, tables with their column widths, cell
// borders and backgrounds, pictures as files beside the page, links (a page link goes to that
// page's HTML file), and the marks as anchors. The style sheet's @page rule carries the page size
// and margins. A web page has no header or footer, and movies stay in the program: neither is
// written.

#include <string>
#include <vector>

#include "components/textcontrol/model/Document.h"

namespace tx {

struct HtmlPicture {
    std::wstring name;  // relative to the page, folders separated by '/'
    std::string bytes;
};

struct HtmlPage {
    std::string html;
    std::vector<HtmlPicture> pictures;  // for the caller to write beside the page
};

// `pictureFolder`: the folder beside the page that the pictures go to ("" = beside the page).
HtmlPage WriteHtml(const Document& document, std::wstring_view pictureFolder);
std::string WriteCss(const Document& document);

// The folder a page's pictures go to: its file name without the extension, and "_files".
std::wstring HtmlPictureFolder(std::wstring_view pageFileName);

// A page link's target ("000042\0007.txm": a module code, a backslash and a page file) as the
// address of that page's HTML file beside its module's folder ("../000042/0007.htm"); any other
// target as it is.
std::wstring HtmlLinkAddress(std::wstring_view target, std::wstring_view extension = L".htm");

}  // namespace tx
