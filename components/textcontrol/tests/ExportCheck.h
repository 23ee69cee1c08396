#pragma once
// Reading exported files back the way other programs read them: libxml2 for HTML and XML, tinycss2
// (through Debian's Python) for style sheets, and, for PDF, the command-line tools of a PDF library.
// Native tests only.

#include <libxml/tree.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tx::testing {

struct XmlDocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using XmlDocument = std::unique_ptr<xmlDoc, XmlDocFree>;

// Parsed strictly (XML) or as browsers parse (HTML); every message libxml2 gives goes to `errors`.
XmlDocument ParseXml(const std::string& bytes, std::vector<std::string>& errors);
XmlDocument ParseHtml(const std::string& bytes, std::vector<std::string>& errors);

// Elements by local name (any namespace), in document order.
std::vector<xmlNode*> Elements(xmlNode* root, const char* name);
std::string Attribute(xmlNode* node, const char* name);  // by local name; "" when absent
std::string TextOf(xmlNode* node);                     // all text below the node

// The class names a style sheet defines, or the parser's complaint in `error`.
std::vector<std::string> CssClasses(const std::string& css, std::string& error);

// Runs a command line; its standard output, and its exit status in `status`.
std::string RunCommand(const std::string& command, int& status);

// A folder of its own under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

}  // namespace tx::testing
