#pragma once
// Reads HTML (format code 4) into a new document: paragraphs and headings, line breaks, character
// formats (tags, <font> and the common inline style properties), bulleted and numbered lists with
// their levels, tables (a table inside a table cell becomes paragraphs of that cell), images from
// files beside the page, named anchors (<a name>, and the id of any element) as marks, and links
// (<a href>) as link fields: "#name" an anchor of the same document (kind 2), anything else kind 1.
// Scripts, style sheets, the title and tags it does not know are skipped; text inside unknown tags
// stays. Windows-1252 or UTF-8, by byte-order mark, by the page's declared charset, else UTF-8
// when the bytes are valid UTF-8.
//
// HTML in the wild is rarely well formed, so the reader repairs what browsers repair (unclosed
// paragraphs, list items and cells, stray end tags, unterminated comments) and fails only where
// the text control's limits are passed: the zv::Error says what and at which character.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "components/textcontrol/model/Document.h"

namespace tx {

struct HtmlOptions {
    // Links become link fields; otherwise only their shown text is kept.
    bool importLinks = true;
    // The bytes of an image the page names; called only for names that IsLocalImageName accepts,
    // already %-decoded. Empty: the image is left out. No reader: images are left out.
    std::function<std::optional<std::string>(const std::wstring& relativeName)> readImage;
};

Document ReadHtml(std::string_view bytes, const HtmlOptions& options = {});

// A name that stays beside the page: relative, no drive, root, scheme, ".." part or empty part.
// Both '/' and '\' separate folders.
bool IsLocalImageName(std::wstring_view name);

}  // namespace tx
