// The word-processor server: one creatable class under the ProgID the conversion asks for.
#include "com/ClassTable.h"

#include "components/wordproc/win32/WordAutomation.h"
#include "components/wordproc/win32/WordProcIdl.h"

namespace zvcom {

namespace {

const ClassEntry kClasses[] = {
    {&CLSID_WordApplication, &IID_IWordApplication, nullptr, L"WordApplication", L"Word.Application", false, 0,
     &wordproc::CreateWordApplication, nullptr},
};

}  // namespace

const ServerDefinition& Server() {
    static const ServerDefinition server{L"WordProc", kClasses};
    return server;
}

}  // namespace zvcom
