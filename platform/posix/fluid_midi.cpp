// The MIDI output device on Linux: a FluidSynth synthesiser with a General MIDI sound font, heard
// through the audio output when there is one and written to --wav when asked. Only this file sees
// FluidSynth; it draws nothing and reads no program state.
#include <dlfcn.h>
#include <fluidsynth.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/platform.h"

namespace tw::platform {
namespace {

// FluidSynth is opened by the first PLAY, so that a run that never plays loads neither it nor the
// many libraries it brings (start-up time and memory); its functions are called through this table.
#define TW_FLUID_FUNCTIONS(X)     \
  X(new_fluid_settings)           \
  X(delete_fluid_settings)        \
  X(fluid_settings_setnum)        \
  X(fluid_settings_setstr)        \
  X(fluid_set_log_function)       \
  X(new_fluid_synth)              \
  X(delete_fluid_synth)           \
  X(fluid_synth_sfload)           \
  X(fluid_synth_noteon)           \
  X(fluid_synth_noteoff)          \
  X(fluid_synth_cc)               \
  X(fluid_synth_program_change)   \
  X(fluid_synth_pitch_bend)       \
  X(fluid_synth_channel_pressure) \
  X(fluid_synth_key_pressure)     \
  X(fluid_synth_process)          \
  X(fluid_synth_write_s16)        \
  X(new_fluid_audio_driver2)      \
  X(delete_fluid_audio_driver)

struct FluidLibrary {
#define TW_FLUID_POINTER(name) decltype(&::name) name = nullptr;
  TW_FLUID_FUNCTIONS(TW_FLUID_POINTER)
#undef TW_FLUID_POINTER
};

// False when the library or one of its functions cannot be found.
bool loadFluid(FluidLibrary& fluid) {
  void* opened = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
  if (!opened) return false;
#define TW_FLUID_LOOKUP(name)                                                \
  fluid.name = reinterpret_cast<decltype(fluid.name)>(dlsym(opened, #name)); \
  if (!fluid.name) return false;
  TW_FLUID_FUNCTIONS(TW_FLUID_LOOKUP)
#undef TW_FLUID_LOOKUP
  return true;
}

// The ALSA library, which the synthesiser loads, writes its own errors to stderr when there is no
// sound card; a quiet handler replaces its printing. Its type as ALSA declares it.
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
void quietAlsa() {
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
  if (!alsa) return;
  using SetHandler = int (*)(AlsaErrorHandler);
  if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
    set(&ignoreAlsaError);
  dlclose(alsa);
}

constexpr const char* defaultSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr int sampleRate = 44100;
constexpr int wavChannels = 2;
constexpr int wavBytesPerFrame = wavChannels * 2;
// Without an audio output the --wav renderer catches up with the clock this often, in slices of
// at most renderChunkFrames. Not observable.
constexpr auto renderPeriod = std::chrono::milliseconds(10);
constexpr int renderChunkFrames = 1024;
// The audio outputs tried, in order; none of them means silence.
constexpr const char* audioDrivers[] = {"pulseaudio", "alsa"};
constexpr int allNotesOff = 123;
constexpr int midiChannels = 16;

// A 16-bit stereo PCM file: its header is written again with the sizes when it is finished.
class WavFile {
 public:
  explicit WavFile(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
    if (file_) writeHeader();
  }
  ~WavFile() { finish(); }
  bool ok() const { return file_ != nullptr && !failed_; }
  void write(const std::int16_t* interleaved, int frames) {
    if (!file_) return;
    const auto bytes = static_cast<std::size_t>(frames) * wavBytesPerFrame;
    if (std::fwrite(interleaved, 1, bytes, file_) != bytes) failed_ = true;
    dataBytes_ += static_cast<std::uint32_t>(bytes);
  }
  // The sizes go in; false when the file could not be written whole.
  bool finish() {
    if (!file_) return false;
    writeHeader();
    failed_ |= std::fclose(file_) != 0;
    file_ = nullptr;
    return !failed_;
  }

 private:
  void put(std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) header_ += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  void writeHeader() {
    header_.clear();
    header_ += "RIFF";
    put(36 + dataBytes_, 4);
    header_ += "WAVEfmt ";
    put(16, 4);
    put(1, 2);  // PCM
    put(wavChannels, 2);
    put(sampleRate, 4);
    put(sampleRate * wavBytesPerFrame, 4);
    put(wavBytesPerFrame, 2);
    put(16, 2);
    header_ += "data";
    put(dataBytes_, 4);
    if (std::fseek(file_, 0, SEEK_SET) != 0 ||
        std::fwrite(header_.data(), 1, header_.size(), file_) != header_.size() ||
        std::fseek(file_, 0, SEEK_END) != 0)
      failed_ = true;
  }

  std::FILE* file_;
  bool failed_ = false;
  std::uint32_t dataBytes_ = 0;
  std::string header_;
};

class SynthMidi final : public Midi {
 public:
  explicit SynthMidi(SynthOptions options) : options_(std::move(options)) {
    if (!options_.wav.empty()) {
      wav_ = std::make_unique<WavFile>(options_.wav);
      if (!wav_->ok()) std::fprintf(stderr, "tarnwick: cannot write %s\n", options_.wav.c_str());
    }
  }
  ~SynthMidi() override {
    if (driver_) fluid_.delete_fluid_audio_driver(driver_);
    stopRenderer_ = true;
    if (renderer_.joinable()) renderer_.join();
    if (wav_ && !wav_->finish() && !options_.wav.empty())
      std::fprintf(stderr, "tarnwick: cannot write %s\n", options_.wav.c_str());
    if (synth_) fluid_.delete_fluid_synth(synth_);
    if (settings_) fluid_.delete_fluid_settings(settings_);
  }

  int deviceCount() override {
    if (!tried_) {
      tried_ = true;
      loaded_ = load();
    }
    return loaded_ ? 1 : 0;
  }
  // The output starts with the first opening and runs until the program exits.
  bool open() override {
    if (deviceCount() == 0) return false;
    if (!started_) startOutput();
    started_ = true;
    return true;
  }
  bool shortMessage(std::uint32_t message) override {
    if (!synth_) return false;
    const int channel = static_cast<int>(message & 0x0F);
    const int data1 = static_cast<int>((message >> 8) & 0x7F);
    const int data2 = static_cast<int>((message >> 16) & 0x7F);
    switch (message & 0xF0) {
      case 0x90:
        if (data2 != 0) {
          fluid_.fluid_synth_noteon(synth_, channel, data1, data2);
          break;
        }
        [[fallthrough]];
      case 0x80:
        fluid_.fluid_synth_noteoff(synth_, channel, data1);
        break;
      case 0xB0:
        fluid_.fluid_synth_cc(synth_, channel, data1, data2);
        break;
      case 0xC0:
        fluid_.fluid_synth_program_change(synth_, channel, data1);
        break;
      case 0xA0:
        fluid_.fluid_synth_key_pressure(synth_, channel, data1, data2);
        break;
      case 0xD0:
        fluid_.fluid_synth_channel_pressure(synth_, channel, data1);
        break;
      case 0xE0:
        fluid_.fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7);
        break;
      default:
        break;
    }
    return true;  // a note the synthesiser has no voice for is not a failure of the device
  }
  std::string errorText() override { return {}; }
  void close() override {
    if (!synth_) return;
    for (int channel = 0; channel < midiChannels; ++channel)
      fluid_.fluid_synth_cc(synth_, channel, allNotesOff, 0);
  }

 private:
  bool load() {
    if (!loadFluid(fluid_)) return false;
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
      fluid_.fluid_set_log_function(level, nullptr, nullptr);
    quietAlsa();
    settings_ = fluid_.new_fluid_settings();
    if (!settings_) return false;
    fluid_.fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
    synth_ = fluid_.new_fluid_synth(settings_);
    const std::string& font = options_.soundFont.empty() ? defaultSoundFont : options_.soundFont;
    if (!synth_ || fluid_.fluid_synth_sfload(synth_, font.c_str(), 1) == FLUID_FAILED) {
      if (synth_) fluid_.delete_fluid_synth(synth_);
      synth_ = nullptr;
      return false;
    }
    return true;
  }

  // The audio output when one opens, and --wav through it; otherwise --wav alone, rendered here at
  // the pace of the clock.
  void startOutput() {
    for (const char* name : audioDrivers) {
      fluid_.fluid_settings_setstr(settings_, "audio.driver", name);
      driver_ = fluid_.new_fluid_audio_driver2(settings_, &SynthMidi::renderForOutput, this);
      if (driver_) return;
    }
    if (wav_ && wav_->ok()) renderer_ = std::thread([this] { renderToWav(); });
  }

  static int renderForOutput(void* data, int len, int, float*[], int nout, float* out[]) {
    auto* self = static_cast<SynthMidi*>(data);
    if (nout < 2) return FLUID_FAILED;
    float* fx[4] = {out[0], out[1], out[0], out[1]};
    const int result = self->fluid_.fluid_synth_process(self->synth_, len, 4, fx, 2, out);
    if (self->wav_) self->appendFloats(out[0], out[1], len);
    return result;
  }

  void appendFloats(const float* left, const float* right, int frames) {
    frameBuffer_.resize(static_cast<std::size_t>(frames) * wavChannels);
    auto sample = [](float v) {
      const float clipped = v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v);
      return static_cast<std::int16_t>(clipped * 32767.0f);
    };
    for (int i = 0; i < frames; ++i) {
      frameBuffer_[2 * static_cast<std::size_t>(i)] = sample(left[i]);
      frameBuffer_[2 * static_cast<std::size_t>(i) + 1] = sample(right[i]);
    }
    wav_->write(frameBuffer_.data(), frames);
  }

  void renderToWav() {
    const auto start = std::chrono::steady_clock::now();
    std::int64_t rendered = 0;
    std::vector<std::int16_t> chunk(static_cast<std::size_t>(renderChunkFrames) * wavChannels);
    while (!stopRenderer_) {
      const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
          std::chrono::steady_clock::now() - start);
      const std::int64_t due = elapsed.count() * sampleRate / 1'000'000;
      while (rendered < due) {
        const int frames =
            static_cast<int>(std::min<std::int64_t>(due - rendered, renderChunkFrames));
        fluid_.fluid_synth_write_s16(synth_, frames, chunk.data(), 0, 2, chunk.data(), 1, 2);
        wav_->write(chunk.data(), frames);
        rendered += frames;
      }
      std::this_thread::sleep_for(renderPeriod);
    }
  }

  SynthOptions options_;
  FluidLibrary fluid_;
  bool tried_ = false;
  bool loaded_ = false;
  bool started_ = false;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_audio_driver_t* driver_ = nullptr;
  std::unique_ptr<WavFile> wav_;
  std::vector<std::int16_t> frameBuffer_;
  std::thread renderer_;
  std::atomic<bool> stopRenderer_{false};
};

}  // namespace

std::unique_ptr<Midi> makeSynthMidi(SynthOptions options) {
  return std::make_unique<SynthMidi>(std::move(options));
}

}  // namespace tw::platform
