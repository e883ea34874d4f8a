// Files and folders through the wide Win32 functions: code page 932 names cross as UTF-16 through
// our codec. Handles are the system's. A file is opened without sharing, so a second open of a
// held file fails, as does deleting it. It keeps no state.
#include <algorithm>
#include <cwchar>

#include "platform/win32/detail.h"

namespace tw::platform::win32 {

std::optional<std::u16string> widePath(std::string_view cp932) {
  bool lossless = true;
  std::u16string path = cp932ToUtf16(cp932, &lossless);
  if (!lossless || path.find(u'\0') != std::u16string::npos) return std::nullopt;
  return path;
}

std::string narrowName(std::u16string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const bool pair = name[i] >= 0xD800 && name[i] <= 0xDBFF && i + 1 < name.size();
    std::optional<std::string> bytes = utf16ToCp932(name.substr(i, pair ? 2 : 1));
    out += bytes ? *bytes : std::string("?");
    if (pair) ++i;
  }
  return out;
}

namespace {

HANDLE toHandle(FileHandle f) { return reinterpret_cast<HANDLE>(f); }

class Win32Files final : public Files {
 public:
  FileHandle open(std::string_view name, FileAccess access, FileCreate create) override {
    const std::optional<std::u16string> path = widePath(name);
    if (!path) return invalidFile;
    const DWORD rights = access == FileAccess::Read    ? GENERIC_READ
                         : access == FileAccess::Write ? GENERIC_WRITE
                                                       : GENERIC_READ | GENERIC_WRITE;
    const DWORD disposition = create == FileCreate::OpenExisting   ? OPEN_EXISTING
                              : create == FileCreate::CreateAlways ? CREATE_ALWAYS
                                                                   : OPEN_ALWAYS;
    HANDLE h = CreateFileW(wide(*path), rights, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    return h == INVALID_HANDLE_VALUE ? invalidFile : reinterpret_cast<FileHandle>(h);
  }
  long long read(FileHandle f, void* buffer, std::size_t count) override {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
    return ReadFile(toHandle(f), buffer, want, &got, nullptr) ? static_cast<long long>(got) : -1;
  }
  long long write(FileHandle f, const void* data, std::size_t count) override {
    std::size_t done = 0;
    while (done < count) {
      DWORD put = 0;
      const auto want = static_cast<DWORD>(std::min<std::size_t>(count - done, MAXDWORD));
      if (!WriteFile(toHandle(f), static_cast<const char*>(data) + done, want, &put, nullptr) ||
          put == 0)
        return -1;
      done += put;
    }
    return static_cast<long long>(done);
  }
  long long seek(FileHandle f, long long offset, SeekFrom from) override {
    const DWORD method = from == SeekFrom::Begin     ? FILE_BEGIN
                         : from == SeekFrom::Current ? FILE_CURRENT
                                                     : FILE_END;
    LARGE_INTEGER distance{}, position{};
    distance.QuadPart = offset;
    return SetFilePointerEx(toHandle(f), distance, &position, method) ? position.QuadPart : -1;
  }
  long long size(FileHandle f) override {
    LARGE_INTEGER s{};
    return GetFileSizeEx(toHandle(f), &s) ? s.QuadPart : -1;
  }
  bool close(FileHandle f) override { return CloseHandle(toHandle(f)) != 0; }
  bool remove(std::string_view name) override {
    const std::optional<std::u16string> path = widePath(name);
    return path && DeleteFileW(wide(*path));
  }
  bool makeDirectory(std::string_view name) override {
    const std::optional<std::u16string> path = widePath(name);
    return path && CreateDirectoryW(wide(*path), nullptr);
  }
  // A plain folder is an entry whose attributes are the folder's alone.
  bool list(std::string_view pattern, std::vector<DirEntry>& entries) override {
    const std::optional<std::u16string> path = widePath(pattern);
    if (!path) return false;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(wide(*path), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
      const std::u16string name = fromWide(found.cFileName, wcslen(found.cFileName));
      entries.push_back({narrowName(name), found.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
  }
};

}  // namespace
}  // namespace tw::platform::win32

namespace tw::platform {

std::unique_ptr<Files> makeFiles() { return std::make_unique<win32::Win32Files>(); }

}  // namespace tw::platform
