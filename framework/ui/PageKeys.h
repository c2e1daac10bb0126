// The keys that switch a dialog's pages from any control, as in a property sheet: Ctrl+Tab and
// Ctrl+PageDown go to the next visible page, Ctrl+Shift+Tab and Ctrl+PageUp to the previous one,
// going round at either end. The focus then goes to the new page's first control in focus order,
// or to its tab strip when the page has none.
#pragma once

namespace wdx {

class TControl;
class TCustomForm;
class TPageControl;

// A key as every front-end can describe it: the key itself and the modifiers held with it.
struct TKeyChord {
  enum TBase { Other, Tab, PageDown, PageUp };
  TBase Key = Other;
  bool Ctrl = false;
  bool Shift = false;
};

// +1 for a key that goes to the next page, -1 for one that goes to the previous page, else 0.
int PageStep(const TKeyChord& key);

// The page control the page keys switch: the one holding the focus, or else the first usable
// one in creation order that shows more than one tab; nullptr when there is none.
TPageControl* PagesToSwitch(const TCustomForm& form, const TControl* focused);

// Does what a page key does with `focused` holding the focus. False when it does nothing here
// (not a page key, or no pages to switch); otherwise the page has changed and `focus` is the
// control that takes the focus now (nullptr: the focus stays where it is).
bool HandlePageKey(TCustomForm& form, const TControl* focused, const TKeyChord& key,
                   TControl*& focus);

}  // namespace wdx
