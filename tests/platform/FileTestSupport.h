// A scratch folder mapped to drive C: for the file-layer tests, with helpers to look at what the
// layer left there and to run a piece of the layer as an unprivileged user.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

namespace wdx::test {

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The native path of a name in the scratch folder, and the Windows path the layer is given.
  std::string Native(const std::string& relative) const { return root_ + "/" + relative; }
  static std::string Win(const std::string& relative);
  void Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;
  struct stat Stat(const std::string& relative) const;
  // The names in a folder of the scratch folder, sorted.
  std::vector<std::string> Names(const std::string& relative = "") const;
  const std::string& Root() const { return root_; }

  // Runs `body` in a child process that has dropped to the user and group `id` (65534, nobody,
  // unless given); the child's result is the text `body` returns ("" for success, else what
  // went wrong) or, for an exception, its message.
  static std::string AsUser(const std::function<std::string()>& body, unsigned id = 65534);
  static bool IsRoot();

 private:
  std::string root_;
};

// The message of the exception `call` raises, or "no exception".
std::string MessageOf(const std::function<void()>& call);

}  // namespace wdx::test
