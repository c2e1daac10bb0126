// Bringing a translation up to date with a fresh template, the way a translator needs it when the
// program's texts changed. Messages are matched by their context, which names where a text lives
// and stays when the text changes:
//
// - a message whose context the template still has keeps its translation, its translator's
//   comments and flags; when its msgid changed it becomes fuzzy, with the msgid it was
//   translated from as "#| msgid" (kept from before when it was fuzzy already), and when the
//   msgid comes back to that text, the message is translated again;
// - a message of a new context is untranslated, unless the file translates the same msgid
//   elsewhere: that translation comes as a fuzzy suggestion, "#|" naming where it was found;
// - a translated message whose context the template no longer has becomes obsolete ("#~"),
//   and an obsolete message whose context comes back is taken up again;
// - the template gives the order, the references and the notes for translators; the file keeps
//   its header, its byte order mark and its line ends.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace wdx {

// How a reference of the template reads from the PO file's folder.
using PoReferenceMap = std::function<std::string(const std::string&)>;

// The merged file. Raises PoError for a file or a template that does not parse.
std::string MergePoFile(std::string_view po, const std::string& poName, std::string_view pot,
                        const std::string& potName, const PoReferenceMap& reference = nullptr);

}  // namespace wdx
