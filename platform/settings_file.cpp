// The settings file's text: NAME=VALUE lines, read and changed one name at a time. It works on
// texts only; reading and writing the file is each system's.
#include "platform/platform.h"

namespace tw::platform {
namespace {

// Calls found(start, end) for each line, end before its line break; stops when found says so.
template <typename Found>
void eachLine(std::string_view text, Found found) {
  for (std::size_t start = 0; start < text.size();) {
    std::size_t lf = text.find('\n', start);
    std::size_t end = lf == std::string_view::npos ? text.size() : lf;
    std::size_t content = end > start && text[end - 1] == '\r' ? end - 1 : end;
    if (found(start, content)) return;
    start = end + 1;
  }
}

bool isLineOf(std::string_view line, std::string_view name) {
  return line.size() > name.size() && line.substr(0, name.size()) == name &&
         line[name.size()] == '=';
}

}  // namespace

std::optional<std::string> settingsValue(std::string_view fileText, std::string_view name) {
  std::optional<std::string> value;
  eachLine(fileText, [&](std::size_t start, std::size_t end) {
    std::string_view line = fileText.substr(start, end - start);
    if (!isLineOf(line, name)) return false;
    value = std::string(line.substr(name.size() + 1));
    return true;
  });
  return value;
}

std::string withSettingsValue(std::string_view fileText, std::string_view name,
                              std::string_view value) {
  const std::string line = std::string(name) + "=" + std::string(value);
  std::string out;
  bool replaced = false;
  eachLine(fileText, [&](std::size_t start, std::size_t end) {
    std::string_view old = fileText.substr(start, end - start);
    if (!isLineOf(old, name)) return false;
    out = std::string(fileText.substr(0, start)) + line + std::string(fileText.substr(end));
    replaced = true;
    return true;
  });
  if (replaced) return out;
  out = fileText;
  if (!out.empty() && out.back() != '\n') out += '\n';
  return out + line + '\n';
}

}  // namespace tw::platform
