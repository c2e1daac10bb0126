#include "LangControl/Source/EntryTreeWalk.h"

namespace wdx {

bool TMainEntries::ForEachProperty(const TPropertyVisitor& visitor, void* data) {
  return VisitProperties(*this,
                         [&visitor, data](TMainEntry* entry, TPropertyEntry* property, bool& stop) {
                           visitor(entry, property, data, stop);
                         });
}

bool TMainEntry::ForEachProperty(const TPropertyVisitor& visitor, void* data) {
  return VisitProperties(*this,
                         [&visitor, data](TMainEntry* entry, TPropertyEntry* property, bool& stop) {
                           visitor(entry, property, data, stop);
                         });
}

}  // namespace wdx
