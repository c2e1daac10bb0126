#include "translations/PoMerge.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "translations/PoFile.h"

namespace wdx {

namespace {

// What a message is matched by: its context, or without one its msgid.
std::string KeyOf(const PoEntry& entry) {
  return entry.hasContext ? "1" + entry.context : "0" + entry.msgid;
}

bool Translated(const PoEntry& entry) {
  for (const std::string& text : entry.msgstr) {
    if (!text.empty()) return true;
  }
  return false;
}

// The translated messages of a file, live ones before obsolete ones: by key, and (reviewed ones
// only) by msgid for suggestions.
class OldMessages {
 public:
  explicit OldMessages(const std::vector<PoEntry>& entries) {
    for (const bool obsolete : {false, true}) {
      for (const PoEntry& entry : entries) {
        if (entry.IsHeader() || entry.obsolete != obsolete) continue;
        byKey_.emplace(KeyOf(entry), &entry);
        if (Translated(entry) && !entry.fuzzy && !entry.plural)
          byMsgid_.emplace(entry.msgid, &entry);
      }
    }
  }
  const PoEntry* ByKey(const std::string& key) const { return Find(byKey_, key); }
  const PoEntry* ByMsgid(const std::string& msgid) const { return Find(byMsgid_, msgid); }

 private:
  static const PoEntry* Find(const std::unordered_map<std::string, const PoEntry*>& map,
                             const std::string& key) {
    const auto found = map.find(key);
    return found == map.end() ? nullptr : found->second;
  }
  std::unordered_map<std::string, const PoEntry*> byKey_;
  std::unordered_map<std::string, const PoEntry*> byMsgid_;
};

void CopyPrevious(PoEntry& to, const PoEntry& from) {
  to.hasPreviousContext = from.hasPreviousContext;
  to.previousContext = from.previousContext;
  to.hasPreviousMsgid = from.hasPreviousMsgid;
  to.previousMsgid = from.previousMsgid;
}

// The template's message `fresh` with what the file had for its context.
void TakeOver(PoEntry& merged, const PoEntry& old) {
  merged.translatorComments = old.translatorComments;
  merged.flags = old.flags;
  if (old.plural != merged.plural || !Translated(old)) return;
  merged.msgstr = old.msgstr;
  // Fuzzy only because the text had changed, and now back to the one it was translated from.
  if (old.fuzzy && old.hasPreviousMsgid && !old.hasPreviousContext &&
      old.previousMsgid == merged.msgid) {
    return;
  }
  const bool same = old.msgid == merged.msgid && old.msgidPlural == merged.msgidPlural;
  if (same) {
    merged.fuzzy = old.fuzzy;
    if (old.fuzzy) CopyPrevious(merged, old);
    return;
  }
  merged.fuzzy = true;
  if (old.fuzzy && old.hasPreviousMsgid) {
    CopyPrevious(merged, old);  // still the text it was first translated from
  } else {
    merged.hasPreviousMsgid = true;
    merged.previousMsgid = old.msgid;
  }
}

void Suggest(PoEntry& merged, const PoEntry& elsewhere) {
  merged.msgstr = elsewhere.msgstr;
  merged.fuzzy = true;
  merged.hasPreviousContext = elsewhere.hasContext;
  merged.previousContext = elsewhere.context;
  merged.hasPreviousMsgid = true;
  merged.previousMsgid = elsewhere.msgid;
}

}  // namespace

std::string MergePoFile(std::string_view po, const std::string& poName, std::string_view pot,
                        const std::string& potName, const PoReferenceMap& reference) {
  const std::vector<PoEntry> old = ParsePoFile(po, poName);
  const std::vector<PoEntry> fresh = ParsePoFile(pot, potName);
  const OldMessages messages(old);

  std::vector<PoEntry> merged;
  for (const std::vector<PoEntry>* file : {&old, &fresh}) {
    for (const PoEntry& entry : *file) {
      if (merged.empty() && entry.IsHeader()) merged.push_back(entry);
    }
  }
  std::unordered_set<std::string> kept;
  for (const PoEntry& entry : fresh) {
    if (entry.IsHeader() || entry.obsolete) continue;
    const std::string key = KeyOf(entry);
    if (!kept.insert(key).second) continue;
    PoEntry message;
    message.line = entry.line;
    message.hasContext = entry.hasContext;
    message.context = entry.context;
    message.msgid = entry.msgid;
    message.plural = entry.plural;
    message.msgidPlural = entry.msgidPlural;
    message.msgstr.assign(entry.plural ? std::max<size_t>(entry.msgstr.size(), 2) : 1, "");
    message.extractedComments = entry.extractedComments;
    message.references = entry.references;
    if (reference) {
      for (std::string& place : message.references) place = reference(place);
    }
    if (const PoEntry* before = messages.ByKey(key)) {
      TakeOver(message, *before);
    } else if (const PoEntry* elsewhere = messages.ByMsgid(entry.msgid);
               elsewhere && !entry.plural) {
      Suggest(message, *elsewhere);
    }
    merged.push_back(std::move(message));
  }
  // What the template no longer has, translated, is kept out of the way at the end.
  std::unordered_set<std::string> retired;
  for (const PoEntry& entry : old) {
    if (entry.IsHeader() || !Translated(entry)) continue;
    const std::string key = KeyOf(entry);
    if (kept.count(key) || !retired.insert(key).second) continue;
    PoEntry obsolete = entry;
    obsolete.obsolete = true;
    obsolete.references.clear();
    obsolete.extractedComments.clear();
    merged.push_back(std::move(obsolete));
  }
  return WritePoFile(merged, PoLayoutOf(po));
}

}  // namespace wdx
