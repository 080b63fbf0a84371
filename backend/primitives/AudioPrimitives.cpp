// The sound primitives: "limn_sound_*" and "limn_sound_channel_*". Sound
// handles are AudioSound, channel handles AudioChannel; lengths and positions
// are milliseconds, peaks 0..1. A channel made without a transform plays at
// volume 1, centred.
#include "backend/audio/AudioChannel.h"
#include "backend/audio/AudioSound.h"
#include "backend/primitives/Primitives.h"
#include "runtime/Object.h"

namespace limn::sdl {

namespace {

AudioSound* soundOf(const rt::Dynamic& handle) {
    return handle.handleAs<AudioSound>();
}

AudioChannel* channelOf(const rt::Dynamic& handle) {
    return handle.handleAs<AudioChannel>();
}

void fill(const rt::ObjectPtr& record, const char* name, const std::optional<std::string>& value) {
    if (value) record->set(name, *value);
}

rt::Dynamic fromFile(std::string path, bool streamed) {
    // Music is streamed from its file as it plays; other sounds are decoded whole.
    return AudioSound::fromFile(path, streamed);
}

rt::Dynamic status(const rt::Dynamic& handle) {
    AudioSound* sound = soundOf(handle);
    if (!sound) return {};
    const auto bytes = static_cast<double>(sound->bytesTotal());
    return rt::props({{"bytesLoaded", bytes}, {"bytesTotal", bytes}});
}

double length(const rt::Dynamic& handle) {
    AudioSound* sound = soundOf(handle);
    return sound ? sound->lengthMs() : 0.0;
}

void id3(const rt::Dynamic& handle, const rt::Dynamic& into) {
    AudioSound* sound = soundOf(handle);
    rt::ObjectPtr record = into.asObject();
    if (!sound || !record) return;
    const AudioTags& tags = sound->tags();
    fill(record, "album", tags.album);
    fill(record, "artist", tags.artist);
    fill(record, "comment", tags.comment);
    fill(record, "genre", tags.genre);
    fill(record, "songName", tags.songName);
    fill(record, "track", tags.track);
    fill(record, "year", tags.year);
}

void close(const rt::Dynamic& handle) {
    if (AudioSound* sound = soundOf(handle)) sound->close();
}

// Volume and pan of a SoundTransform record; none plays at full volume, centred.
std::pair<double, double> transformOf(const rt::Dynamic& value) {
    rt::ObjectPtr transform = value.asObject();
    if (!transform) return {1.0, 0.0};
    static const rt::Name kVolume("volume");
    static const rt::Name kPan("pan");
    return {transform->get(kVolume).asFloat(), transform->get(kPan).asFloat()};
}

rt::Dynamic channelCreate(const rt::Dynamic& handle, double start, int loops,
                          const rt::Dynamic& transform) {
    AudioSound* sound = soundOf(handle);
    if (!sound) return {};
    const auto [volume, pan] = transformOf(transform);
    return AudioChannel::play(*sound, start, loops, volume, pan);
}

bool isComplete(const rt::Dynamic& handle) {
    AudioChannel* channel = channelOf(handle);
    return channel == nullptr || channel->isComplete();
}

double left(const rt::Dynamic& handle) {
    AudioChannel* channel = channelOf(handle);
    return channel ? channel->leftPeak() : 0.0;
}

double right(const rt::Dynamic& handle) {
    AudioChannel* channel = channelOf(handle);
    return channel ? channel->rightPeak() : 0.0;
}

double position(const rt::Dynamic& handle) {
    AudioChannel* channel = channelOf(handle);
    return channel ? channel->positionMs() : 0.0;
}

void stop(const rt::Dynamic& handle) {
    if (AudioChannel* channel = channelOf(handle)) channel->stop();
}

void setTransform(const rt::Dynamic& handle, const rt::Dynamic& transform) {
    AudioChannel* channel = channelOf(handle);
    if (channel && !transform.isNull()) {
        const auto [volume, pan] = transformOf(transform);
        channel->setTransform(volume, pan);
    }
}

}  // namespace

void registerAudioPrimitives(native::TableModule& module) {
    namespace wire = native::wire;
    using native::handle;
    handle<wire::limn_sound_from_file>(module, fromFile);
    handle<wire::limn_sound_get_status>(module, status);
    handle<wire::limn_sound_get_length>(module, length);
    handle<wire::limn_sound_get_id3>(module, id3);
    handle<wire::limn_sound_close>(module, close);
    handle<wire::limn_sound_channel_create>(module, channelCreate);
    handle<wire::limn_sound_channel_is_complete>(module, isComplete);
    handle<wire::limn_sound_channel_get_left>(module, left);
    handle<wire::limn_sound_channel_get_right>(module, right);
    handle<wire::limn_sound_channel_get_position>(module, position);
    handle<wire::limn_sound_channel_stop>(module, stop);
    handle<wire::limn_sound_channel_set_transform>(module, setTransform);
}

}  // namespace limn::sdl
