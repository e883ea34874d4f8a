// The tarnwick-build command: reads the command line and the files, and writes applications,
// program texts and listings. Encoding and listing themselves belong to the encoder and the lister.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "host/host.h"
#include "platform/platform.h"
#include "tools/builder/builder.h"

namespace tw::builder {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view usage =
    "usage: tarnwick-build SOURCE.bas -o APP [--runtime EXE] [--font FACE]\n"
    "                      [--font-numbers \"13 NUMBERS\"]\n"
    "       tarnwick-build --program-only SOURCE.bas -o FILE\n"
    "       tarnwick-build --list APP_OR_FILE\n"
    "       tarnwick-build --help | --version\n"
    "\n"
    "Builds an application: the runtime executable (by default the tarnwick runtime beside this\n"
    "command) with the encoded program and its font appended. SOURCE.bas is UTF-8 or code page\n"
    "932. --program-only writes the encoded program text alone; --list prints the program of an\n"
    "application or program text file as source.\n";

constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

enum class Mode { Build, ProgramOnly, List, Help, Version };

struct Options {
  Mode mode = Mode::Build;
  std::vector<std::string> inputs;
  std::optional<std::string> output, runtime, face, fontNumbers;
};

// The mode a flag selects, nothing for other arguments.
std::optional<Mode> modeFlag(const std::string& arg) {
  static constexpr std::pair<std::string_view, Mode> flags[] = {
      {"--help", Mode::Help},
      {"--version", Mode::Version},
      {"--list", Mode::List},
      {"--program-only", Mode::ProgramOnly}};
  for (const auto& [name, mode] : flags)
    if (arg == name) return mode;
  return std::nullopt;
}

// Where an option that takes a value keeps it, nullptr for other arguments.
std::optional<std::string>* optionValue(Options& options, const std::string& arg) {
  if (arg == "-o") return &options.output;
  if (arg == "--runtime") return &options.runtime;
  if (arg == "--font") return &options.face;
  if (arg == "--font-numbers") return &options.fontNumbers;
  return nullptr;
}

// Sorts the arguments into the mode, the inputs and the option values; false on a problem.
bool collectArguments(const std::vector<std::string>& args, Options& options,
                      std::string& problem) {
  for (std::size_t i = 0; i < args.size() && problem.empty(); ++i) {
    const std::string& arg = args[i];
    auto flag = modeFlag(arg);
    auto* value = optionValue(options, arg);
    if (flag && options.mode != Mode::Build && *flag != options.mode)
      problem = "--help, --version, --list and --program-only exclude each other";
    else if (flag)
      options.mode = *flag;
    else if (value && i + 1 == args.size())
      problem = arg + " needs a value";
    else if (value && *value)
      problem = arg + " is given twice";
    else if (value)
      *value = args[++i];
    else if (arg.size() > 1 && arg[0] == '-')
      problem = "unknown option " + arg;
    else
      options.inputs.push_back(arg);
  }
  return problem.empty();
}

// Checks that the arguments make one of the command's forms.
bool checkForm(const Options& options, std::string& problem) {
  bool building = options.mode == Mode::Build;
  if (options.mode == Mode::Help || options.mode == Mode::Version) return true;
  if (options.inputs.size() != 1)
    problem = "give exactly one input file";
  else if (!building && (options.runtime || options.face || options.fontNumbers))
    problem = "--runtime, --font and --font-numbers apply only to building an application";
  else if (options.mode == Mode::List && options.output)
    problem = "--list writes to standard output";
  else if (options.mode != Mode::List && !options.output)
    problem = "-o OUTPUT is missing";
  return problem.empty();
}

// Command-line arguments are taken as UTF-8 when they are, otherwise as code page 932 bytes.
std::optional<std::string> argumentToCp932(const std::string& argument) {
  if (!platform::isValidUtf8(argument)) return argument;
  return platform::utf8ToCp932(argument);
}

bool isInteger(std::string_view word) {
  if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.remove_prefix(1);
  return !word.empty() && word.find_first_not_of("0123456789") == std::string_view::npos;
}

// The 13 font numbers in their stored form (single blanks between them), nothing when malformed.
std::optional<std::string> fontNumbersFrom(const std::string& text, std::string_view face) {
  std::istringstream words(text);
  std::string word, joined;
  int count = 0;
  for (; words >> word; ++count) {
    if (!isInteger(word)) return std::nullopt;
    joined += (count ? " " : "") + word;
  }
  bool valid =
      count == 13 && joined.size() <= host::fontNumbersLimit && host::parseFont(joined, face);
  return valid ? std::optional<std::string>(joined) : std::nullopt;
}

fs::path pathFromUtf8(const std::string& text) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

fs::path defaultRuntime() {
#ifdef _WIN32
  constexpr const char* runtimeName = "tarnwick.exe";
#else
  constexpr const char* runtimeName = "tarnwick";
#endif
  return pathFromUtf8(platform::executablePath()).parent_path() / runtimeName;
}

std::string displayName(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::optional<std::string> readFile(const fs::path& path) {
  // Some systems open a folder as a file that reads as empty.
  std::error_code ignored;
  if (fs::is_directory(path, ignored)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(bytes).str();
}

// Writes beside the target and renames, so that a failure never leaves a half-written file.
bool writeFileAtomically(const fs::path& path, std::string_view bytes, bool executable) {
  fs::path partial = path;
  partial += ".partial";
  std::error_code ignored;
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      fs::remove(partial, ignored);
      return false;
    }
  }
  std::error_code failed;
  if (executable) {
    auto exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    fs::permissions(partial, exec, fs::perm_options::add, failed);
  }
  if (!failed) fs::rename(partial, path, failed);
  if (failed) fs::remove(partial, ignored);
  return !failed;
}

int cannot(std::string_view what, const std::string& name) {
  std::cerr << "tarnwick-build: cannot " << what << " " << name << "\n";
  return exitFailure;
}

int usageProblem(std::string_view problem) {
  std::cerr << "tarnwick-build: " << problem << "\n"
            << "Try 'tarnwick-build --help'.\n";
  return exitUsage;
}

// The encoded program of the source file; prints the reason and gives nothing on failure.
std::optional<std::string> encodeFile(const std::string& name, int& status) {
  auto source = readFile(fs::path(name));
  if (!source) {
    status = cannot("read", name);
    return std::nullopt;
  }
  BuildError error;
  auto program = encodeSource(*source, name, error);
  if (!program) {
    std::cerr << describe(error) << "\n";
    status = exitFailure;
  }
  return program;
}

// The font of the application from the options; prints the problem and gives nothing when wrong.
std::optional<host::ProgramImage> fontImage(const Options& options) {
  host::ProgramImage image{
      std::string(host::defaultFaceName), std::string(host::defaultFontNumbers), {}};
  if (options.face) {
    auto face = argumentToCp932(*options.face);
    if (!face || face->size() > host::faceNameLimit) {
      usageProblem("--font needs a face name of at most 31 bytes in code page 932");
      return std::nullopt;
    }
    image.faceName = *face;
  }
  if (options.fontNumbers) {
    auto numbers = fontNumbersFrom(*options.fontNumbers, image.faceName);
    if (!numbers) {
      usageProblem("--font-numbers needs 13 integers separated by blanks");
      return std::nullopt;
    }
    image.fontNumbers = *numbers;
  }
  return image;
}

int buildApplication(const Options& options) {
  auto image = fontImage(options);
  if (!image) return exitUsage;
  int status = 0;
  auto program = encodeFile(options.inputs[0], status);
  if (!program) return status;
  image->programText = std::move(*program);
  fs::path runtimePath = options.runtime ? fs::path(*options.runtime) : defaultRuntime();
  auto runtime = readFile(runtimePath);
  if (!runtime) return cannot("read the runtime", displayName(runtimePath));
  // The encoder and the checks above keep every field within its length bytes.
  auto trailer = host::makeTrailer(*image);
  if (!trailer || !writeFileAtomically(fs::path(*options.output), *runtime + *trailer, true))
    return cannot("write", *options.output);
  return 0;
}

int writeProgramOnly(const Options& options) {
  int status = 0;
  auto program = encodeFile(options.inputs[0], status);
  if (!program) return status;
  if (!writeFileAtomically(fs::path(*options.output), *program, false))
    return cannot("write", *options.output);
  return 0;
}

int listFile(const Options& options) {
  auto file = readFile(fs::path(options.inputs[0]));
  if (!file) return cannot("read", options.inputs[0]);
  auto image = host::readTrailer(*file);
  std::string listing = listProgram(image ? std::string_view(image->programText) : *file);
  std::cout.write(listing.data(), static_cast<std::streamsize>(listing.size()));
  std::cout.flush();
  return std::cout ? 0 : cannot("write", "standard output");
}

}  // namespace

int runBuilderCommand(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string problem;
  Options options;
  if (!collectArguments(args, options, problem) || !checkForm(options, problem))
    return usageProblem(problem);
  switch (options.mode) {
    case Mode::Help:
      std::cout << usage;
      return 0;
    case Mode::Version:
      std::cout << "tarnwick-build 0.1.0\n";
      return 0;
    case Mode::Build:
      return buildApplication(options);
    case Mode::ProgramOnly:
      return writeProgramOnly(options);
    case Mode::List:
      return listFile(options);
  }
  return exitUsage;
}

}  // namespace tw::builder
