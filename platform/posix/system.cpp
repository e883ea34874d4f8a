// The clock and the stored settings on POSIX systems. The settings live in a small file of
// NAME=VALUE lines under the user's configuration folder unless a path is given.
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/platform.h"

namespace tw::platform {
namespace {

class PosixClock final : public Clock {
 public:
  LocalTime now() override {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
  }
  std::int64_t epochSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }
  void sleep(int milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  std::int64_t steadyMilliseconds() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  // Without a window no key is ever held down.
  bool keyPressed(int) override { return false; }
};

std::string defaultSettingsPath() {
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.config";
  } else {
    return {};
  }
  return base + "/tarnwick/settings";
}

// The settings file: NAME=VALUE lines, of which this object reads and writes the RS232C line and
// reads the others.
// A file of the earlier form, the bare value on its first line, is read as that value.
class FileSettings final : public Settings {
 public:
  explicit FileSettings(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> read() override {
    std::optional<std::string> text = fileText();
    if (!text) return std::nullopt;
    if (std::optional<std::string> value = settingsValue(*text, serialSettingName)) return value;
    std::string first = text->substr(0, text->find_first_of("\r\n"));
    if (!first.empty() && first.find('=') == std::string::npos) return first;
    return std::nullopt;
  }
  std::optional<std::string> value(std::string_view name) override {
    std::optional<std::string> text = fileText();
    return text ? settingsValue(*text, name) : std::nullopt;
  }
  bool write(std::string_view value) override {
    if (path_.empty()) return false;
    if (std::size_t slash = path_.rfind('/'); slash != std::string::npos && slash > 0) {
      std::string folder = path_.substr(0, slash);
      std::string parent = folder.substr(0, folder.rfind('/'));
      ::mkdir(parent.c_str(), 0777);
      ::mkdir(folder.c_str(), 0777);
    }
    const std::string text = withSettingsValue(fileText().value_or(""), serialSettingName, value);
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
  }

 private:
  std::optional<std::string> fileText() const {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::string path_;
};

}  // namespace

std::unique_ptr<Clock> makeClock() { return std::make_unique<PosixClock>(); }

std::unique_ptr<Settings> makeSettings(std::string path) {
  return std::make_unique<FileSettings>(path.empty() ? defaultSettingsPath() : std::move(path));
}

}  // namespace tw::platform
