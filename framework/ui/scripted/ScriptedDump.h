// What the scripted front-end's "dump" prints of a form: for the form and each of its components
// in creation order, each of these properties it publishes, as <name>.<property>=<value>:
// Caption, Text, Enabled, Visible, TabVisible, Language, Checked, ItemIndex, ActivePage (the
// page's name), then a line per item or line of its string lists, <name>.Items[<i>]=<text> and
// <name>.Lines[<i>]=<text>. Booleans are True or False; texts are escaped (ScriptText.h).
#pragma once

#include <functional>
#include <string>

namespace wdx {

class TCustomForm;

void DumpForm(const TCustomForm& form, const std::function<void(const std::string&)>& print);

}  // namespace wdx
