// MCI and the beep on Linux: the commands that parseMciCommand reads, on WAV, OGG and MP3 files
// over SDL2_mixer and on MIDI files through our own player and synthesiser. Only this file sees
// the mixer; it reaches the window only through Window::send, from a thread of its own, and
// touches no state above the platform.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <fstream>
#include <iterator>
#include <mutex>
#include <numbers>
#include <thread>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace tw::platform {
namespace {

// The mixer is opened at the first command that needs it, so that a run without MCI or BEEP
// loads no sound library (start-up time and memory); its functions are called through this
// table, looked up in the mixer and in the SDL2 it brings.
#define TW_MIXER_FUNCTIONS(X) \
  X(Mix_AllocateChannels)     \
  X(Mix_CloseAudio)           \
  X(Mix_FreeChunk)            \
  X(Mix_HaltChannel)          \
  X(Mix_LoadWAV_RW)           \
  X(Mix_OpenAudioDevice)      \
  X(Mix_PlayChannelTimed)     \
  X(Mix_Playing)              \
  X(Mix_QuerySpec)            \
  X(Mix_QuickLoad_RAW)        \
  X(SDL_InitSubSystem)        \
  X(SDL_QuitSubSystem)        \
  X(SDL_RWFromConstMem)       \
  X(SDL_AudioInit)            \
  X(SDL_AudioQuit)

// Once loaded, the library stays until the process ends, as SDL2 does for the window.
struct MixerLibrary {
#define TW_MIXER_POINTER(name) decltype(&::name) name = nullptr;
  TW_MIXER_FUNCTIONS(TW_MIXER_POINTER)
#undef TW_MIXER_POINTER

