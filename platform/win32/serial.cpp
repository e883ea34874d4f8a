// Serial ports on Windows: \\.\COMn (so that ports above 9 open too), held by one opener as the
// system holds every port, with the line settings written over the port's own. It keeps no state.
#include <algorithm>
#include <string>

#include "platform/win32/detail.h"

namespace tw::platform::win32 {
namespace {

HANDLE toHandle(FileHandle f) { return reinterpret_cast<HANDLE>(f); }

// The line settings over the port's own: what is named is set, parity checking and flow control
// only turned on, and everything else kept. Settings the driver refuses are not reported.
void setLine(HANDLE port, const SerialSettings& s) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  GetCommState(port, &dcb);
  dcb.BaudRate = static_cast<DWORD>(s.baudRate);
  dcb.ByteSize = static_cast<BYTE>(s.dataBits);
  dcb.Parity = static_cast<BYTE>(s.parity);  // the codes are the system's: none, odd, even
  dcb.StopBits = static_cast<BYTE>(s.stopBits);  // one, one and a half, two
  if (s.parity != 0) dcb.fParity = TRUE;
  if (s.xonXoff) {
    dcb.fOutX = TRUE;
    dcb.fInX = TRUE;
  }
  if (s.rtsCts) {
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    dcb.fOutxCtsFlow = TRUE;
  }
  SetCommState(port, &dcb);
}

// A read returns as soon as a byte has come, and a read or a write after the wait at most, so
// that the caller sees a stop of the program.
void setWaits(HANDLE port) {
  COMMTIMEOUTS t{};
  t.ReadIntervalTimeout = MAXDWORD;
  t.ReadTotalTimeoutMultiplier = MAXDWORD;
  t.ReadTotalTimeoutConstant = serialWaitMilliseconds;
  t.WriteTotalTimeoutConstant = serialWaitMilliseconds;
  SetCommTimeouts(port, &t);
}

DWORD chunk(std::size_t count) {
  return static_cast<DWORD>(std::min<std::size_t>(count, 1u << 20));
}

class Win32Serial final : public Serial {
 public:
  FileHandle open(const SerialSettings& s, FileAccess access) override {
    const std::wstring name = L"\\\\.\\COM" + std::to_wstring(s.port);
    const DWORD rights = access == FileAccess::Read    ? GENERIC_READ
                         : access == FileAccess::Write ? GENERIC_WRITE
                                                       : GENERIC_READ | GENERIC_WRITE;
    HANDLE port = CreateFileW(name.c_str(), rights, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE) return invalidFile;
    setLine(port, s);
    setWaits(port);
    return reinterpret_cast<FileHandle>(port);
  }
  long long read(FileHandle port, void* buffer, std::size_t count) override {
    DWORD got = 0;
    return ReadFile(toHandle(port), buffer, chunk(count), &got, nullptr) ? got : -1;
  }
  long long write(FileHandle port, const void* data, std::size_t count) override {
    DWORD done = 0;
    if (WriteFile(toHandle(port), data, chunk(count), &done, nullptr)) return done;
    // Flow control held the line through the wait: what went out is written.
    return GetLastError() == ERROR_TIMEOUT ? done : -1;
  }
  long long waiting(FileHandle port) override {
    DWORD errors = 0;
    COMSTAT status{};
    return ClearCommError(toHandle(port), &errors, &status) ? status.cbInQue : -1;
  }
  void close(FileHandle port) override { CloseHandle(toHandle(port)); }
};

}  // namespace
}  // namespace tw::platform::win32

namespace tw::platform {

// The settings' COMn= lines are for systems without numbered ports; here the ports are the
// system's own.
std::unique_ptr<Serial> makeSerial(Settings*) { return std::make_unique<win32::Win32Serial>(); }

}  // namespace tw::platform
