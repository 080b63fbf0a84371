#pragma once
// One playback of a sound, held by the backend.
//
// A channel whose playback may still run sits in limnIncompleteList, which
// owns it; the stage's poll asks the backend about each (limnPollComplete),
// and a finished channel drops its handle, dispatches "soundComplete" once and
// leaves the list. So a caller may drop its own reference without losing the
// event. Channels are made by Sound::play.

#include <memory>
#include <vector>

#include "framework/events/EventDispatcher.h"
#include "framework/media/SoundTransform.h"

namespace limn::media {

class SoundChannel : public events::EventDispatcher {
    struct Token {
        explicit Token() = default;
    };

public:
    RT_DECLARE_CLASS

    rt::Dynamic limnHandle;  // null once completed

    SoundChannel(Token, const rt::Dynamic& soundHandle, double startTime, int loops,
                 const std::shared_ptr<SoundTransform>& transform);

    // Starts a playback of the sound; a channel with a handle joins the incomplete list.
    static std::shared_ptr<SoundChannel> create(const rt::Dynamic& soundHandle, double startTime,
                                                int loops,
                                                const std::shared_ptr<SoundTransform>& transform);

    // Stops the playback; the channel still waits for the backend to report completion.
    void stop();
    // A copy of the transform, or null when the channel never had one.
    [[nodiscard]] std::shared_ptr<SoundTransform> limnGetTransform() const;
    std::shared_ptr<SoundTransform> limnSetTransform(const std::shared_ptr<SoundTransform>& t);
    [[nodiscard]] double limnGetLeft() const;
    [[nodiscard]] double limnGetRight() const;
    [[nodiscard]] double limnGetPosition() const;

    // Plain accessors (the by-name names: leftPeak, rightPeak, position, soundTransform).
    [[nodiscard]] double leftPeak() const { return limnGetLeft(); }
    [[nodiscard]] double rightPeak() const { return limnGetRight(); }
    [[nodiscard]] double position() const { return limnGetPosition(); }
    [[nodiscard]] std::shared_ptr<SoundTransform> soundTransform() const {
        return limnGetTransform();
    }
    void setSoundTransform(const std::shared_ptr<SoundTransform>& t) { limnSetTransform(t); }
    // True once, when the backend first reports the playback ended.
    bool limnCheckComplete();

    // Checks every channel in the list; listeners may start new sounds meanwhile.
    static void limnPollComplete();
    [[nodiscard]] static bool limnCompletePending();

private:
    friend struct SoundChannelProbe;  // tests

    // Channels whose completion the backend has not reported yet, in start order.
    static std::vector<std::shared_ptr<SoundChannel>> limnIncompleteList;
    // Back to a fresh process's state, for tests (rt::resetProcessState).
    static const bool resetRegistered;

    std::shared_ptr<SoundTransform> limnTransform;  // the framework's copy, or null
};

}  // namespace limn::media
