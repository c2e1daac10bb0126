#include "framework/ui/terminal/TextLayout.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "framework/rtl/Utf8.h"
#include "framework/ui/terminal/CellText.h"

namespace wdx::terminal {

namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// "*" matches any characters, "?" one character; ASCII letters match either case.
bool Match(std::string_view name, std::string_view mask) {
  while (!mask.empty()) {
    if (mask.front() == '*') {
      while (mask.size() > 1 && mask[1] == '*') mask.remove_prefix(1);
      for (std::string_view rest = name;; rest.remove_prefix(DecodeUtf8(rest, 0).Length)) {
        if (Match(rest, mask.substr(1))) return true;
        if (rest.empty()) return false;
      }
    }
    if (name.empty()) return false;
    const size_t length = DecodeUtf8(name, 0).Length;
    if (mask.front() == '?') {
      mask.remove_prefix(1);
    } else {
      const size_t maskLength = DecodeUtf8(mask, 0).Length;
      if (maskLength != length) return false;
      for (size_t i = 0; i < length; ++i) {
        if (Upper(mask[i]) != Upper(name[i])) return false;
      }
      mask.remove_prefix(maskLength);
    }
    name.remove_prefix(length);
  }
  return name.empty();
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

std::vector<std::string> WrapText(const std::string& text, int width) {
  const int limit = std::max(width, 1);
  std::vector<std::string> out;
  for (const std::string& line : SplitLines(text)) {
    std::string_view rest = line;
    while (TextWidth(rest) > limit) {
      // What fits, and one character more: a blank just after it breaks there too.
      const size_t fits = FittingPrefix(rest, limit);
      const size_t cut = rest.substr(0, fits + 1).rfind(' ');
      if (cut == std::string_view::npos || cut == 0) {
        const size_t taken = std::max<size_t>(fits, NextCharacter(rest, 0));
        out.emplace_back(rest.substr(0, taken));
        rest.remove_prefix(taken);
        continue;
      }
      out.emplace_back(rest.substr(0, cut));
      rest.remove_prefix(cut + 1);
    }
    out.emplace_back(rest);
  }
  return out;
}

std::string ButtonText(const std::string& caption) {
  return "[ " + caption + " ]";
}

bool MatchesMask(const std::string& name, const std::string& mask) {
  return Match(name, mask);
}

std::vector<std::string> FilterMasks(const std::string& filter, int index) {
  const std::vector<std::string> parts = Split(filter, '|');
  std::vector<std::string> masks;
  if (parts.size() >= 2) {
    const size_t entries = parts.size() / 2;
    const size_t entry = index >= 1 && static_cast<size_t>(index) <= entries ? index - 1 : 0;
    for (std::string mask : Split(parts[entry * 2 + 1], ';')) {
      mask.erase(0, mask.find_first_not_of(' '));
      mask.erase(mask.find_last_not_of(' ') + 1);
      if (!mask.empty()) masks.push_back(mask);
    }
  }
  if (masks.empty()) masks.push_back("*");
  return masks;
}

std::string FilterDescription(const std::string& filter, int index) {
  const std::vector<std::string> parts = Split(filter, '|');
  if (parts.size() < 2) return "All files";
  const size_t entries = parts.size() / 2;
  const size_t entry = index >= 1 && static_cast<size_t>(index) <= entries ? index - 1 : 0;
  return parts[entry * 2];
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '\\' || folder.back() == ':') return folder + name;
  return folder + "\\" + name;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos) return HasDrive(path) ? path.substr(0, 2) + "\\" : "";
  if (slash == 2 && HasDrive(path)) return path.substr(0, 3);
  if (slash == 0) return "\\";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ResolvePath(const std::string& folder, const std::string& typed) {
  std::string path = typed;
  std::replace(path.begin(), path.end(), '/', '\\');
  if (!HasDrive(path)) {
    if (!path.empty() && path[0] == '\\') {
      path = (HasDrive(folder) ? folder.substr(0, 2) : std::string()) + path;
    } else {
      path = JoinPath(folder, path);
    }
  }
  std::string drive;
  if (HasDrive(path)) {
    drive = path.substr(0, 2);
    path.erase(0, 2);
  }
  const bool rooted = !path.empty() && path[0] == '\\';
  std::vector<std::string> parts;
  for (const std::string& part : Split(path, '\\')) {
    if (part.empty() || part == ".") continue;
    if (part == ".." && !parts.empty() && parts.back() != "..") {
      parts.pop_back();
    } else if (part != ".." || !rooted) {
      parts.push_back(part);
    }
  }
  std::string result = drive + (rooted ? "\\" : "");
  for (size_t i = 0; i < parts.size(); ++i) result += (i ? "\\" : "") + parts[i];
  if (!drive.empty() && result == drive) result += "\\";
  return result;
}

}  // namespace wdx::terminal
