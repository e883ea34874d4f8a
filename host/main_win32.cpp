// The Windows entry point: the wide command line, loading the program (the executable's own
// trailer, or the application named), the start-up order of the window and the two threads, and
// the exit status. It includes no Windows header: the window and its services are the platform's.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <thread>

#include "interp/interp.h"

namespace {

using namespace tw;
namespace fs = std::filesystem;

constexpr int exitLoadFailure = 2;

fs::path pathOf(const std::string& utf8) {
  const std::u16string wide = platform::utf8ToUtf16(utf8);
  return fs::path(std::wstring(wide.begin(), wide.end()));
}

std::u16string utf16Of(const fs::path& path) {
  const std::wstring wide = path.wstring();
  return std::u16string(wide.begin(), wide.end());
}

// The last bytes of a file, enough to hold any trailer; nothing if it cannot be read.
std::optional<std::string> readTail(const fs::path& path) {
  std::FILE* in = _wfopen(path.c_str(), L"rb");
  if (!in) return std::nullopt;
  std::optional<std::string> tail;
  if (std::fseek(in, 0, SEEK_END) == 0) {
    const long long size = _ftelli64(in);
    const auto take = static_cast<std::size_t>(
        std::min<long long>(size, static_cast<long long>(host::trailerLimit)));
    std::string bytes(take, '\0');
    if (size >= 0 && _fseeki64(in, size - static_cast<long long>(take), SEEK_SET) == 0 &&
        std::fread(bytes.data(), 1, take, in) == take)
      tail = std::move(bytes);
  }
  std::fclose(in);
  return tail;
}

// A name of this system in code page 932; characters without a form become '?'.
std::string cp932Of(std::u16string_view name) {
  std::string out;
  for (char16_t unit : name) {
    std::optional<std::string> bytes = platform::utf16ToCp932(std::u16string_view(&unit, 1));
    out += bytes ? *bytes : std::string("?");
  }
  return out;
}

struct Program {
  host::ProgramImage image;
  host::FontSpec font;
  std::string dir;       // code page 932, no trailing backslash
  std::u16string title;  // the application's name without folder and extension
};

std::optional<Program> programIn(const fs::path& file) {
  std::optional<std::string> tail = readTail(file);
  std::optional<host::ProgramImage> image = tail ? host::readTrailer(*tail) : std::nullopt;
  if (!image) return std::nullopt;
  std::optional<host::FontSpec> font = host::parseFont(image->fontNumbers, image->faceName);
  if (!font) return std::nullopt;
  std::error_code ec;
  const fs::path absolute = fs::absolute(file, ec);
  std::u16string dir = utf16Of(absolute.parent_path());
  while (dir.size() > 3 && (dir.back() == u'\\' || dir.back() == u'/')) dir.pop_back();
  return Program{std::move(*image), std::move(*font), cp932Of(dir), utf16Of(file.stem())};
}

// The executable's own program, or else the application named on the command line.
std::optional<Program> loadProgram(const host::CommandLine& cl) {
  if (std::optional<Program> own = programIn(pathOf(platform::executablePath()))) return own;
  if (cl.file.empty()) return std::nullopt;
  return programIn(pathOf(cl.file));
}

void writeFile(const std::string& path, const std::string& text) {
  if (std::FILE* out = _wfopen(pathOf(path).c_str(), L"wb")) {
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
}

// The window's last paint, into an off-screen bitmap of the client size, written as PNG.
void writeScreenshot(Runtime& rt, const platform::ScreenFont& font, const std::string& path) {
  std::unique_ptr<platform::Canvas> shot = platform::makeGdiBitmap(rt.sys.window->clientSize(), font);
  platform::Canvas* client = rt.sys.clientArea;
  rt.sys.clientArea = shot.get();
  screen::windowProcedure(rt, {platform::Msg::Paint});
  rt.sys.clientArea = client;
  platform::writePng(*shot, path);
}

void showMessage(std::string_view text) {
  platform::showLoneBox("tarnwick", text, platform::BoxIcon::Information, {});
}

int run(const host::CommandLine& cl, Program program) {
  std::unique_ptr<platform::ScreenFont> font = platform::makeGdiFont(host::logFont(program.font));
  const platform::Extent display = cl.displayGiven ? cl.display : platform::displaySize();
  std::unique_ptr<platform::Canvas> bitmap = platform::makeGdiBitmap(display, *font);
  std::unique_ptr<platform::Files> files = platform::makeFiles();
  std::unique_ptr<platform::Clock> clock = platform::makeClock();
  std::unique_ptr<platform::Settings> settings = cl.settings.empty()
                                                     ? platform::makeRegistrySettings()
                                                     : platform::makeSettings(cl.settings);
  std::unique_ptr<platform::Serial> serial = platform::makeSerial(settings.get());
  Runtime* runtime = nullptr;
  platform::Win32WindowOptions options{program.title, cl.client, cl.boxLog,
                                   host::logFont(program.font)};
  std::unique_ptr<platform::DesktopWindow> window = platform::makeDesktopWindow(
      [&runtime](const platform::Message& m) { screen::windowProcedure(*runtime, m); },
      std::move(options), *font);
  // With --midi the device is recorded; the recorder stands in when there is no device.
  platform::MidiOutput midi =
      platform::makeMidiOutput(platform::makeWinmmMidi(), !cl.midi.empty(), *clock);
  std::unique_ptr<platform::Mci> mci = platform::makeWinmmMci(*window);
  platform::Services services;
  services.window = window.get();
  services.midi = midi.device.get();
  services.mci = mci.get();
  services.bitmap = bitmap.get();
  services.clientArea = &window->clientArea();
  services.font = font.get();
  services.files = files.get();
  services.clock = clock.get();
  services.settings = settings.get();
  services.serial = serial.get();
  auto rt = std::make_unique<Runtime>(services);
  runtime = rt.get();

  if (!window->open()) return exitLoadFailure;
  host::loadConfiguration(*rt);
  host::loadImage(*rt, program.image);
  window->show();
  screen::clsStatement(*rt, "2");
  std::promise<void> finished;
  std::future<void> done = finished.get_future();
  std::thread interpreter([&] {
    interp::interpreterThread(*rt, std::move(program.dir));
    finished.set_value();
  });
  window->run();
  // The program, stopped, finishes its statement before the text is taken; one that does not
  // come back soon is not waited for: the process ends with it.
  const bool finishedInTime = done.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
  if (!cl.screenDump.empty()) writeFile(cl.screenDump, screen::snapshot(rt->screen));
  if (!cl.screenshot.empty()) writeScreenshot(*rt, *font, cl.screenshot);
  if (midi.recorder) writeFile(cl.midi, platform::standardMidiFile(midi.recorder->recorded()));
  const int status = rt->interp.endedByError ? 1 : 0;
  if (!finishedInTime) std::_Exit(status);
  interpreter.join();
  return status;
}

}  // namespace

// A GUI program: the C run-time calls main, and the window takes the process's show command.
int main() {
  std::vector<std::string> words = host::splitCommandLine(platform::wideCommandLine());
  words.erase(words.begin());
  std::string error;
  std::optional<host::CommandLine> cl = host::parseCommandLine(words, error);
  if (!cl) {
    showMessage(error + "\n\n" + std::string(host::usageText()));
    return exitLoadFailure;
  }
  if (cl->help || cl->version) {
    showMessage(cl->help ? host::usageText() : host::versionText);
    return 0;
  }
  std::optional<Program> program = loadProgram(*cl);
  if (!program) {
    platform::showLoneBox(interp::text(interp::Text::ErrorTitle),
                          interp::text(interp::Text::FileSystemError), platform::BoxIcon::Error,
                          cl->boxLog);
    return exitLoadFailure;
  }
  return run(*cl, std::move(*program));
}
