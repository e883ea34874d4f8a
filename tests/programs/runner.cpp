// Runs one program test: NAME.bas through `tarnwick --headless` with NAME.in as the keys, and
// compares the text layer, the report lines and the exit status with NAME.expect.
//
// usage: tarnwick_program_runner TARNWICK NAME.bas
// The program runs as a copy in a temporary folder named like the test's own folder, which is also
// the process's current folder, so that nothing it writes reaches the source tree. Optional files
// beside NAME.bas:
//   NAME.args   extra command-line words;
//   NAME.dir/   a fixture folder whose contents are copied beside the program first;
//   NAME.files  files of the program's folder compared after the run. Each file is a header line,
//               "== NAME" followed by its contents, "== NAME [absent]" or "== NAME [folder]";
//               "== NAME [utf-8]" shows a UTF-8 file (a box log) as it stands.
//               Contents are shown as the screen section shows text (code page 932 as UTF-8, LF as
//               a line break, other control bytes and bytes with no character as \xNN) and a
//               backslash as \\; a file that does not end with LF gets a last line
//               "[no newline]".
//   NAME.pixels pixels of the screenshot (taken with --screenshot), one a line: "X Y RRGGBB".
//   NAME.midi   the MIDI messages the run sent (taken with --midi), one a line: the milliseconds
//               from the first message and the bytes in hexadecimal ("500 90 3C 00"). They are
//               compared in any order; a time matches within midiTolerance (threads are
//               scheduled as the machine allows). The wait before the first note, while its
//               channel threads start, is left out: from the first note on, the times are
//               taken as if it had sounded when expected.
// TW_EXPECT names an expectation file to use instead of NAME.expect. TARNWICK may be any command
// that takes tarnwick's arguments (a wrapper that runs another build).
// With TW_UPDATE_EXPECT=1 the runner writes NAME.expect, NAME.files for the names it lists and
// NAME.pixels for the places it lists, from the run instead of comparing (read the result before
// committing it).
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <stb/stb_image.h>

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

void appendByte(std::string& out, unsigned char c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\x%02X", c);
  out += buf;
}

// A file's bytes made readable exactly: every character that code page 932 has is shown in UTF-8,
// every other byte as \xNN, and the backslash doubled so that no byte reads as an escape.
std::string showFileBytes(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '\n' || (c >= 0x20 && c < 0x7F && c != '\\')) {
      out += static_cast<char>(c);
      continue;
    }
    if (c == '\\') {
      out += "\\\\";
      continue;
    }
    const std::size_t width = tw::platform::isLeadByte(c) && i + 1 < bytes.size() ? 2 : 1;
    bool lossless = true;
    std::string utf8 =
        tw::platform::cp932ToUtf8(std::string_view(bytes).substr(i, width), &lossless);
    if (c >= 0x80 && lossless) {
      out += utf8;
      i += width - 1;
    } else {
      appendByte(out, c);
    }
  }
  if (!out.empty() && out.back() != '\n') out += "\n[no newline]\n";
  return out;
}

// The names that NAME.files lists, in order.
std::vector<std::string> listedNames(const std::string& text) {
  std::vector<std::string> names;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("== ", 0) != 0) continue;
    std::string name = line.substr(3);
    for (const char* mark : {" [absent]", " [folder]", " [utf-8]"})
      if (name.size() > std::strlen(mark) && name.ends_with(mark))
        name.resize(name.size() - std::strlen(mark));
    names.push_back(name);
  }
  return names;
}

// The files named, as NAME.files shows them after a run in folder.
std::string showFiles(const fs::path& folder, const std::vector<std::string>& names,
                      const std::string& text) {
  std::string out;
  for (const std::string& name : names) {
    const fs::path p = folder / name;
    if (fs::is_directory(p)) {
      out += "== " + name + " [folder]\n";
    } else if (!fs::exists(p)) {
      out += "== " + name + " [absent]\n";
    } else {
      const bool utf8 = text.find("== " + name + " [utf-8]\n") != std::string::npos;
      const std::string bytes = readFile(p);
      out += "== " + name + (utf8 ? " [utf-8]\n" + bytes : "\n" + showFileBytes(bytes));
    }
  }
  return out;
}

