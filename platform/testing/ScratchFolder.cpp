#include "platform/testing/ScratchFolder.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>
#include <vector>

TScratchFolder::TScratchFolder(const std::string& Prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (Prefix + "_XXXXXX")).string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (::mkdtemp(buffer.data()) == nullptr)
    throw std::runtime_error("cannot create a scratch folder from " + pattern);
  path_ = buffer.data();
}

TScratchFolder::~TScratchFolder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  // A test may have made a subfolder unreadable or unwritable; give every folder back to the owner
  // first, or its contents would stay behind.
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  for (auto it = fs::recursive_directory_iterator(path_, fs::directory_options::skip_permission_denied, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code ignored;
    if (it->is_directory(ignored) && !it->is_symlink(ignored))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  ec.clear();
  fs::remove_all(path_, ec);
}

String TScratchFolder::Folder() const { return Utf8ToString(path_.string()); }

String TScratchFolder::File(const std::string& Name) const { return Utf8ToString((path_ / Name).string()); }
