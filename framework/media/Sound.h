#pragma once
// A sound file loaded by the backend. Each play() starts a new SoundChannel.
//
// States: no handle; loading (handle, limnLoading true); loaded; back to no
// handle after close() or limnOnError(). Loading progress is polled from the
// backend whenever play, id3 or isBuffering asks for it. A sound still loading
// does not play.
//
//   auto s = std::make_shared<Sound>(std::make_shared<net::URLRequest>("sounds/eep.wav"));
//   auto channel = s->play();  // null when it cannot play

#include <memory>
#include <string>

#include "framework/events/EventDispatcher.h"
#include "framework/media/ID3Info.h"
#include "framework/media/SoundChannel.h"
#include "framework/media/SoundLoaderContext.h"
#include "framework/media/SoundTransform.h"
#include "framework/net/URLRequest.h"
#include "runtime/Accessors.h"

// The properties reached by name and as plain accessors: one list for both.
#define LIMN_SOUND_PROPERTIES(RW, RO) \
    RO(length, Length)                \
    RO(bytesLoaded, BytesLoaded)      \
    RO(bytesTotal, BytesTotal)

namespace limn::media {

class Sound : public events::EventDispatcher {
public:
    RT_DECLARE_CLASS

    // Loads at once when a request is given; throws "Could not load:<url>" when
    // the backend cannot open it. The context is ignored.
    explicit Sound(const std::shared_ptr<net::URLRequest>& request = nullptr,
                   const std::shared_ptr<SoundLoaderContext>& context = nullptr,
                   bool asMusic = false);
    // The sound in the file (WAV, OGG, MP3...), loaded now: Sound::fromFile("sounds/hit.wav").
    [[nodiscard]] static std::shared_ptr<Sound> fromFile(const std::string& path,
                                                         bool asMusic = false);

    rt::Dynamic limnHandle;

    void close();
    void load(const std::shared_ptr<net::URLRequest>& request,
              const std::shared_ptr<SoundLoaderContext>& context = nullptr, bool asMusic = false);
    // True while the backend reports fewer bytes loaded than the total.
    [[nodiscard]] bool limnGetLoading() const { return limnLoading; }
    // The counts of the last status the backend reported; 0 before any.
    [[nodiscard]] int limnGetBytesLoaded() const { return bytesLoaded_; }
    [[nodiscard]] int limnGetBytesTotal() const { return bytesTotal_; }
    [[nodiscard]] bool limnIsBuffering();
    // Refreshes the byte counts; throws "Could not get sound status" or the
    // backend's own error value.
    void limnCheckLoading();
    // Null while nothing is loaded or loading is in progress.
    [[nodiscard]] std::shared_ptr<ID3Info> limnGetID3();
    // Seconds as the backend reports them; 0 while nothing is loaded.
    [[nodiscard]] double limnGetLength() const;

    // Plain accessors.
    LIMN_SOUND_PROPERTIES(RT_ACCESSOR_RW, RT_ACCESSOR_RO)
    [[nodiscard]] std::shared_ptr<ID3Info> id3() { return limnGetID3(); }
    [[nodiscard]] bool isBuffering() { return limnIsBuffering(); }
    // Dispatches "ioError" with the message, then forgets the sound.
    void limnOnError(const std::string& message);
    // A new channel, or null when nothing is loaded or loading is in progress.
    std::shared_ptr<SoundChannel> play(double startTime = 0, int loops = 0,
                                       const std::shared_ptr<SoundTransform>& transform = nullptr);

private:
    bool limnLoading = false;
    // Also read and written by name.
    int bytesLoaded_ = 0;
    int bytesTotal_ = 0;
};

}  // namespace limn::media
