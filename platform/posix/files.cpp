// Files and folders on POSIX systems: code page 932 names become UTF-8 paths, '\' becomes '/'.
// Handles are file descriptors. Files behave as on Windows: an open file is not shared, so the
// object keeps the identity of every file it holds open; it touches no other state.
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <utility>

#include "platform/platform.h"

namespace tw::platform {
namespace {

std::string hostPath(std::string_view name) {
  std::string path = cp932ToUtf8(name);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

// A file's identity: the same file under another name (a hard link) is the same file.
using FileId = std::pair<dev_t, ino_t>;

class PosixFiles final : public Files {
 public:
  PosixFiles() = default;
  PosixFiles(const PosixFiles&) = delete;
  PosixFiles& operator=(const PosixFiles&) = delete;
  ~PosixFiles() override {
    for (const auto& [fd, id] : held_) ::close(fd);
  }

  FileHandle open(std::string_view name, FileAccess access, FileCreate create) override {
    int flags = access == FileAccess::Read ? O_RDONLY : access == FileAccess::Write ? O_WRONLY : O_RDWR;
    if (create != FileCreate::OpenExisting) flags |= O_CREAT;
    // O_NONBLOCK keeps the open of a FIFO without a partner from hanging; reads block again after.
    int fd = ::open(hostPath(name).c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return invalidFile;
    struct stat st {};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) ||
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
      ::close(fd);
      return invalidFile;
    }
    std::lock_guard lock(mutex_);
    // A file held by another handle is refused before anything changes it, truncation included.
    if (holds(FileId{st.st_dev, st.st_ino}) ||
        (create == FileCreate::CreateAlways && ftruncate(fd, 0) != 0)) {
      ::close(fd);
      return invalidFile;
    }
    held_.emplace(fd, FileId{st.st_dev, st.st_ino});
    return fd;
  }
  long long read(FileHandle f, void* buffer, std::size_t count) override {
    return ::read(static_cast<int>(f), buffer, count);
  }
  long long write(FileHandle f, const void* data, std::size_t count) override {
    std::size_t done = 0;
    while (done < count) {
      ssize_t n = ::write(static_cast<int>(f), static_cast<const char*>(data) + done, count - done);
      if (n <= 0) return -1;
      done += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(done);
  }
  long long seek(FileHandle f, long long offset, SeekFrom from) override {
    int whence = from == SeekFrom::Begin ? SEEK_SET : from == SeekFrom::Current ? SEEK_CUR : SEEK_END;
    return lseek(static_cast<int>(f), offset, whence);
  }
  long long size(FileHandle f) override {
    struct stat st {};
    return fstat(static_cast<int>(f), &st) == 0 ? st.st_size : -1;
  }
  bool close(FileHandle f) override {
    {
      std::lock_guard lock(mutex_);
      held_.erase(static_cast<int>(f));
    }
    return ::close(static_cast<int>(f)) == 0;
  }
  bool remove(std::string_view name) override {
    const std::string path = hostPath(name);
    // The name itself, not what a symbolic link points to: unlink removes the link.
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
      std::lock_guard lock(mutex_);
      if (holds(FileId{st.st_dev, st.st_ino})) return false;
    }
    return ::unlink(path.c_str()) == 0;
  }
  bool makeDirectory(std::string_view name) override {
    return ::mkdir(hostPath(name).c_str(), 0777) == 0;
  }
  bool list(std::string_view pattern, std::vector<DirEntry>& entries) override {
    std::string path = hostPath(pattern);
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string mask = slash == std::string::npos ? path : path.substr(slash + 1);
    if (mask.empty()) mask = "*";
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    while (dirent* e = readdir(dir)) {
      if (fnmatch(mask.c_str(), e->d_name, 0) != 0) continue;
      // A symbolic link is not a plain folder, as a link on Windows carries a further attribute.
      struct stat st {};
      bool isDir = ::lstat((folder + "/" + e->d_name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      std::optional<std::string> name = utf8ToCp932(e->d_name);
      entries.push_back({name ? *name : std::string(e->d_name), isDir});
    }
    closedir(dir);
    return true;
  }

 private:
  bool holds(const FileId& id) const {
    for (const auto& [fd, heldId] : held_)
      if (heldId == id) return true;
    return false;
  }

  std::mutex mutex_;  // open and close may run on either thread
  std::map<int, FileId> held_;
};

}  // namespace

std::unique_ptr<Files> makeFiles() { return std::make_unique<PosixFiles>(); }

}  // namespace tw::platform
