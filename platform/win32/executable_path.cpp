// Where the running executable lives, on Windows.
#include <windows.h>

#include "platform/platform.h"

namespace tw::platform {

std::string executablePath() {
  char buffer[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

}  // namespace tw::platform
