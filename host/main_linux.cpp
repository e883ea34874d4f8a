// The Linux entry point: the command line, loading the program (its own trailer, an application
// or a .bas source), a desktop window or the headless console, the two threads of a run, and the
// exit status.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iostream>
#include <iterator>
#include <thread>

#include "interp/interp.h"
#include "tools/builder/builder.h"

namespace {

using namespace tw;
namespace fs = std::filesystem;

constexpr int exitLoadFailure = 2;

// The last bytes of a file, enough to hold any trailer; nothing if it cannot be read.
std::optional<std::string> readTail(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  auto size = static_cast<std::size_t>(in.tellg());
  std::size_t take = std::min(size, host::trailerLimit);
  std::string tail(take, '\0');
  in.seekg(static_cast<std::streamoff>(size - take));
  if (!in.read(tail.data(), static_cast<std::streamsize>(take))) return std::nullopt;
  return tail;
}

bool isSourceName(const std::string& name) {
  std::string ext = fs::path(name).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".bas";
}

// The folder of a file, absolute, in code page 932, without a trailing separator.
std::string programDirOf(const std::string& file) {
  std::error_code ec;
  fs::path dir = fs::absolute(fs::path(file), ec).parent_path();
  std::string utf8 = dir.lexically_normal().string();
  while (utf8.size() > 1 && utf8.back() == '/') utf8.pop_back();
  if (utf8 == "/") utf8.clear();
  std::optional<std::string> cp932 = platform::utf8ToCp932(utf8);
  return cp932 ? *cp932 : utf8;
}

void reportFileSystemError() {
  std::string line = "[" + platform::cp932ToUtf8(interp::text(interp::Text::ErrorTitle)) + "] " +
                     platform::cp932ToUtf8(interp::text(interp::Text::FileSystemError)) + "\n";
  std::fputs(line.c_str(), stderr);
}

struct Program {
  host::ProgramImage image;
  std::string dir;
  std::string title;  // the file's base name without its extension, as the window's title
};

std::string titleOf(const std::string& file) {
  return fs::path(file).stem().string();
}

// Finds the program to run; on failure prints why and returns nothing.
std::optional<Program> loadProgram(const host::CommandLine& cl) {
  std::string self = platform::executablePath();
  if (auto tail = readTail(self); tail) {
    if (auto own = host::readTrailer(*tail))
      return Program{*own, programDirOf(self), titleOf(self)};
  }
  if (cl.file.empty()) {
    std::fprintf(stderr, "tarnwick: no FILE given\n%s", std::string(host::usageText()).c_str());
    return std::nullopt;
  }
  if (isSourceName(cl.file)) {
    std::ifstream in(cl.file, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "tarnwick: cannot read %s\n", cl.file.c_str());
      return std::nullopt;
    }
    std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    builder::BuildError error;
    std::optional<std::string> text = builder::encodeSource(source, cl.file, error);
    if (!text) {
      std::fprintf(stderr, "%s\n", builder::describe(error).c_str());
      return std::nullopt;
    }
    host::ProgramImage image{std::string(host::defaultFaceName),
                             std::string(host::defaultFontNumbers), std::move(*text)};
    return Program{std::move(image), programDirOf(cl.file), titleOf(cl.file)};
  }
  std::optional<std::string> tail = readTail(cl.file);
  std::optional<host::ProgramImage> image = tail ? host::readTrailer(*tail) : std::nullopt;
  if (!image) {
    reportFileSystemError();
    return std::nullopt;
  }
  return Program{std::move(*image), programDirOf(cl.file), titleOf(cl.file)};
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out) std::fprintf(stderr, "tarnwick: cannot write %s\n", path.c_str());
}

// A window when a display is named and no headless run is asked for.
bool wantsWindow(const host::CommandLine& cl) {
  auto named = [](const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
  };
  return !cl.headless && (named("DISPLAY") || named("WAYLAND_DISPLAY"));
}

