// Runs a program with --wav and checks the pitch of what the synthesiser played: the lowest strong
// peak of the spectrum (a General MIDI instrument may sound a harmonic louder than its
// fundamental) must lie within 2% of the expected frequency.
//
// usage: tw_wav_pitch TARNWICK PROGRAM.bas HERTZ
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double tolerance = 0.02;
// The attack is left out; a peak is strong from this share of the strongest one.
constexpr double skipSeconds = 0.05;
constexpr double strongShare = 0.3;
constexpr int lowestHz = 50, highestHz = 4000;

std::uint32_t little(const std::string& s, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

// The mono samples of a 16-bit stereo PCM file and its rate; nothing when it is not one.
bool readWav(const fs::path& path, std::vector<double>& samples, int& rate) {
  std::ifstream in(path, std::ios::binary);
  std::string f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (f.size() < 44 || f.compare(0, 4, "RIFF") != 0 || f.compare(8, 8, "WAVEfmt ") != 0 ||
      little(f, 20, 2) != 1 || little(f, 22, 2) != 2 || little(f, 34, 2) != 16)
    return false;
  rate = static_cast<int>(little(f, 24, 4));
  const std::size_t bytes = std::min<std::size_t>(little(f, 40, 4), f.size() - 44);
  for (std::size_t i = 44; i + 4 <= 44 + bytes; i += 4) {
    const auto left = static_cast<std::int16_t>(little(f, i, 2));
    const auto right = static_cast<std::int16_t>(little(f, i + 2, 2));
    samples.push_back((left + right) / 2.0);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: tw_wav_pitch TARNWICK PROGRAM.bas HERTZ\n");
    return 2;
  }
  const double expected = std::atof(argv[3]);
  const fs::path wav =
      fs::temp_directory_path() / ("tw-pitch-" + std::to_string(::getpid()) + ".wav");
  const std::string command = std::string("'") + argv[1] + "' --headless --wav '" + wav.string() +
                              "' '" + argv[2] + "' >/dev/null";
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "the program did not run: %s\n", command.c_str());
    return 1;
  }
  std::vector<double> samples;
  int rate = 0;
  const bool read = readWav(wav, samples, rate);
  fs::remove(wav);
  const auto skip = static_cast<std::size_t>(skipSeconds * rate);
  if (!read || samples.size() <= skip + static_cast<std::size_t>(rate / 10)) {
    std::fprintf(stderr, "no sound of a tenth of a second was written\n");
    return 1;
  }
  // A Hann window over what follows the attack, and the magnitude at each whole hertz.
  const std::size_t n = samples.size() - skip;
  std::vector<double> x(n);
  for (std::size_t i = 0; i < n; ++i)
    x[i] = samples[skip + i] * (0.5 - 0.5 * std::cos(2 * pi * static_cast<double>(i) / (n - 1)));
  std::vector<double> magnitude(highestHz + 1, 0.0);
  double strongest = 0;
  for (int hz = lowestHz; hz <= highestHz; ++hz) {
    // Goertzel's recurrence: one bin of the transform without a sine per sample.
    const double coefficient = 2 * std::cos(2 * pi * hz / rate);
    double previous = 0, beforeThat = 0;
    for (double sample : x) {
      const double s = sample + coefficient * previous - beforeThat;
      beforeThat = previous;
      previous = s;
    }
    magnitude[hz] = std::sqrt(std::max(
        0.0, previous * previous + beforeThat * beforeThat - coefficient * previous * beforeThat));
    strongest = std::max(strongest, magnitude[hz]);
  }
  int peak = lowestHz;
  while (peak < highestHz && magnitude[peak] < strongShare * strongest) ++peak;
  while (peak < highestHz && magnitude[peak + 1] > magnitude[peak]) ++peak;
  const double error = std::fabs(peak - expected) / expected;
  std::printf("lowest strong peak %d Hz, expected %.1f Hz (%.2f%% off)\n", peak, expected,
              100 * error);
  return strongest > 0 && error <= tolerance ? 0 : 1;
}
