#include "components/textcontrol/tests/ExportCheck.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace tx::testing {
namespace {

void Collect(void* context, xmlErrorPtr error) {
    auto* errors = static_cast<std::vector<std::string>*>(context);
    std::string message = error && error->message ? error->message : "unknown error";
    while (!message.empty() && message.back() == '\n') message.pop_back();
    errors->push_back("line " + std::to_string(error ? error->line : 0) + ": " + message);
}

void Walk(xmlNode* node, const char* name, std::vector<xmlNode*>& out) {
    for (xmlNode* n = node; n; n = n->next) {
        if (n->type == XML_ELEMENT_NODE && xmlStrcmp(n->name, BAD_CAST name) == 0) out.push_back(n);
        Walk(n->children, name, out);
    }
}

}  // namespace

XmlDocument ParseXml(const std::string& bytes, std::vector<std::string>& errors) {
    xmlSetStructuredErrorFunc(&errors, &Collect);
    XmlDocument doc(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "export.xml", nullptr, XML_PARSE_NONET));
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!doc && errors.empty()) errors.push_back("not parsed");
    return doc;
}

XmlDocument ParseHtml(const std::string& bytes, std::vector<std::string>& errors) {
    xmlSetStructuredErrorFunc(&errors, &Collect);
    XmlDocument doc(htmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "export.htm", nullptr, HTML_PARSE_NONET));
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!doc && errors.empty()) errors.push_back("not parsed");
    return doc;
}

std::vector<xmlNode*> Elements(xmlNode* root, const char* name) {
    std::vector<xmlNode*> out;
    Walk(root, name, out);
    return out;
}

std::string Attribute(xmlNode* node, const char* name) {
    for (xmlAttr* a = node ? node->properties : nullptr; a; a = a->next) {
        if (xmlStrcmp(a->name, BAD_CAST name) != 0) continue;
        xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
        std::string out = value ? reinterpret_cast<const char*>(value) : "";
        xmlFree(value);
        return out;
    }
    return {};
}

std::string TextOf(xmlNode* node) {
    xmlChar* text = xmlNodeGetContent(node);
    std::string out = text ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return out;
}

std::string RunCommand(const std::string& command, int& status) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int raw = pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

std::vector<std::string> CssClasses(const std::string& css, std::string& error) {
    TempFolder folder;
    WriteBytes(folder.File("sheet.css"), css);
    int status = 0;
    const std::string out = RunCommand(std::string(ZV_SYSTEM_PYTHON) + " " + ZV_SOURCE_DIR +
                                           "/components/textcontrol/tests/tools/css_classes.py " + folder.File("sheet.css") +
                                           " 2>&1",
                                       status);
    std::vector<std::string> classes;
    if (status != 0) {
        error = out.empty() ? "the style sheet checker did not run" : out;
        return classes;
    }
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) classes.push_back(line);
    return classes;
}

TempFolder::TempFolder() {
    std::random_device random;
    path_ = (std::filesystem::temp_directory_path() / ("zv-export-" + std::to_string(random()))).string();
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tx::testing
