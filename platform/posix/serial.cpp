// Serial ports on POSIX systems: the device that the settings' COMn= line names (/dev/ttyS(n-1)
// without one) in raw mode with the line settings, or a TCP connection to a serial server for
// tcp:HOST:PORT. It touches only the descriptors it opens; the settings it only reads.
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <map>
#include <mutex>

#include "platform/platform.h"

namespace tw::platform {
namespace {

// The longest the connection to a serial server may take. Observable only as the time before an
// OPEN of a server that does not answer reports error 8.
constexpr int connectMilliseconds = 5000;

// The termios speed of a rate in bits per second; nothing for a rate without one.
std::optional<speed_t> speedOf(int baudRate) {
  static constexpr std::pair<int, speed_t> speeds[] = {
      {50, B50},         {75, B75},         {110, B110},       {134, B134},
      {150, B150},       {200, B200},       {300, B300},       {600, B600},
      {1200, B1200},     {1800, B1800},     {2400, B2400},     {4800, B4800},
      {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
      {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
  };
  for (const auto& [rate, speed] : speeds)
    if (rate == baudRate) return speed;
  return std::nullopt;
}

// Raw mode with the line settings. The whole line is set, flow control off included: a device's
// earlier state is whatever its last user left. One and a half stop bits are two here. Values the
// device has no setting for (a rate without a termios speed, 6 data bits) keep the device's own.
void setLine(int fd, const SerialSettings& s) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return;  // no terminal: the device is used as it is
  cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  if (std::optional<speed_t> speed = speedOf(s.baudRate)) {
    cfsetispeed(&t, *speed);
    cfsetospeed(&t, *speed);
  }
  if (s.dataBits == 7 || s.dataBits == 8) {
    t.c_cflag &= ~CSIZE;
    t.c_cflag |= s.dataBits == 7 ? CS7 : CS8;
  }
  t.c_cflag &= ~(PARENB | PARODD);
  t.c_iflag &= ~INPCK;
  if (s.parity == 1 || s.parity == 2) {
    t.c_cflag |= PARENB | (s.parity == 1 ? PARODD : 0);
    t.c_iflag |= INPCK;
  }
  if (s.stopBits == 0) {
    t.c_cflag &= ~CSTOPB;
  } else {
    t.c_cflag |= CSTOPB;
  }
  t.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (s.xonXoff) t.c_iflag |= IXON | IXOFF;
  t.c_cflag &= ~CRTSCTS;
  if (s.rtsCts) t.c_cflag |= CRTSCTS;
  // Settings the driver refuses are not reported: the port keeps what it accepted.
  tcsetattr(fd, TCSANOW, &t);
}

// The device, for this process alone: a second opener, in this process or another, is refused.
int openDevice(const std::string& path, const SerialSettings& s, FileAccess access) {
  const int mode = access == FileAccess::Read ? O_RDONLY : access == FileAccess::Write ? O_WRONLY : O_RDWR;
  const int fd = ::open(path.c_str(), mode | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  ioctl(fd, TIOCEXCL);
  setLine(fd, s);
  return fd;
}

// Connects within what is left of the time until the deadline; -1 when it cannot.
int connectWithin(const addrinfo& a, std::chrono::steady_clock::time_point deadline) {
  const int fd = ::socket(a.ai_family, a.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a.ai_protocol);
  if (fd < 0) return -1;
  if (::connect(fd, a.ai_addr, a.ai_addrlen) != 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{fd, POLLOUT, 0};
    int error = 0;
    socklen_t size = sizeof error;
    if (errno != EINPROGRESS || left.count() <= 0 ||
        ::poll(&p, 1, static_cast<int>(left.count())) != 1 ||
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
      ::close(fd);
      return -1;
    }
  }
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  return fd;
}

// A raw TCP connection to HOST:PORT ([HOST]:PORT for an IPv6 address).
int connectTo(const std::string& target) {
  const std::size_t colon = target.rfind(':');
  if (colon == std::string::npos) return -1;
  std::string host = target.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  const std::string port = target.substr(colon + 1);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(connectMilliseconds);
  int fd = -1;
  for (const addrinfo* a = found; a && fd < 0; a = a->ai_next) fd = connectWithin(*a, deadline);
  freeaddrinfo(found);
  return fd;
}

// Waits for the descriptor to be ready for events; false when the wait ran out.
bool ready(int fd, short events) {
  pollfd p{fd, events, 0};
  return ::poll(&p, 1, serialWaitMilliseconds) == 1;
}

class PosixSerial final : public Serial {
 public:
  explicit PosixSerial(Settings* settings) : settings_(settings) {}
  PosixSerial(const PosixSerial&) = delete;
  PosixSerial& operator=(const PosixSerial&) = delete;
  ~PosixSerial() override {
    for (const auto& [fd, port] : held_) ::close(fd);
  }

  FileHandle open(const SerialSettings& s, FileAccess access) override {
    std::lock_guard lock(mutex_);
    for (const auto& [fd, port] : held_)
      if (port.number == s.port) return invalidFile;
    const std::optional<std::string> mapped =
        settings_ ? settings_->value("COM" + std::to_string(s.port)) : std::nullopt;
    const std::string device = mapped ? *mapped : "/dev/ttyS" + std::to_string(s.port - 1);
    const bool socket = device.rfind("tcp:", 0) == 0;
    const int fd = socket ? connectTo(device.substr(4)) : openDevice(device, s, access);
    if (fd < 0) return invalidFile;
    held_[fd] = {s.port, socket};
    return fd;
  }
  long long read(FileHandle port, void* buffer, std::size_t count) override {
    const int fd = static_cast<int>(port);
    if (!ready(fd, POLLIN)) return 0;
    const ssize_t n = ::read(fd, buffer, count);
    if (n > 0) return n;
    // Nothing read from a ready descriptor: the connection closed or the device hung up.
    return n < 0 && (errno == EAGAIN || errno == EINTR) ? 0 : -1;
  }
  long long write(FileHandle port, const void* data, std::size_t count) override {
    const int fd = static_cast<int>(port);
    if (!ready(fd, POLLOUT)) return 0;
    // A connection closed by the server fails the write; it raises no signal.
    const ssize_t n = isSocket(fd) ? ::send(fd, data, count, MSG_NOSIGNAL) : ::write(fd, data, count);
    if (n >= 0) return n;
    return errno == EAGAIN || errno == EINTR ? 0 : -1;
  }
  long long waiting(FileHandle port) override {
    int n = 0;
    return ioctl(static_cast<int>(port), FIONREAD, &n) == 0 ? n : -1;
  }
  void close(FileHandle port) override {
    {
      std::lock_guard lock(mutex_);
      held_.erase(static_cast<int>(port));
    }
    ::close(static_cast<int>(port));
  }

 private:
  struct Port {
    int number = 0;
    bool socket = false;
  };
  bool isSocket(int fd) {
    std::lock_guard lock(mutex_);
    auto it = held_.find(fd);
    return it != held_.end() && it->second.socket;
  }

  Settings* settings_;
  std::mutex mutex_;  // open and close may run on either thread
  std::map<int, Port> held_;
};

}  // namespace

std::unique_ptr<Serial> makeSerial(Settings* settings) {
  return std::make_unique<PosixSerial>(settings);
}

}  // namespace tw::platform
