// The entries of a form's language controls (their "LanguageManager_Comps", written in full or by
// one-line marks) checked against the form's components as the language control resolves them
// when it loads: an entry whose component is not in the form, a property its class does not
// publish, or a kind that is not the property's, is dropped there without a word. Here each is a
// problem on the line of the entry's record: "LangControl: TButton btCancel has no property
// Captoin", "LangControl: btOk.Default is a tkEnumeration property, not a text (tkLString)". The
// sub-entries of an entry (objects reached through a component's properties) are not checked.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/components/ObjectText.h"
#include "tools/formc/CheckedProblems.h"

namespace wdx {
class TComponent;
}

namespace formc {

// `root` is the form read from `stream`; `unchecked` tells the components whose class formc does
// not know, whose properties are not checked.
void CheckLanguageData(const std::vector<uint8_t>& stream, const wdx::TFormSourceMap& map,
                       const wdx::TComponent& root,
                       const std::function<bool(const wdx::TComponent&)>& unchecked,
                       TCheckedProblems& problems);

}  // namespace formc
