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

namespace wire = native::wire;

AudioSound* soundOf(const rt::Dynamic& handle) {
    return handle.handleAs<AudioSound>();
}

AudioChannel* channelOf(const rt::Dynamic& handle) {
    return handle.handleAs<AudioChannel>();
}

void fill(const rt::ObjectPtr& record, const char* name, const std::optional<std::string>& value) {
    if (value) record->set(name, *value);
}

rt::Dynamic fromFile(const wire::limn_sound_from_file::Args& a) {
    // Music is streamed from its file as it plays; other sounds are decoded whole.
    return AudioSound::fromFile(a.path, a.asMusic);
}

rt::Dynamic status(const wire::limn_sound_get_status::Args& a) {
    AudioSound* sound = soundOf(a.sound);
    if (!sound) return {};
    const auto bytes = static_cast<double>(sound->bytesTotal());
    return rt::props({{"bytesLoaded", bytes}, {"bytesTotal", bytes}});
}

double length(const wire::limn_sound_get_length::Args& a) {
    AudioSound* sound = soundOf(a.sound);
    return sound ? sound->lengthMs() : 0.0;
}

void id3(const wire::limn_sound_get_id3::Args& a) {
    AudioSound* sound = soundOf(a.sound);
    rt::ObjectPtr record = a.into.asObject();
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

void close(const wire::limn_sound_close::Args& a) {
    if (AudioSound* sound = soundOf(a.sound)) sound->close();
}

// Volume and pan of a SoundTransform record; none plays at full volume, centred.
std::pair<double, double> transformOf(const rt::Dynamic& value) {
    rt::ObjectPtr transform = value.asObject();
    if (!transform) return {1.0, 0.0};
    static const rt::Name kVolume("volume");
    static const rt::Name kPan("pan");
    return {transform->get(kVolume).asFloat(), transform->get(kPan).asFloat()};
}

rt::Dynamic channelCreate(const wire::limn_sound_channel_create::Args& a) {
    AudioSound* sound = soundOf(a.sound);
    if (!sound) return {};
    const auto [volume, pan] = transformOf(a.transform);
    return AudioChannel::play(*sound, a.startTime, a.loops, volume, pan);
}

bool isComplete(const wire::limn_sound_channel_is_complete::Args& a) {
    AudioChannel* channel = channelOf(a.channel);
    return channel == nullptr || channel->isComplete();
}

double left(const wire::limn_sound_channel_get_left::Args& a) {
    AudioChannel* channel = channelOf(a.channel);
    return channel ? channel->leftPeak() : 0.0;
}

double right(const wire::limn_sound_channel_get_right::Args& a) {
    AudioChannel* channel = channelOf(a.channel);
    return channel ? channel->rightPeak() : 0.0;
}

double position(const wire::limn_sound_channel_get_position::Args& a) {
    AudioChannel* channel = channelOf(a.channel);
    return channel ? channel->positionMs() : 0.0;
}

void stop(const wire::limn_sound_channel_stop::Args& a) {
    if (AudioChannel* channel = channelOf(a.channel)) channel->stop();
}

void setTransform(const wire::limn_sound_channel_set_transform::Args& a) {
    AudioChannel* channel = channelOf(a.channel);
    if (channel && !a.transform.isNull()) {
        const auto [volume, pan] = transformOf(a.transform);
        channel->setTransform(volume, pan);
    }
}

}  // namespace

namespace {

constexpr void handleAudioPart(auto& module) {
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

}  // namespace

void registerAudioPrimitives(native::TableModule& module) {
    handleAudioPart(module);
}

// Every primitive of this part of the wire has its handler.
static_assert(native::handlesAll<native::wire::part::Sound>([](auto& m) { handleAudioPart(m); }));

}  // namespace limn::sdl
