#include "controls/com/ClassTable.h"

#include "controls/ColorCombo.h"
#include "controls/ColorList.h"
#include "controls/FontType.h"
#include "controls/MultiGradient.h"
#include "controls/RegOptions.h"
#include "controls/com/PalvexIdl.h"

namespace palvex {

namespace {

const ClassEntry kClasses[] = {
    {&CLSID_FontType, &IID__FontType, nullptr, L"FontType", L"Palvex.FontType", false, 0, &FontType::CreateInstance},
    {&CLSID_MultiGradient, &IID__MultiGradient, nullptr, L"MultiGradient", L"Palvex.MultiGradient", false, 0,
     &MultiGradient::CreateInstance},
    {&CLSID_RegOptions, &IID__RegOptions, nullptr, L"RegOptions", L"Palvex.RegOptions", false, 0,
     &RegOptions::CreateInstance},
    {&CLSID_ColorCombo, &IID__ColorCombo, &DIID___ColorCombo, L"ColorCombo", L"Palvex.ColorCombo", true, 30000,
     &ColorCombo::CreateInstance},
    {&CLSID_ColorList, &IID__ColorList, &DIID___ColorList, L"ColorList", L"Palvex.ColorList", true, 30001,
     &ColorList::CreateInstance},
};

}  // namespace

std::span<const ClassEntry> ClassTable() { return kClasses; }

const ClassEntry* FindClass(REFCLSID clsid) {
    for (const ClassEntry& entry : kClasses)
        if (IsEqualCLSID(*entry.clsid, clsid)) return &entry;
    return nullptr;
}

}  // namespace palvex
