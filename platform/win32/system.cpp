// The clock, the stored settings (the registry, or a settings file), the display's size, the
// process's command line and message boxes without a window, on Windows. It keeps no state.
#include <cstdio>
#include <ctime>

#include "platform/win32/detail.h"

namespace tw::platform::win32 {
namespace {

class Win32Clock final : public Clock {
 public:
  LocalTime now() override {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
  }
  std::int64_t epochSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }
  void sleep(int milliseconds) override { Sleep(static_cast<DWORD>(std::max(milliseconds, 0))); }
  bool keyPressed(int virtualKey) override { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
};

constexpr wchar_t settingsKey[] = L"Software\\Pelloran\\Tarnwick";
constexpr wchar_t settingsValueName[] = L"RS232C";
// The stored value is read into a buffer of this many bytes. Not observable: the configuration
// reads no further.
constexpr DWORD settingsValueBytes = 520;

// The RS232C value under HKEY_CURRENT_USER. A key that cannot be opened or a value that cannot be
// read is absent: the configuration then writes the default.
class RegistrySettings final : public Settings {
 public:
  std::optional<std::string> read() override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, settingsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
      return std::nullopt;
    wchar_t buffer[settingsValueBytes / sizeof(wchar_t)] = {};
    DWORD type = 0, size = sizeof buffer - sizeof(wchar_t);
    const LSTATUS status = RegQueryValueExW(key, settingsValueName, nullptr, &type,
                                            reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    std::size_t length = size / sizeof(wchar_t);
    while (length > 0 && buffer[length - 1] == 0) --length;
    return narrowName(fromWide(buffer, length));
  }
  bool write(std::string_view value) override {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, settingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return false;
    const std::u16string text = cp932ToUtf16(value);
    const LSTATUS status =
        RegSetValueExW(key, settingsValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide(text)),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
  }
};

std::optional<std::string> readWholeFile(const std::u16string& path) {
  std::FILE* in = _wfopen(wide(path), L"rb");
  if (!in) return std::nullopt;
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) text.append(buffer, n);
  std::fclose(in);
  return text;
}

// The settings file of --settings: NAME=VALUE lines, of which the RS232C line is read and written.
class FileSettings final : public Settings {
 public:
  explicit FileSettings(const std::string& path) : path_(utf8ToUtf16(path)) {}
  std::optional<std::string> read() override {
    std::optional<std::string> text = readWholeFile(path_);
    return text ? settingsValue(*text, serialSettingName) : std::nullopt;
  }
  bool write(std::string_view value) override {
    const std::string text =
        withSettingsValue(readWholeFile(path_).value_or(""), serialSettingName, value);
    std::FILE* out = _wfopen(wide(path_), L"wb");
    if (!out) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && written;
  }

 private:
  std::u16string path_;
};

}  // namespace

void appendBoxLine(const std::string& boxLog, std::string_view title, std::string_view text) {
  const std::string line = boxLine(title, text);
  if (std::FILE* log = _wfopen(wide(utf8ToUtf16(boxLog)), L"ab")) {
    std::fwrite(line.data(), 1, line.size(), log);
    std::fclose(log);
  }
}

UINT boxStyle(BoxIcon icon) {
  return MB_OK | (icon == BoxIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION);
}

}  // namespace tw::platform::win32

namespace tw::platform {

std::unique_ptr<Clock> makeClock() { return std::make_unique<win32::Win32Clock>(); }

std::unique_ptr<Settings> makeSettings(std::string path) {
  return std::make_unique<win32::FileSettings>(path);
}

std::unique_ptr<Settings> makeRegistrySettings() {
  return std::make_unique<win32::RegistrySettings>();
}

Extent displaySize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

std::u16string wideCommandLine() {
  const wchar_t* line = GetCommandLineW();
  return win32::fromWide(line, wcslen(line));
}

void showLoneBox(std::string_view title, std::string_view text, BoxIcon icon,
                 const std::string& boxLog) {
  if (!boxLog.empty()) {
    win32::appendBoxLine(boxLog, title, text);
    return;
  }
  const std::u16string wideTitle = cp932ToUtf16(title), wideText = cp932ToUtf16(text);
  MessageBoxW(nullptr, win32::wide(wideText), win32::wide(wideTitle), win32::boxStyle(icon));
}

}  // namespace tw::platform