  bool load() {
    void* handle = dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return false;
#define TW_MIXER_LOOKUP(name)                                    \
  name = reinterpret_cast<decltype(name)>(dlsym(handle, #name)); \
  if (!name) return false;
    TW_MIXER_FUNCTIONS(TW_MIXER_LOOKUP)
#undef TW_MIXER_LOOKUP
    return true;
  }
};

// The output the mixer is asked for, taken without changes (SDL converts for the device).
constexpr int sampleRate = 44100;
constexpr int outputChannels = 2;
constexpr int frameBytes = outputChannels * 2;  // 16-bit samples
constexpr int mixerBufferFrames = 1024;
// Devices open at one time; one more is refused. Observable through the error of that open.
constexpr std::size_t deviceLimit = 64;
// The largest sound file read. Observable through the error of opening a larger one.
constexpr std::size_t fileLimit = std::size_t{256} << 20;
// The mixer channel the beep plays on; the devices take the channels after it.
constexpr int beepChannel = 0;
// The beep: a tone of this pitch and length, its ends faded so that it does not click.
constexpr double beepHertz = 880;
constexpr int beepMilliseconds = 150;
constexpr int beepFadeMilliseconds = 5;
constexpr double beepAmplitude = 0.25 * 32767;
// How often playing devices are looked at, and a waiting command at its stop flag. Observable
// only as the lateness of a notice.
constexpr auto pollPeriod = std::chrono::milliseconds(10);

using SteadyClock = std::chrono::steady_clock;

// ALSA, which SDL may try first, writes its complaints about a missing sound card to stderr,
// where they would mix with the program's reports; they are dropped. The library stays loaded,
// so that the handler stays in place.
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
void* quietenAlsa() {
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (!alsa) return nullptr;
  using Setter = int (*)(AlsaErrorHandler);
  if (auto set = reinterpret_cast<Setter>(dlsym(alsa, "snd_lib_error_set_handler")))
    set(&ignoreAlsaError);
  return alsa;
}

std::int64_t framesToMilliseconds(std::int64_t frames) {
  return frames * 1000 / sampleRate;
}
std::int64_t millisecondsToBytes(std::int64_t ms) {
  return ms * sampleRate / 1000 * frameBytes;
}

bool sameAlias(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The bytes of a file named in code page 932, '\' as '/', relative names in folder.
std::optional<std::string> readSoundFile(std::string_view name, std::string_view folder) {
  std::string full;
  if (!name.empty() && name[0] != '\\' && name[0] != '/') full.append(folder).append(1, '\\');
  full.append(name);
  std::string path = cp932ToUtf8(full);
  std::replace(path.begin(), path.end(), '\\', '/');
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const auto size = static_cast<std::streamoff>(in.tellg());
  if (size <= 0 || static_cast<std::size_t>(size) > fileLimit) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  if (!in.read(bytes.data(), size)) return std::nullopt;
  return bytes;
}

enum class Mode : std::uint8_t { Stopped, Playing, Paused };

// One open device: a sampled sound decoded whole (so that every range and position is exact and
// several play at once), or a MIDI file read whole, whose messages our player sends to the
// synthesiser at their times (one MIDI file plays at a time: they share the synthesiser's
// channels).
struct Device {
  std::string alias;
  int channel = -1;
  Mix_Chunk* sound = nullptr;
  std::unique_ptr<MidiSongPlayer> song;
  std::int64_t length = 0;  // milliseconds
  Mode mode = Mode::Stopped;
  std::int64_t position = 0;  // milliseconds, while not playing
  std::int64_t playFrom = 0, playTo = 0;
  SteadyClock::time_point started;
  Mix_Chunk* part = nullptr;  // the range of the sound being played
  bool noticeWanted = false;  // the play under way was sent with notify
};

class MixerMci final : public Mci {
 public:
  MixerMci(Window& window, std::string soundFont)
      : window_(window), soundFont_(std::move(soundFont)) {}
  MixerMci(const MixerMci&) = delete;
  MixerMci& operator=(const MixerMci&) = delete;

  ~MixerMci() override {
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
    }
    changed_.notify_all();
    if (watcher_.joinable()) watcher_.join();
    for (auto& d : devices_) release(*d);
    if (audio_ == Audio::Open) {
      if (beep_) mix_.Mix_FreeChunk(beep_);
      mix_.Mix_CloseAudio();
      mix_.SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (alsa_) {
      // ALSA keeps the configuration it read for the life of the process unless told otherwise.
      using FreeConfiguration = int (*)();
      if (auto free =
              reinterpret_cast<FreeConfiguration>(dlsym(alsa_, "snd_config_update_free_global")))
        free();
    }
  }

  std::uint32_t sendString(std::string_view command, bool notify, std::string_view folder,
                           const std::atomic<bool>& stop) override {
    MciError error = MciOk;
    std::optional<MciCommand> c = parseMciCommand(command, error);
    if (!c) return error;
    std::unique_lock lock(mutex_);
    const bool notice = notify && c->notify;
    error = carryOut(*c, notice, folder);
    if (error != MciOk) return error;
    if (!watcher_.joinable()) watcher_ = std::thread([this] { watch(); });
    if (notice && c->verb != MciVerb::Play) ++noticesDue_;
    changed_.notify_all();
    if (c->wait && c->verb == MciVerb::Play) {
      Device* d = find(c->device);
      while (d && d->mode == Mode::Playing && !stop) changed_.wait_for(lock, pollPeriod);
    }
    return MciOk;
  }

  std::string errorString(std::uint32_t code) override { return std::string(mciErrorText(code)); }

  void beep() override {
    std::lock_guard lock(mutex_);
    if (!startAudio() || silent_) return;
    if (!beep_) beep_ = makeBeep();
    if (beep_) mix_.Mix_PlayChannelTimed(beepChannel, beep_, 0, -1);
  }

 private:
  enum class Audio : std::uint8_t { Unopened, Open, Failed };

  // ---- The audio output ----

  // Opens the output once: the system's device, or else SDL's silent one, on which sounds still
  // take their time, so that a program waits for them and gets its notices as it would with
  // sound. False when the mixer cannot be loaded at all.
  bool startAudio() {
    if (audio_ != Audio::Unopened) return audio_ == Audio::Open;
    audio_ = Audio::Failed;
    if (!mix_.load()) return false;
    alsa_ = quietenAlsa();
    if (mix_.SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (openOutput()) {
      silent_ = false;
    } else {
      mix_.SDL_AudioQuit();
      if (mix_.SDL_AudioInit("dummy") != 0 || !openOutput()) {
        mix_.SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
      }
      silent_ = true;
    }
    mix_.Mix_AllocateChannels(static_cast<int>(deviceLimit) + 1);
    audio_ = Audio::Open;
    return true;
  }

  // The synthesiser of MIDI files, made at the first one opened: an instance of its own, so that
  // a file's programs and controllers never change the channels that PLAY uses, nor PLAY the
  // file's. Nothing when it cannot be loaded: the files then play in silence at their pace.
  Midi* synthesiser() {
    if (!synthTried_) {
      synthTried_ = true;
      std::unique_ptr<Midi> synth = makeSynthMidi({soundFont_, {}});
      if (synth->deviceCount() > 0 && synth->open()) synth_ = std::move(synth);
    }
    return synth_.get();
  }

  bool openOutput() {
    return mix_.Mix_OpenAudioDevice(sampleRate, AUDIO_S16SYS, outputChannels, mixerBufferFrames,
                                    nullptr, 0) == 0;
  }

  Mix_Chunk* makeBeep() {
    const int frames = sampleRate * beepMilliseconds / 1000;
    const int fade = sampleRate * beepFadeMilliseconds / 1000;
    beepSamples_.resize(static_cast<std::size_t>(frames) * outputChannels);
    for (int i = 0; i < frames; ++i) {
      const double envelope = std::min({1.0, double(i) / fade, double(frames - i) / fade});
      const auto v = static_cast<Sint16>(
          envelope * beepAmplitude * std::sin(2 * std::numbers::pi * beepHertz * i / sampleRate));
      beepSamples_[static_cast<std::size_t>(i) * 2] = v;
      beepSamples_[static_cast<std::size_t>(i) * 2 + 1] = v;
    }
    return mix_.Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(beepSamples_.data()),
                                  static_cast<Uint32>(beepSamples_.size() * sizeof(Sint16)));
  }

  // ---- Commands ----

  MciError carryOut(const MciCommand& c, bool notice, std::string_view folder) {
    if (c.verb == MciVerb::Open) return open(c, folder);
    if (c.verb == MciVerb::Close && sameAlias(c.device, "all")) {
      for (auto& d : devices_) release(*d);
      devices_.clear();
      return MciOk;
    }
    Device* d = find(c.device);
    if (!d) return MciUnknownDevice;
    switch (c.verb) {
      case MciVerb::Play:
        return play(*d, c, notice);
      case MciVerb::Stop:
        halt(*d, Mode::Stopped);
        return MciOk;
      case MciVerb::Pause:
        if (d->mode == Mode::Playing) halt(*d, Mode::Paused);
        return MciOk;
      case MciVerb::Resume:
        return d->mode == Mode::Paused ? resume(*d) : MciOk;
      case MciVerb::Seek:
        return seek(*d, c);
      // The statement passes no buffer for a reply: the device and the item are checked, and a
      // length that the mixer cannot tell is no failure.
      case MciVerb::StatusQuery:
        return MciOk;
      case MciVerb::Close:
        release(*d);
        devices_.erase(std::find_if(devices_.begin(), devices_.end(),
                                    [d](const auto& p) { return p.get() == d; }));
        return MciOk;
      case MciVerb::Open:
        break;
    }
    return MciOk;
  }

  MciError open(const MciCommand& c, std::string_view folder) {
    const std::string& alias = c.alias.empty() ? c.device : c.alias;
    if (find(alias)) return MciAliasInUse;
    if (devices_.size() >= deviceLimit) return MciTooManyDevices;
    const bool sequencer = c.type == "sequencer";
    if (!c.type.empty() && !sequencer && c.type != "waveaudio" && c.type != "mpegvideo")
      return MciUnsupportedFile;
    std::optional<std::string> bytes = readSoundFile(c.device, folder);
    if (!bytes) return MciFileUnreadable;
    auto d = std::make_unique<Device>();
    d->alias = alias;
    if (sequencer || isMidiFile(*bytes)) {
      std::optional<MidiSong> song = readStandardMidiFile(*bytes);
      if (!song) return MciUnsupportedFile;
      d->length = song->length;
      d->song = makeMidiSongPlayer(std::move(*song), synthesiser());
    } else {
      if (!startAudio()) return MciNoAudio;
      d->channel = freeChannel();
      d->sound = mix_.Mix_LoadWAV_RW(
          mix_.SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size())), 1);
      if (!d->sound) return MciUnsupportedFile;
      d->length = framesToMilliseconds(d->sound->alen / frameBytes);
    }
    devices_.push_back(std::move(d));
    return MciOk;
  }

  MciError play(Device& d, const MciCommand& c, bool notice) {
    const std::int64_t from = c.from.value_or(d.position);
    const std::int64_t to = c.to.value_or(d.length);
    if (from > d.length || to > d.length || from > to) return MciOutOfRange;
    halt(d, Mode::Stopped);
    d.noticeWanted = notice;
    return start(d, from, to);
  }

  MciError start(Device& d, std::int64_t from, std::int64_t to) {
    d.playFrom = from;
    d.playTo = to;
    d.started = SteadyClock::now();
    d.mode = Mode::Playing;
    if (d.song) {
      for (auto& other : devices_)
        if (other.get() != &d && other->song && other->mode != Mode::Stopped)
          halt(*other, Mode::Stopped);
      d.song->play(from, to);
      return MciOk;
    }
    const std::int64_t begin = std::min<std::int64_t>(millisecondsToBytes(from), d.sound->alen);
    const std::int64_t end = std::min<std::int64_t>(millisecondsToBytes(to), d.sound->alen);
    if (end <= begin) return MciOk;  // nothing to play: the watcher finishes it at once
    d.part = mix_.Mix_QuickLoad_RAW(d.sound->abuf + begin, static_cast<Uint32>(end - begin));
    if (!d.part || mix_.Mix_PlayChannelTimed(d.channel, d.part, 0, -1) < 0)
      return stopWith(d, MciNoAudio);
    return MciOk;
  }

  MciError resume(Device& d) { return start(d, d.position, d.playTo); }

  MciError stopWith(Device& d, MciError error) {
    d.mode = Mode::Stopped;
    d.position = d.playFrom;
    d.noticeWanted = false;
    return error;
  }

  MciError seek(Device& d, const MciCommand& c) {
    std::int64_t to = 0;
    if (c.seek == MciSeekTarget::End) {
      to = d.length;
    } else if (c.seek == MciSeekTarget::Position) {
      to = c.seekPosition;
      if (to > d.length) return MciOutOfRange;
    }
    halt(d, Mode::Stopped);
    d.position = to;
    return MciOk;
  }

  // ---- Playing devices ----

  std::int64_t currentPosition(const Device& d) const {
    if (d.mode != Mode::Playing) return d.position;
    if (d.song) return d.song->position();
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - d.started);
    const std::int64_t at = d.playFrom + elapsed.count();
    return std::min(at, d.playTo);
  }