int run(const host::CommandLine& cl, Program program) {
  std::unique_ptr<platform::Files> files = platform::makeFiles();
  std::unique_ptr<platform::Settings> settings = platform::makeSettings(cl.settings);
  std::unique_ptr<platform::Serial> serial = platform::makeSerial(settings.get());
  std::unique_ptr<platform::ScreenFont> font = platform::makeBuiltinFont();
  // Only a window or a screenshot looks at the client area's pixels.
  std::unique_ptr<platform::Canvas> client = wantsWindow(cl) || !cl.screenshot.empty()
                                                 ? platform::makeRasterCanvas(cl.client)
                                                 : platform::makeUnseenCanvas(cl.client);
  Runtime* runtime = nullptr;
  platform::WindowProcedure procedure = [&runtime](const platform::Message& m) {
    screen::windowProcedure(*runtime, m);
  };
  std::unique_ptr<platform::Window> window;
  std::unique_ptr<platform::Clock> clock;
  platform::Extent display = cl.display;
  if (wantsWindow(cl)) {
    std::string error;
    std::optional<platform::Desktop> desktop = platform::openDesktopWindow(
        std::move(procedure), *client, {cl.scale, program.title, cl.boxLog}, error);
    if (!desktop) {
      std::fprintf(stderr, "tarnwick: %s (--headless runs without a window)\n", error.c_str());
      return exitLoadFailure;
    }
    window = std::move(desktop->window);
    clock = std::move(desktop->clock);
    if (!cl.displayGiven)
      display = {std::clamp(desktop->display.width, 1, host::extentLimit),
                 std::clamp(desktop->display.height, 1, host::extentLimit)};
  } else {
    window = platform::makeHeadlessWindow(std::move(procedure),
                                          platform::HeadlessOptions{cl.client, cl.boxLog});
    clock = platform::makeClock();
  }
  std::unique_ptr<platform::Canvas> bitmap = platform::makeRasterCanvas(display);
  // The synthesiser is the device; with --midi it is recorded, or the recorder stands alone.
  platform::MidiOutput midi =
      platform::makeMidiOutput(platform::makeSynthMidi({cl.soundFont, cl.wav}), !cl.midi.empty(), *clock);
  // The sound mixer is loaded only when the program first uses MCI or BEEP.
  std::unique_ptr<platform::Mci> mci = platform::makeMixerMci(*window, cl.soundFont);
  platform::Services services;
  services.font = font.get();
  services.bitmap = bitmap.get();
  services.clientArea = client.get();
  services.files = files.get();
  services.midi = midi.device.get();
  services.clock = clock.get();
  services.settings = settings.get();
  services.serial = serial.get();
  services.window = window.get();
  services.mci = mci.get();
  auto rt = std::make_unique<Runtime>(services);
  runtime = rt.get();
  // Not part of the command line: the text rewriting alone, the oracle the fast path is tested
  // against.
  if (const char* reference = std::getenv("TW_REFERENCE")) rt->interp.referenceOnly = *reference == '1';

  host::loadConfiguration(*rt);
  if (!host::loadImage(*rt, program.image)) {
    reportFileSystemError();
    return exitLoadFailure;
  }
  screen::clsStatement(*rt, "2");
  std::promise<void> finished;
  std::future<void> done = finished.get_future();
  std::thread interpreter([&] {
    interp::interpreterThread(*rt, std::move(program.dir));
    finished.set_value();
  });
  window->run();
  // The program, stopped, finishes its statement (INPUT ends its line) before the text is taken;
  // one that does not come back soon is not waited for: the process ends with it.
  const bool finishedInTime = done.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
  if (!cl.screenDump.empty()) writeFile(cl.screenDump, screen::snapshot(rt->screen));
  if (!cl.screenshot.empty()) {
    // The window's last paint: the graphics with the whole text layer over them.
    screen::windowProcedure(*rt, {platform::Msg::Paint});
    if (!platform::writePng(*client, cl.screenshot))
      std::fprintf(stderr, "tarnwick: cannot write %s\n", cl.screenshot.c_str());
  }
  if (midi.recorder) writeFile(cl.midi, platform::standardMidiFile(midi.recorder->recorded()));
  int status = rt->interp.endedByError ? 1 : 0;
  std::fflush(stdout);
  std::fflush(stderr);
  if (!finishedInTime) std::_Exit(status);
  interpreter.join();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  std::optional<host::CommandLine> cl =
      host::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!cl) {
    std::fprintf(stderr, "tarnwick: %s\n%s", error.c_str(), std::string(host::usageText()).c_str());
    return exitLoadFailure;
  }
  if (cl->help) {
    std::fputs(std::string(host::usageText()).c_str(), stdout);
    return 0;
  }
  if (cl->version) {
    std::puts(std::string(host::versionText).c_str());
    return 0;
  }
  std::optional<Program> program = loadProgram(*cl);
  if (!program) return exitLoadFailure;
  return run(*cl, std::move(*program));
}
