// Text and path helpers of the terminal front-end, free of the screen so that they can be tested
// alone.
#pragma once

#include <string>
#include <vector>

namespace wdx::terminal {

// The lines of a text: a carriage return alone, a line feed alone and a carriage return followed
// by a line feed each end a line. An empty text is one empty line.
std::vector<std::string> SplitLines(const std::string& text);

// The text broken into lines of at most `width` characters at blanks; its own line breaks are
// kept, and a word longer than a line is cut.
std::vector<std::string> WrapText(const std::string& text, int width);

// A button as the screen shows it: "[ Caption ]".
std::string ButtonText(const std::string& caption);

// Whether a file name matches a mask with "*" and "?", ignoring the case of ASCII letters.
bool MatchesMask(const std::string& name, const std::string& mask);

// The masks of entry `index` (counted from 1) of a filter "Description|mask;mask|...", and its
// description. A filter without entries shows every file.
std::vector<std::string> FilterMasks(const std::string& filter, int index);
std::string FilterDescription(const std::string& filter, int index);

// Windows paths as the program sees them: "Z:\folder\file".
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder holding a path ("Z:\a" for "Z:\a\b", "Z:\" for "Z:\a"); empty when it has none.
std::string FolderOf(const std::string& path);
// The last part of a path.
std::string NameOf(const std::string& path);
// What a typed path names, seen from `folder`: a path with a drive stands for itself, one that
// starts with a backslash is on the folder's drive, anything else lies inside the folder. "."
// and ".." are resolved, "/" counts as "\" and a trailing separator is dropped (but for a
// drive's root).
std::string ResolvePath(const std::string& folder, const std::string& typed);

}  // namespace wdx::terminal
