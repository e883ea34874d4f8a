// A file system in memory for tests and fuzzers, with a failure to order at the Nth call: a call
// that fails as the system's do (permission denied, a failed read or seek, a disk that is full
// part way through a write, a file that another program removed just before the call).
#pragma once

#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tw::test {

class MemoryFiles : public platform::Files {
 public:
  enum class Fault : std::uint8_t {
    Fails,       // the call fails; a failed close still releases its handle
    ShortWrite,  // a write stores half of its bytes and says so; other calls fail
    Vanishes,    // the file the call names, or its handle's file, loses its name before the call
  };

  std::map<std::string, std::string> contents() const {
    std::map<std::string, std::string> out;
    for (const auto& [name, file] : files_) out.emplace(name, *file);
    return out;
  }
  void put(const std::string& name, std::string bytes) {
    files_[name] = std::make_shared<std::string>(std::move(bytes));
  }
  std::set<std::string> folders;

  // Calls made so far, of every kind.
  long calls = 0;
  // The call (counted from 0) that meets the fault; -1 for none.
  long failAt = -1;
  Fault fault = Fault::Fails;
  // The kind of call that met the fault ("open", "read", ...); empty until one has.
  std::string faultCall;
  std::size_t openHandles() const { return handles_.size(); }

  platform::FileHandle open(std::string_view name, platform::FileAccess access,
                            platform::FileCreate create) override {
    const std::string key(name);
    if (faulty("open", key)) return platform::invalidFile;
    auto found = files_.find(key);
    if (found == files_.end()) {
      if (create == platform::FileCreate::OpenExisting || !folderHolds(key))
        return platform::invalidFile;
      found = files_.emplace(key, std::make_shared<std::string>()).first;
    }
    // Files are not shared: a file another handle holds cannot be opened again.
    for (const auto& [handle, open] : handles_)
      if (open.file == found->second) return platform::invalidFile;
    if (create == platform::FileCreate::CreateAlways) found->second->clear();
    const platform::FileHandle handle = nextHandle_++;
    handles_[handle] = Open{found->second, 0, access};
    return handle;
  }
  long long read(platform::FileHandle f, void* buffer, std::size_t count) override {
    Open* o = handleFile("read", f);
    if (!o || o->access == platform::FileAccess::Write) return -1;
    if (o->position >= o->file->size()) return 0;
    const std::size_t n = std::min(count, o->file->size() - o->position);
    std::memcpy(buffer, o->file->data() + o->position, n);
    o->position += n;
    return static_cast<long long>(n);
  }
  long long write(platform::FileHandle f, const void* data, std::size_t count) override {
    const bool shortened = calls == failAt && fault == Fault::ShortWrite;
    Open* o = handleFile("write", f, shortened);
    if (!o || o->access == platform::FileAccess::Read) return -1;
    const std::size_t n = shortened ? count / 2 : count;
    if (o->file->size() < o->position + n) o->file->resize(o->position + n);
    if (n > 0) std::memcpy(o->file->data() + o->position, data, n);
    o->position += n;
    return static_cast<long long>(n);
  }
  long long seek(platform::FileHandle f, long long offset, platform::SeekFrom from) override {
    Open* o = handleFile("seek", f);
    if (!o) return -1;
    const long long base = from == platform::SeekFrom::Begin     ? 0
                           : from == platform::SeekFrom::Current ? static_cast<long long>(o->position)
                                                                 : static_cast<long long>(o->file->size());
    if (base + offset < 0) return -1;
    o->position = static_cast<std::size_t>(base + offset);
    return base + offset;
  }
  long long size(platform::FileHandle f) override {
    Open* o = handleFile("size", f);
    return o ? static_cast<long long>(o->file->size()) : -1;
  }
  bool close(platform::FileHandle f) override {
    const bool failed = handleFile("close", f) == nullptr;
    handles_.erase(f);
    return !failed;
  }
  bool remove(std::string_view name) override {
    const std::string key(name);
    if (faulty("remove", key)) return false;
    auto found = files_.find(key);
    if (found == files_.end()) return false;
    for (const auto& [handle, open] : handles_)
      if (open.file == found->second) return false;
    files_.erase(found);
    return true;
  }
  bool makeDirectory(std::string_view name) override {
    const std::string key(name);
    if (faulty("makeDirectory", key) || folders.count(key) || files_.count(key)) return false;
    folders.insert(key);
    return true;
  }
  bool list(std::string_view pattern, std::vector<platform::DirEntry>& entries) override {
    const std::string key(pattern);
    if (faulty("list", {})) return false;
    const std::size_t cut = key.rfind('\\');
    const std::string folder = cut == std::string::npos ? "" : key.substr(0, cut);
    const std::string last = key.substr(cut == std::string::npos ? 0 : cut + 1);
    if (!folder.empty() && !folders.count(folder)) return false;
    entries.clear();
    auto take = [&](const std::string& name, bool directory) {
      if (name.size() <= folder.size() || name.compare(0, folder.size(), folder) != 0 ||
          name[folder.size()] != '\\')
        return;
      const std::string part = name.substr(folder.size() + 1);
      if (part.find('\\') == std::string::npos && matches(last, part))
        entries.push_back({part, directory});
    };
    for (const std::string& f : folders) take(f, true);
    for (const auto& [name, file] : files_) take(name, false);
    return !entries.empty();
  }

 private:
  struct Open {
    std::shared_ptr<std::string> file;
    std::size_t position = 0;
    platform::FileAccess access = platform::FileAccess::ReadWrite;
  };

  // Counts the call and tells whether it meets the fault; a vanishing file goes before the call.
  bool faulty(const char* call, const std::string& name,
              const std::shared_ptr<std::string>& file = nullptr) {
    if (calls++ != failAt) return false;
    faultCall = call;
    if (fault != Fault::Vanishes) return true;
    for (auto it = files_.begin(); it != files_.end(); ++it)
      if (it->first == name || (file && it->second == file)) {
        files_.erase(it);
        break;
      }
    return false;
  }
  // The handle's open file, or nothing when the handle is unknown or the call fails; a
  // shortened write is no failure.
  Open* handleFile(const char* call, platform::FileHandle f, bool shortened = false) {
    auto found = handles_.find(f);
    const bool failed = faulty(call, {}, found == handles_.end() ? nullptr : found->second.file);
    if (found == handles_.end() || (failed && !shortened)) return nullptr;
    return &found->second;
  }
  // A file can be made only in a folder that exists: the root, or one made by makeDirectory.
  bool folderHolds(const std::string& name) const {
    const std::size_t cut = name.rfind('\\');
    return cut == std::string::npos || cut == 0 || folders.count(name.substr(0, cut)) > 0;
  }
  static bool matches(std::string_view pattern, std::string_view name) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*')
      return matches(pattern.substr(1), name) || (!name.empty() && matches(pattern, name.substr(1)));
    return !name.empty() && (pattern[0] == '?' || pattern[0] == name[0]) &&
           matches(pattern.substr(1), name.substr(1));
  }

  std::map<std::string, std::shared_ptr<std::string>> files_;
  std::map<platform::FileHandle, Open> handles_;
  platform::FileHandle nextHandle_ = 3;
};

}  // namespace tw::test
