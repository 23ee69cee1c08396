// Palvex as a server: its creatable classes.
#include "com/ClassTable.h"

#include "controls/ColorCombo.h"
#include "controls/ColorList.h"
#include "controls/FontType.h"
#include "controls/MultiGradient.h"
#include "controls/RegOptions.h"
#include "controls/com/PalvexIdl.h"

namespace zvcom {

namespace {

const ClassEntry kClasses[] = {
    {&CLSID_FontType, &IID__FontType, nullptr, L"FontType", L"Palvex.FontType", false, 0, &palvex::FontType::CreateInstance, nullptr},
    {&CLSID_MultiGradient, &IID__MultiGradient, nullptr, L"MultiGradient", L"Palvex.MultiGradient", false, 0,
     &palvex::MultiGradient::CreateInstance, nullptr},
    {&CLSID_RegOptions, &IID__RegOptions, nullptr, L"RegOptions", L"Palvex.RegOptions", false, 0,
     &palvex::RegOptions::CreateInstance, nullptr},
    {&CLSID_ColorCombo, &IID__ColorCombo, &DIID___ColorCombo, L"ColorCombo", L"Palvex.ColorCombo", true, 30000,
     &palvex::ColorCombo::CreateInstance, nullptr},
    {&CLSID_ColorList, &IID__ColorList, &DIID___ColorList, L"ColorList", L"Palvex.ColorList", true, 30001,
     &palvex::ColorList::CreateInstance, nullptr},
};

}  // namespace

const ServerDefinition& Server() {
    static const ServerDefinition server{L"Palvex", kClasses};
    return server;
}

}  // namespace zvcom
