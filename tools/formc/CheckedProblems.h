// The problems formc finds in one form source, each placed on a line of it, told in the order of
// their lines as "<file>:<line>: <what>".
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace formc {

class TCheckedProblems {
 public:
  explicit TCheckedProblems(std::string file) : file_(std::move(file)) {}

  void Add(int line, std::string what) { problems_.emplace_back(line, std::move(what)); }

  std::vector<std::string> Told() && {
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> told;
    for (auto& [line, what] : problems_) {
      told.push_back(file_ + ":" + std::to_string(line) + ": " + std::move(what));
    }
    return told;
  }

 private:
  std::string file_;
  std::vector<std::pair<int, std::string>> problems_;
};

}  // namespace formc
