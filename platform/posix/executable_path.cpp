// Where the running executable lives, on Linux.
#include <unistd.h>

#include <climits>

#include "platform/platform.h"

namespace tw::platform {

std::string executablePath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace tw::platform
