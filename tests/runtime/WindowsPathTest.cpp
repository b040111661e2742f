#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/WindowsPath.h"

namespace rp {
namespace {

// The folders a file writer makes for a path: those below the drive or the share, which no
// one can make; a share's server is no folder at all.
TEST(WindowsPath, TheFoldersToMakeStartBelowTheDriveOrTheShare) {
  using Folders = std::vector<std::string>;
  const struct {
    const char* path;
    Folders folders;
  } cases[] = {
      {"C:\\Users\\Ann\\Kelvadore", {"C:\\Users", "C:\\Users\\Ann", "C:\\Users\\Ann\\Kelvadore"}},
      {"C:\\", {}},
      {"C:", {}},
      {"\\\\server\\share\\dir\\sub", {"\\\\server\\share\\dir", "\\\\server\\share\\dir\\sub"}},
      {"\\\\server\\share", {}},
      {"\\\\server\\share\\", {}},
      {"\\\\?\\C:\\very\\long", {"\\\\?\\C:\\very", "\\\\?\\C:\\very\\long"}},
      {"\\\\?\\UNC\\server\\share\\dir", {"\\\\?\\UNC\\server\\share\\dir"}},
      {"\\\\?\\UNC\\server\\share", {}},
      {"D:\\dir\\\\twice\\", {"D:\\dir", "D:\\dir\\\\twice"}},
      {"relative\\dir", {"relative", "relative\\dir"}},
  };
  for (const auto& c : cases) EXPECT_EQ(FoldersBelowRoot(c.path), c.folders) << c.path;
}

}  // namespace
}  // namespace rp
