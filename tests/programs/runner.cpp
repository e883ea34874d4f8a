// Runs one program test: NAME.bas through `tarnwick --headless` with NAME.in as the keys, and
// compares the text layer, the report lines and the exit status with NAME.expect.
//
// usage: tarnwick_program_runner TARNWICK NAME.bas
// Optional NAME.args holds extra command-line words. With TW_UPDATE_EXPECT=1 the runner writes
// NAME.expect from the run instead of comparing (read the result before committing it).
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"

namespace fs = std::filesystem;

namespace {

constexpr auto kTimeout = std::chrono::seconds(30);

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The text layer in UTF-8 with control bytes other than newline made visible.
std::string showScreen(const std::string& cp932) {
  std::string utf8 = tw::platform::cp932ToUtf8(cp932);
  std::string out;
  for (unsigned char c : utf8) {
    if (c < 0x20 && c != '\n') {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (!out.empty() && out.back() != '\n') out += "\n[no newline]\n";
  return out;
}

// Runs the command with stdin from inPath (or empty) and stderr to errPath; the exit status.
int runCommand(const std::vector<std::string>& argv, const fs::path& inPath, const fs::path& errPath) {
  pid_t pid = fork();
  if (pid == 0) {
    int in = open(inPath.empty() ? "/dev/null" : inPath.c_str(), O_RDONLY);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int out = open("/dev/null", O_WRONLY);
    dup2(in, 0), dup2(out, 1), dup2(err, 2);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  auto deadline = std::chrono::steady_clock::now() + kTimeout;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tarnwick_program_runner TARNWICK NAME.bas\n";
    return 2;
  }
  fs::path tarnwick = fs::absolute(argv[1]);
  fs::path bas = fs::absolute(argv[2]);
  fs::path stem = bas;
  stem.replace_extension();
  fs::path expectPath = stem.string() + ".expect";
  fs::path inPath = stem.string() + ".in";
  fs::path argsPath = stem.string() + ".args";

  fs::path work = fs::temp_directory_path() / ("tw-program-" + std::to_string(getpid()));
  fs::create_directories(work);
  fs::path dump = work / "screen", err = work / "stderr";
  std::vector<std::string> command{tarnwick.string(), "--headless", "--screen-dump", dump.string(),
                                   "--settings", (work / "settings").string()};
  if (fs::exists(argsPath)) {
    std::istringstream words(readFile(argsPath));
    for (std::string w; words >> w;) command.push_back(w);
  }
  command.push_back(bas.string());
  int status = runCommand(command, fs::exists(inPath) ? inPath : fs::path(), err);

  std::string actual = "[screen]\n" + showScreen(readFile(dump)) + "[stderr]\n" + readFile(err) +
                       "[exit] " + std::to_string(status) + "\n";
  fs::remove_all(work);

  if (const char* update = std::getenv("TW_UPDATE_EXPECT"); update && std::string(update) == "1") {
    std::ofstream(expectPath, std::ios::binary) << actual;
    std::cout << "wrote " << expectPath << "\n" << actual;
    return 0;
  }
  std::string expected = readFile(expectPath);
  if (expected == actual) return 0;
  std::cout << "--- expected (" << expectPath.string() << ")\n" << expected << "--- actual\n" << actual;
  return 1;
}
