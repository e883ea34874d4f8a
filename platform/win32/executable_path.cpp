// Where the running executable lives, on Windows.
#include <vector>

#include "platform/win32/detail.h"

namespace tw::platform {

// Asks with a larger buffer while the path does not fit.
std::string executablePath() {
  for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 2) {
    std::vector<wchar_t> buffer(capacity);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), capacity);
    if (n == 0) return {};
    if (n < capacity) return utf16ToUtf8(win32::fromWide(buffer.data(), n));
  }
  return {};
}

}  // namespace tw::platform