  // Ends what the device plays and leaves it in the mode given; a notice asked for by the play
  // is due now, as the system's MCI reports a play that was stopped or replaced.
  // A paused device is halted too and started again by resume.
  void halt(Device& d, Mode mode) {
    if (d.mode == Mode::Stopped || d.mode == mode) return;
    if (d.mode == Mode::Playing) d.position = currentPosition(d);
    if (d.song) {
      d.song->stop();
    } else {
      mix_.Mix_HaltChannel(d.channel);
      freePart(d);
    }
    d.mode = mode;
    if (mode == Mode::Stopped && d.noticeWanted) {
      d.noticeWanted = false;
      ++noticesDue_;
    }
  }

  void freePart(Device& d) {
    if (d.part) mix_.Mix_FreeChunk(d.part);
    d.part = nullptr;
  }

  void release(Device& d) {
    halt(d, Mode::Stopped);
    if (d.sound) mix_.Mix_FreeChunk(d.sound);
    d.sound = nullptr;
    d.song.reset();
  }

  // Whether a playing device has come to the end of its range.
  bool finished(const Device& d) const {
    if (d.song) return d.song->finished();
    return !d.part || !mix_.Mix_Playing(d.channel);
  }

  // The watcher: finds plays that have ended and sends the notices that are due.
  void watch() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
      bool playing = false;
      for (auto& d : devices_) {
        if (d->mode != Mode::Playing) continue;
        if (!finished(*d)) {
          playing = true;
          continue;
        }
        const std::int64_t end = d->playTo;
        halt(*d, Mode::Stopped);
        d->position = end;
        changed_.notify_all();
      }
      if (noticesDue_ > 0) {
        const int due = std::exchange(noticesDue_, 0);
        lock.unlock();
        for (int i = 0; i < due; ++i) window_.send({Msg::MciNotify});
        lock.lock();
        continue;
      }
      if (playing)
        changed_.wait_for(lock, pollPeriod);
      else
        changed_.wait(lock);
    }
  }

  Device* find(std::string_view alias) {
    for (auto& d : devices_)
      if (sameAlias(d->alias, alias)) return d.get();
    return nullptr;
  }

  int freeChannel() const {
    for (int channel = beepChannel + 1;; ++channel) {
      const bool taken = std::any_of(devices_.begin(), devices_.end(),
                                     [channel](const auto& d) { return d->channel == channel; });
      if (!taken) return channel;
    }
  }

  Window& window_;
  std::string soundFont_;
  MixerLibrary mix_;
  void* alsa_ = nullptr;
  std::mutex mutex_;  // everything below, and every call into the mixer
  std::condition_variable changed_;
  Audio audio_ = Audio::Unopened;
  bool silent_ = false;  // SDL's silent output stands in for a missing device
  bool synthTried_ = false;
  std::unique_ptr<Midi> synth_;  // declared before the devices, whose players send to it
  std::vector<std::unique_ptr<Device>> devices_;
  int noticesDue_ = 0;
  bool quit_ = false;
  std::vector<Sint16> beepSamples_;
  Mix_Chunk* beep_ = nullptr;
  std::thread watcher_;
};

}  // namespace

std::unique_ptr<Mci> makeMixerMci(Window& window, std::string soundFont) {
  return std::make_unique<MixerMci>(window, std::move(soundFont));
}

}  // namespace tw::platform
