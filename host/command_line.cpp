// The runtime's command line: options, the file to run, and the usage text. It only parses;
// acting on the result is the entry point's.
#include <charconv>

#include "host/host.h"

namespace tw::host {
namespace {

bool parseExtent(std::string_view text, platform::Extent& out) {
  std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return false;
  auto number = [](std::string_view s, int& v) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc{} && end == s.data() + s.size() && v > 0 && v <= extentLimit;
  };
  return number(text.substr(0, x), out.width) && number(text.substr(x + 1), out.height);
}

}  // namespace

std::string_view usageText() {
  return "usage: tarnwick [OPTIONS] FILE\n"
         "Runs FILE, an application (a file ending in a program trailer) or a source file (.bas).\n"
         "An application that carries its own program needs no FILE.\n"
         "\n"
         "  --headless            no window: screen text to stdout, keys from stdin\n"
         "  --screen-dump FILE    when the program ends, write the text layer to FILE\n"
         "  --screenshot FILE     when the program ends, write the client area to FILE (PNG)\n"
         "  --client WxH          client area in pixels (default 640x400)\n"
         "  --display WxH         display and graphics size (default 1024x768)\n"
         "  --settings FILE       the file that holds the RS232C settings\n"
         "  --box-log FILE        append message boxes to FILE instead of showing them\n"
         "  --scale N             a window shows each pixel as NxN (default 2 when it fits)\n"
         "  --midi FILE           save the notes PLAY sends to FILE (Standard MIDI File)\n"
         "  --soundfont FILE      Linux: the General MIDI sound font of the synthesiser\n"
         "  --wav FILE            Linux: also write the synthesiser's sound to FILE\n"
         "  --help                this text\n"
         "  --version             the version\n"
         "\n"
         "Exit status: 0 when the program ended, 1 when an error ended it, 2 when it could not\n"
         "be loaded or the command line is wrong.\n";
}

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::string& error) {
  CommandLine cl;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = "option " + a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string text;
    if (a == "--headless") {
      cl.headless = true;
    } else if (a == "--help" || a == "-h") {
      cl.help = true;
    } else if (a == "--version") {
      cl.version = true;
    } else if (a == "--screen-dump") {
      if (!value(cl.screenDump)) return std::nullopt;
    } else if (a == "--screenshot") {
      if (!value(cl.screenshot)) return std::nullopt;
    } else if (a == "--settings") {
      if (!value(cl.settings)) return std::nullopt;
    } else if (a == "--box-log") {
      if (!value(cl.boxLog)) return std::nullopt;
    } else if (a == "--midi") {
      if (!value(cl.midi)) return std::nullopt;
    } else if (a == "--soundfont") {
      if (!value(cl.soundFont)) return std::nullopt;
    } else if (a == "--wav") {
      if (!value(cl.wav)) return std::nullopt;
    } else if (a == "--scale") {
      if (!value(text)) return std::nullopt;
      auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), cl.scale);
      if (ec != std::errc{} || end != text.data() + text.size() || cl.scale < 1 ||
          cl.scale > scaleLimit) {
        error = "option --scale takes a whole number from 1 to " + std::to_string(scaleLimit);
        return std::nullopt;
      }
    } else if (a == "--client" || a == "--display") {
      if (!value(text)) return std::nullopt;
      if (!parseExtent(text, a == "--client" ? cl.client : cl.display)) {
        error = "option " + a + " takes WIDTHxHEIGHT, for example 640x400";
        return std::nullopt;
      }
      if (a == "--display") cl.displayGiven = true;
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      error = "unknown option " + a;
      return std::nullopt;
    } else if (cl.file.empty()) {
      cl.file = a;
    } else {
      error = "more than one FILE: " + cl.file + ", " + a;
      return std::nullopt;
    }
  }
  return cl;
}

}  // namespace tw::host