// Runs the command in folder with stdin from inPath (or empty) and stderr to errPath; the exit
// status.
int runCommand(const std::vector<std::string>& argv, const fs::path& folder, const fs::path& inPath,
               const fs::path& errPath) {
  pid_t pid = fork();
  if (pid == 0) {
    int in = open(inPath.empty() ? "/dev/null" : inPath.c_str(), O_RDONLY);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int out = open("/dev/null", O_WRONLY);
    dup2(in, 0), dup2(out, 1), dup2(err, 2);
    if (chdir(folder.c_str()) != 0) _exit(126);
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

// NAME.pixels: one pixel of the screenshot a line, "X Y RRGGBB" in hexadecimal colour; a line that
// begins with ';' is a comment. The pixels of the screenshot at those places, in the same form.
std::string showPixels(const fs::path& png, const std::string& listed) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* image = stbi_load(png.c_str(), &width, &height, &channels, 3);
  std::string out;
  std::istringstream lines(listed);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    int x = 0, y = 0;
    if (line.empty() || line[0] == ';' || !(fields >> x >> y)) {
      out += line + "\n";
      continue;
    }
    char colour[16] = "outside";
    if (image && x >= 0 && y >= 0 && x < width && y < height) {
      const stbi_uc* p = image + (static_cast<std::size_t>(y) * width + x) * 3;
      std::snprintf(colour, sizeof colour, "%02X%02X%02X", p[0], p[1], p[2]);
    }
    out += std::to_string(x) + " " + std::to_string(y) + " " + (image ? colour : "no-screenshot") + "\n";
  }
  stbi_image_free(image);
  return out;
}

constexpr long midiTolerance = 60;

std::uint32_t bigEndian(const std::string& s, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes && at + i < s.size(); ++i)
    v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

// The channel messages of a format 0 Standard MIDI File, one a line as NAME.midi holds them.
std::string showMidi(const std::string& file) {
  if (file.size() < 22 || file.compare(0, 4, "MThd") != 0 || file.compare(14, 4, "MTrk") != 0)
    return "no MIDI file\n";
  const std::size_t end = std::min<std::size_t>(file.size(), 22 + bigEndian(file, 18, 4));
  std::string out;
  long time = 0;
  for (std::size_t i = 22; i < end;) {
    std::uint32_t delta = 0;
    while (i < end) {
      const auto b = static_cast<unsigned char>(file[i++]);
      delta = delta << 7 | (b & 0x7F);
      if (!(b & 0x80)) break;
    }
    time += static_cast<long>(delta);
    if (i >= end) break;
    const auto status = static_cast<unsigned char>(file[i]);
    if (status == 0xFF) {
      i += 3 + static_cast<unsigned char>(file[i + 2]);
      continue;
    }
    const int length = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 2 : 3;
    out += std::to_string(time);
    for (int k = 0; k < length && i < end; ++k, ++i) {
      char hex[8];
      std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned char>(file[i]));
      out += hex;
    }
    out += "\n";
  }
  return out;
}

struct MidiLine {
  long time;
  std::string bytes;
};
std::vector<MidiLine> midiLines(const std::string& text) {
  std::vector<MidiLine> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == ';') continue;
    const std::size_t blank = line.find(' ');
    lines.push_back(
        {std::atol(line.c_str()), blank == std::string::npos ? "" : line.substr(blank)});
  }
  return lines;
}

bool isNote(const MidiLine& m) {
  return m.bytes.size() > 1 && (m.bytes[1] == '8' || m.bytes[1] == '9');
}

// True when every expected message was sent, and nothing else, each within the tolerance.
bool midiMatches(const std::string& expected, const std::string& actual) {
  std::vector<MidiLine> want = midiLines(expected), got = midiLines(actual);
  if (want.size() != got.size()) return false;
  auto firstNote = [](const std::vector<MidiLine>& lines) {
    long first = -1;
    for (const MidiLine& m : lines)
      if (isNote(m) && (first < 0 || m.time < first)) first = m.time;
    return first;
  };
  const long wantFirst = firstNote(want), gotFirst = firstNote(got);
  if (wantFirst >= 0 && gotFirst >= 0)
    for (MidiLine& m : got)
      if (m.time >= gotFirst) m.time -= gotFirst - wantFirst;
  std::vector<bool> used(got.size(), false);
  for (const MidiLine& w : want) {
    bool found = false;
    for (std::size_t k = 0; k < got.size() && !found; ++k) {
      if (used[k] || got[k].bytes != w.bytes || std::labs(got[k].time - w.time) > midiTolerance)
        continue;
      used[k] = found = true;
    }
    if (!found) return false;
  }
  return true;
}

