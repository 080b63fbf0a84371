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

AudioSound* soundOf(rt::Args args) {
    return arg(args, 0).handleAs<AudioSound>();
}

AudioChannel* channelOf(rt::Args args) {
    return arg(args, 0).handleAs<AudioChannel>();
}

void fill(const rt::ObjectPtr& record, const char* name, const std::optional<std::string>& value) {
    if (value) record->set(name, *value);
}

rt::Dynamic fromFile(rt::Args args) {
    // Music is streamed from its file as it plays; other sounds are decoded whole.
    return AudioSound::fromFile(arg(args, 0).asString(), arg(args, 1).asBool());
}

rt::Dynamic status(rt::Args args) {
    AudioSound* sound = soundOf(args);
    if (!sound) return {};
    const auto bytes = static_cast<double>(sound->bytesTotal());
    return rt::props({{"bytesLoaded", bytes}, {"bytesTotal", bytes}});
}

rt::Dynamic length(rt::Args args) {
    AudioSound* sound = soundOf(args);
    return sound ? sound->lengthMs() : 0.0;
}

rt::Dynamic id3(rt::Args args) {
    AudioSound* sound = soundOf(args);
    rt::ObjectPtr record = arg(args, 1).asObject();
    if (!sound || !record) return {};
    const AudioTags& tags = sound->tags();
    fill(record, "album", tags.album);
    fill(record, "artist", tags.artist);
    fill(record, "comment", tags.comment);
    fill(record, "genre", tags.genre);
    fill(record, "songName", tags.songName);
    fill(record, "track", tags.track);
    fill(record, "year", tags.year);
    return {};
}

rt::Dynamic close(rt::Args args) {
    if (AudioSound* sound = soundOf(args)) sound->close();
    return {};
}

// Volume and pan of a SoundTransform record; none plays at full volume, centred.
std::pair<double, double> transformOf(const rt::Dynamic& value) {
    rt::ObjectPtr transform = value.asObject();
    if (!transform) return {1.0, 0.0};
    static const rt::Name kVolume("volume");
    static const rt::Name kPan("pan");
    return {transform->get(kVolume).asFloat(), transform->get(kPan).asFloat()};
}

rt::Dynamic channelCreate(rt::Args args) {
    AudioSound* sound = soundOf(args);
    if (!sound) return {};
    const auto [volume, pan] = transformOf(arg(args, 3));
    return AudioChannel::play(*sound, arg(args, 1).asFloat(), arg(args, 2).asInt(), volume, pan);
}

rt::Dynamic isComplete(rt::Args args) {
    AudioChannel* channel = channelOf(args);
    return channel == nullptr || channel->isComplete();
}

rt::Dynamic left(rt::Args args) {
    AudioChannel* channel = channelOf(args);
    return channel ? channel->leftPeak() : 0.0;
}

rt::Dynamic right(rt::Args args) {
    AudioChannel* channel = channelOf(args);
    return channel ? channel->rightPeak() : 0.0;
}

rt::Dynamic position(rt::Args args) {
    AudioChannel* channel = channelOf(args);
    return channel ? channel->positionMs() : 0.0;
}

rt::Dynamic stop(rt::Args args) {
    if (AudioChannel* channel = channelOf(args)) channel->stop();
    return {};
}

rt::Dynamic setTransform(rt::Args args) {
    AudioChannel* channel = channelOf(args);
    if (channel && !arg(args, 1).isNull()) {
        const auto [volume, pan] = transformOf(arg(args, 1));
        channel->setTransform(volume, pan);
    }
    return {};
}

}  // namespace

void registerAudioPrimitives(native::TableModule& module) {
    module.add("limn_sound_from_file", 2, fromFile);
    module.add("limn_sound_get_status", 1, status);
    module.add("limn_sound_get_length", 1, length);
    module.add("limn_sound_get_id3", 2, id3);
    module.add("limn_sound_close", 1, close);
    module.add("limn_sound_channel_create", 4, channelCreate);
    module.add("limn_sound_channel_is_complete", 1, isComplete);
    module.add("limn_sound_channel_get_left", 1, left);
    module.add("limn_sound_channel_get_right", 1, right);
    module.add("limn_sound_channel_get_position", 1, position);
    module.add("limn_sound_channel_stop", 1, stop);
    module.add("limn_sound_channel_set_transform", 2, setTransform);
}

}  // namespace limn::sdl
