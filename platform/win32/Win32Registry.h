#pragma once
// HKEY_LOCAL_MACHINE, always in its 32-bit view (KEY_WOW64_32KEY), so a
// 64-bit build and the shipped 32-bit program see the same keys: the view
// from which Windows reads the autostart and uninstall entries of 32-bit
// programs. Keys are opened with full access.
#include "platform/Registry.h"

namespace vlt::win32 {

class Win32Registry : public Registry {
 public:
  Status CreateKey(const std::string& key) override;
  Status WriteString(const std::string& key, const std::string& name,
                   const std::string& value) override;
  Status DeleteValue(const std::string& key, const std::string& name) override;
  // An empty `subKey` is refused: the system would take it as `key` itself
  // and empty it, with every sibling entry it holds.
  Status DeleteKeyTree(const std::string& key, const std::string& subKey) override;
  bool ValueExists(const std::string& key, const std::string& name) override;
  // Opened with read access only; REG_EXPAND_SZ data comes expanded.
  std::optional<std::string> ReadString(const std::string& key, const std::string& name) override;
  bool KeyExists(const std::string& key) override;
};

}  // namespace vlt::win32