bool updating() {
  const char* update = std::getenv("TW_UPDATE_EXPECT");
  return update && std::string(update) == "1";
}

// Writes path in update mode; otherwise true when it holds actual, with the difference shown.
bool check(const fs::path& path, const std::string& actual) {
  if (updating()) {
    std::ofstream(path, std::ios::binary) << actual;
    std::cout << "wrote " << path.string() << "\n" << actual;
    return true;
  }
  std::string expected = readFile(path);
  if (expected == actual) return true;
  std::cout << "--- expected (" << path.string() << ")\n" << expected << "--- actual\n" << actual;
  return false;
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
  // Another system's own expectation, where its results must differ, replaces it.
  if (const char* other = std::getenv("TW_EXPECT"); other && *other) expectPath = other;
  fs::path inPath = stem.string() + ".in";
  fs::path argsPath = stem.string() + ".args";
  fs::path fixturePath = stem.string() + ".dir";
  fs::path filesPath = stem.string() + ".files";
  fs::path pixelsPath = stem.string() + ".pixels";
  fs::path midiPath = stem.string() + ".midi";

  fs::path base = fs::temp_directory_path() / ("tw-program-" + std::to_string(getpid()));
  fs::path results = base / "results";
  fs::path folder = base / bas.parent_path().filename();
  fs::remove_all(base);
  fs::create_directories(results);
  fs::create_directories(folder);
  if (fs::is_directory(fixturePath)) fs::copy(fixturePath, folder, fs::copy_options::recursive);
  fs::path program = folder / bas.filename();
  fs::copy_file(bas, program);

  fs::path dump = results / "screen", err = results / "stderr";
  std::vector<std::string> command{tarnwick.string(), "--headless", "--screen-dump", dump.string(),
                                   "--settings", (results / "settings").string()};
  fs::path shot = results / "screenshot.png";
  if (fs::exists(pixelsPath)) {
    command.push_back("--screenshot");
    command.push_back(shot.string());
  }
  fs::path recording = results / "run.mid";
  if (fs::exists(midiPath)) {
    command.push_back("--midi");
    command.push_back(recording.string());
  }
  if (fs::exists(argsPath)) {
    std::istringstream words(readFile(argsPath));
    for (std::string w; words >> w;) command.push_back(w);
  }
  command.push_back(program.string());
  int status = runCommand(command, folder, fs::exists(inPath) ? inPath : fs::path(), err);

  std::string actual = "[screen]\n" + showScreen(readFile(dump)) + "[stderr]\n" + readFile(err) +
                       "[exit] " + std::to_string(status) + "\n";
  std::string files;
  if (fs::exists(filesPath)) files = showFiles(folder, listedNames(readFile(filesPath)), readFile(filesPath));
  std::string pixels;
  if (fs::exists(pixelsPath)) pixels = showPixels(shot, readFile(pixelsPath));
  std::string midi;
  if (fs::exists(midiPath)) midi = showMidi(readFile(recording));
  fs::remove_all(base);

  bool passed = check(expectPath, actual);
  if (fs::exists(filesPath)) passed = check(filesPath, files) && passed;
  if (fs::exists(pixelsPath)) passed = check(pixelsPath, pixels) && passed;
  if (fs::exists(midiPath)) {
    if (updating()) {
      check(midiPath, midi);
    } else if (!midiMatches(readFile(midiPath), midi)) {
      std::cout << "--- expected (" << midiPath.string() << ", times within " << midiTolerance
                << " ms)\n" << readFile(midiPath) << "--- actual\n" << midi;
      passed = false;
    }
  }
  return passed ? 0 : 1;
}
