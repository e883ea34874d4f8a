// The reader of the MCI command subset and the texts of its errors: portable, it touches no
// device. Compiled with a code page 932 execution character set, so the texts are stored in it.
#include <cctype>

#include "platform/platform.h"

namespace tw::platform {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// The words of a command: blanks and tabs separate them; double quotes enclose one that holds
// blanks and are not part of it. An unclosed quote runs to the end.
std::vector<std::string> words(std::string_view command) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < command.size()) {
    while (i < command.size() && isBlank(command[i])) ++i;
    if (i == command.size()) break;
    std::string word;
    if (command[i] == '"') {
      const std::size_t close = command.find('"', i + 1);
      const std::size_t end = close == std::string_view::npos ? command.size() : close;
      word.assign(command.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      while (i < command.size() && !isBlank(command[i])) word.push_back(command[i++]);
    }
    out.push_back(std::move(word));
  }
  return out;
}

bool same(std::string_view word, std::string_view keyword) {
  if (word.size() != keyword.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(word[i])) != keyword[i]) return false;
  return true;
}

std::optional<MciVerb> verbOf(std::string_view word) {
  static constexpr std::pair<std::string_view, MciVerb> verbs[] = {
      {"open", MciVerb::Open},          {"play", MciVerb::Play},     {"stop", MciVerb::Stop},
      {"pause", MciVerb::Pause},        {"resume", MciVerb::Resume}, {"seek", MciVerb::Seek},
      {"status", MciVerb::StatusQuery}, {"close", MciVerb::Close},
  };
  for (const auto& [name, verb] : verbs)
    if (same(word, name)) return verb;
  return std::nullopt;
}

// A time in milliseconds: decimal digits only, within mciTimeLimit.
std::optional<std::int64_t> timeOf(std::string_view word) {
  if (word.empty() || word.size() > 9) return std::nullopt;
  std::int64_t value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The words after the device: flags and keyword-value pairs, as each verb allows them.
MciError readRest(MciCommand& c, const std::vector<std::string>& w) {
  for (std::size_t i = 2; i < w.size(); ++i) {
    const std::string& word = w[i];
    const bool hasValue = i + 1 < w.size();
    if (same(word, "notify")) {
      c.notify = true;
    } else if (same(word, "wait")) {
      c.wait = true;
    } else if (c.verb == MciVerb::Open && (same(word, "type") || same(word, "alias"))) {
      if (!hasValue) return MciMissingParameter;
      std::string& field = same(word, "type") ? c.type : c.alias;
      field = w[++i];
      if (&field == &c.type)
        for (char& ch : field) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    } else if (c.verb == MciVerb::Play && (same(word, "from") || same(word, "to"))) {
      if (!hasValue) return MciMissingParameter;
      std::optional<std::int64_t> t = timeOf(w[++i]);
      if (!t) return MciBadParameter;
      (same(word, "from") ? c.from : c.to) = t;
    } else if (c.verb == MciVerb::Seek && same(word, "to") && c.seek == MciSeekTarget::Unset) {
      if (!hasValue) return MciMissingParameter;
      const std::string& target = w[++i];
      if (same(target, "start")) {
        c.seek = MciSeekTarget::Start;
      } else if (same(target, "end")) {
        c.seek = MciSeekTarget::End;
      } else if (std::optional<std::int64_t> t = timeOf(target)) {
        c.seek = MciSeekTarget::Position;
        c.seekPosition = *t;
      } else {
        return MciBadParameter;
      }
    } else if (c.verb == MciVerb::StatusQuery && c.item == MciStatusItem::Unset &&
               (same(word, "mode") || same(word, "length") || same(word, "position"))) {
      c.item = same(word, "mode")     ? MciStatusItem::Mode
               : same(word, "length") ? MciStatusItem::Length
                                      : MciStatusItem::Position;
    } else {
      return MciBadParameter;
    }
  }
  if (c.verb == MciVerb::Seek && c.seek == MciSeekTarget::Unset) return MciMissingParameter;
  if (c.verb == MciVerb::StatusQuery && c.item == MciStatusItem::Unset) return MciMissingParameter;
  return MciOk;
}

}  // namespace

std::optional<MciCommand> parseMciCommand(std::string_view command, MciError& error) {
  const std::vector<std::string> w = words(command);
  std::optional<MciVerb> verb = w.empty() ? std::nullopt : verbOf(w[0]);
  if (!verb) {
    error = MciUnknownCommand;
    return std::nullopt;
  }
  if (w.size() < 2 || w[1].empty()) {
    error = MciMissingParameter;
    return std::nullopt;
  }
  MciCommand c;
  c.verb = *verb;
  c.device = w[1];
  error = readRest(c, w);
  if (error != MciOk) return std::nullopt;
  return c;
}

std::string_view mciErrorText(std::uint32_t code) {
  switch (code) {
    case MciUnknownCommand:
      return "認識できないコマンドです。";
    case MciMissingParameter:
      return "コマンドに必要なパラメータが指定されていません。";
    case MciBadParameter:
      return "コマンドのパラメータが正しくありません。";
    case MciFileUnreadable:
      return "ファイルが見つからないか、読み込めません。";
    case MciUnknownDevice:
      return "指定されたデバイスは開かれていません。";
    case MciAliasInUse:
      return "指定された別名はすでに使われています。";
    case MciNoAudio:
      return "サウンド出力を使用できません。";
    case MciUnsupportedFile:
      return "この種類のファイルは再生できません。";
    case MciOutOfRange:
      return "指定された位置が範囲外です。";
    case MciUnsupportedOperation:
      return "このデバイスではその操作はできません。";
    case MciTooManyDevices:
      return "開いているデバイスが多すぎます。";
    default:
      return "不明なエラーです。";
  }
}

}  // namespace tw::platform
