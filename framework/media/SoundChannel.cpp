#include "framework/media/SoundChannel.h"

#include "framework/events/Event.h"
#include "native/Call.h"
#include "runtime/ProcessState.h"

namespace limn::media {

std::vector<std::shared_ptr<SoundChannel>> SoundChannel::limnIncompleteList;
const bool SoundChannel::resetRegistered =
    rt::registerReset(rt::ResetLayer::Framework, [] { limnIncompleteList.clear(); });

namespace {

const native::Call<native::wire::limn_sound_channel_create> channelCreate;
const native::Call<native::wire::limn_sound_channel_is_complete> channelIsComplete;
const native::Call<native::wire::limn_sound_channel_get_left> channelGetLeft;
const native::Call<native::wire::limn_sound_channel_get_right> channelGetRight;
const native::Call<native::wire::limn_sound_channel_get_position> channelGetPosition;
const native::Call<native::wire::limn_sound_channel_stop> channelStop;
const native::Call<native::wire::limn_sound_channel_set_transform> channelSetTransform;

std::shared_ptr<SoundTransform> cloneOrNull(const std::shared_ptr<SoundTransform>& t) {
    return t ? t->clone() : nullptr;
}

}  // namespace

const rt::ClassInfo& SoundChannel::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.media.SoundChannel", &events::EventDispatcher::staticClass())
            .readOnly<&SoundChannel::limnHandle>("limnHandle")
            .readOnly<&SoundChannel::limnTransform>("limnTransform")
            .property<&SoundChannel::limnGetLeft>("leftPeak")
            .property<&SoundChannel::limnGetRight>("rightPeak")
            .property<&SoundChannel::limnGetPosition>("position")
            .property<&SoundChannel::limnGetTransform, &SoundChannel::limnSetTransform>(
                "soundTransform")
            .method<&SoundChannel::stop>("stop")
            .method<&SoundChannel::limnGetTransform>("limnGetTransform")
            .method<&SoundChannel::limnSetTransform>("limnSetTransform")
            .method<&SoundChannel::limnGetLeft>("limnGetLeft")
            .method<&SoundChannel::limnGetRight>("limnGetRight")
            .method<&SoundChannel::limnGetPosition>("limnGetPosition")
            .method<&SoundChannel::limnCheckComplete>("limnCheckComplete");
    return info;
}

SoundChannel::SoundChannel(Token, const rt::Dynamic& soundHandle, double startTime, int loops,
                           const std::shared_ptr<SoundTransform>& transform)
    : limnTransform(cloneOrNull(transform)) {
    limnHandle = channelCreate(
        {.sound = soundHandle, .startTime = startTime, .loops = loops, .transform = limnTransform});
}

std::shared_ptr<SoundChannel> SoundChannel::create(
    const rt::Dynamic& soundHandle, double startTime, int loops,
    const std::shared_ptr<SoundTransform>& transform) {
    auto channel =
        std::make_shared<SoundChannel>(Token{}, soundHandle, startTime, loops, transform);
    if (!channel->limnHandle.isNull()) limnIncompleteList.push_back(channel);
    return channel;
}

void SoundChannel::stop() {
    channelStop({.channel = limnHandle});
}

std::shared_ptr<SoundTransform> SoundChannel::limnGetTransform() const {
    return cloneOrNull(limnTransform);
}

std::shared_ptr<SoundTransform> SoundChannel::limnSetTransform(
    const std::shared_ptr<SoundTransform>& t) {
    limnTransform = cloneOrNull(t);
    channelSetTransform({.channel = limnHandle, .transform = limnTransform});
    return t;
}

double SoundChannel::limnGetLeft() const {
    return channelGetLeft({.channel = limnHandle});
}

double SoundChannel::limnGetRight() const {
    return channelGetRight({.channel = limnHandle});
}

double SoundChannel::limnGetPosition() const {
    return channelGetPosition({.channel = limnHandle});
}

bool SoundChannel::limnCheckComplete() {
    if (limnHandle.isNull()) return false;
    if (!channelIsComplete({.channel = limnHandle})) return false;
    limnHandle = rt::Dynamic();
    dispatchEvent(std::make_shared<events::Event>(events::Event::SOUND_COMPLETE));
    return true;
}

void SoundChannel::limnPollComplete() {
    if (limnIncompleteList.empty()) return;
    std::vector<std::shared_ptr<SoundChannel>> stillPlaying;
    // Indexed and re-measured each step: listeners may append new channels,
    // which are then checked in this same walk and carried over.
    for (std::size_t i = 0; i < limnIncompleteList.size(); ++i) {
        auto channel = limnIncompleteList[i];
        if (!channel->limnCheckComplete()) stillPlaying.push_back(std::move(channel));
    }
    limnIncompleteList = std::move(stillPlaying);
}

bool SoundChannel::limnCompletePending() {
    return !limnIncompleteList.empty();
}

}  // namespace limn::media
