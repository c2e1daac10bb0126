#include "framework/ui/terminal/FileList.h"

#include "framework/rtl/Utf8.h"

#include <algorithm>

#include "framework/ui/terminal/TextLayout.h"

namespace wdx::terminal {

bool TFileList::FolderExists(const std::string& path) const {
  return !path.empty() && files_.FolderExists && files_.FolderExists(path);
}

void TFileList::Load(const std::string& folder, const std::string& name) {
  folder_ = folder;
  entries_.clear();
  const std::string parent = FolderOf(folder_);
  if (!parent.empty() && parent != folder_) entries_.push_back({"..", true});
  std::vector<TFolderEntry> listed;
  if (files_.ListFolder) listed = files_.ListFolder(folder_);
  for (const TFolderEntry& entry : listed) {
    if (entry.IsFolder) entries_.push_back({entry.Name, true});
  }
  for (const TFolderEntry& entry : listed) {
    if (entry.IsFolder) continue;
    const bool matches = std::any_of(masks_.begin(), masks_.end(), [&](const std::string& mask) {
      return MatchesMask(entry.Name, mask);
    });
    if (matches) entries_.push_back({entry.Name, false});
  }
  selected_ = 0;
  scroll_ = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (!entries_[i].IsFolder && MatchesMask(entries_[i].Name, name)) selected_ = i;
  }
}

void TFileList::Open(const TListEntry& entry, const std::string& name) {
  Load(entry.Name == ".." ? FolderOf(folder_) : JoinPath(folder_, entry.Name), name);
}

bool TFileList::Move(const TKey& key, size_t page) {
  if (entries_.empty()) return false;
  const size_t last = entries_.size() - 1;
  page = std::max<size_t>(page, 1);
  if (key.Is(TFunctionKey::Up)) {
    if (selected_ > 0) --selected_;
  } else if (key.Is(TFunctionKey::Down)) {
    selected_ = std::min(selected_ + 1, last);
  } else if (key.Is(TFunctionKey::PageUp)) {
    selected_ = selected_ > page ? selected_ - page : 0;
  } else if (key.Is(TFunctionKey::PageDown)) {
    selected_ = std::min(selected_ + page, last);
  } else if (key.Is(TFunctionKey::Home)) {
    selected_ = 0;
  } else if (key.Is(TFunctionKey::End)) {
    selected_ = last;
  } else if (key.Printable()) {
    std::string typed;
    AppendUtf8(typed, static_cast<char32_t>(key.Char));
    for (size_t step = 1; step <= entries_.size(); ++step) {
      const size_t i = (selected_ + step) % entries_.size();
      const std::string& name = entries_[i].Name;
      if (!name.empty() && MatchesMask(name.substr(0, DecodeUtf8(name, 0).Length), typed)) {
        selected_ = i;
        break;
      }
    }
  } else {
    return false;
  }
  return true;
}

size_t TFileList::Fit(size_t rows) {
  rows = std::max<size_t>(rows, 1);
  selected_ = std::min(selected_, entries_.empty() ? 0 : entries_.size() - 1);
  if (selected_ < scroll_) scroll_ = selected_;
  if (selected_ >= scroll_ + rows) scroll_ = selected_ - rows + 1;
  return scroll_;
}

}  // namespace wdx::terminal
