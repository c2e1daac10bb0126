// The list of the file-open dialog: the folder shown, its sub-folders (under ".." when it has a
// parent) and the files that match the filter's masks, and which entry is selected.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/ui/PlatformFrontEnd.h"
#include "framework/ui/terminal/Key.h"

namespace wdx::terminal {

struct TListEntry {
  std::string Name;
  bool IsFolder = false;
};

class TFileList {
 public:
  TFileList(const TFileBrowsing& files, std::vector<std::string> masks)
      : files_(files), masks_(std::move(masks)) {}

  bool FolderExists(const std::string& path) const;

  // Lists `folder`, selecting the last file that matches `name` (the first entry when none does).
  void Load(const std::string& folder, const std::string& name);
  // Goes into a folder entry; ".." goes up.
  void Open(const TListEntry& entry, const std::string& name);

  const std::string& Folder() const { return folder_; }
  const std::vector<TListEntry>& Entries() const { return entries_; }
  size_t Selected() const { return selected_; }

  // Moves the selection for Up, Down, PageUp, PageDown (by `page` entries), Home, End, or a
  // typed character (to the next entry starting with it); false for any other key.
  bool Move(const TKey& key, size_t page);
  // Scrolls a list `rows` entries high so that it shows the selection; the first entry shown.
  size_t Fit(size_t rows);

 private:
  const TFileBrowsing& files_;
  std::vector<std::string> masks_;
  std::string folder_;
  std::vector<TListEntry> entries_;
  size_t selected_ = 0;
  size_t scroll_ = 0;
};

}  // namespace wdx::terminal
