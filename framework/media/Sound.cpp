#include "framework/media/Sound.h"

#include "framework/events/IOErrorEvent.h"
#include "native/Call.h"
#include "runtime/Error.h"

namespace limn::media {

namespace {

const native::Call<native::wire::limn_sound_from_file> soundFromFile;
const native::Call<native::wire::limn_sound_get_status> soundGetStatus;
const native::Call<native::wire::limn_sound_get_length> soundGetLength;
const native::Call<native::wire::limn_sound_get_id3> soundGetID3;
const native::Call<native::wire::limn_sound_close> soundClose;

}  // namespace

const rt::ClassInfo& Sound::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.media.Sound", &events::EventDispatcher::staticClass())
            .readOnly<&Sound::limnHandle>("limnHandle")
            .field<&Sound::limnLoading>("limnLoading")
            .field<&Sound::bytesLoaded_>("bytesLoaded")
            .field<&Sound::bytesTotal_>("bytesTotal")
            .property<&Sound::limnGetLength>("length")
            .property<&Sound::limnGetID3>("id3")
            .property<&Sound::limnIsBuffering>("isBuffering")
            .method<&Sound::close>("close")
            .method<&Sound::load>("load")
            .method<&Sound::limnIsBuffering>("limnIsBuffering")
            .method<&Sound::limnCheckLoading>("limnCheckLoading")
            .method<&Sound::limnGetID3>("limnGetID3")
            .method<&Sound::limnGetLength>("limnGetLength")
            .method<&Sound::limnOnError>("limnOnError")
            .method<&Sound::play>("play");
    return info;
}

std::shared_ptr<Sound> Sound::fromFile(const std::string& path, bool asMusic) {
    return std::make_shared<Sound>(std::make_shared<net::URLRequest>(path), nullptr, asMusic);
}

Sound::Sound(const std::shared_ptr<net::URLRequest>& request,
             const std::shared_ptr<SoundLoaderContext>& context, bool asMusic) {
    if (request) load(request, context, asMusic);
}

void Sound::close() {
    if (!limnHandle.isNull()) soundClose({.sound = limnHandle});
    limnHandle = rt::Dynamic();
    limnLoading = false;
}

void Sound::load(const std::shared_ptr<net::URLRequest>& request,
                 const std::shared_ptr<SoundLoaderContext>&, bool asMusic) {
    bytesLoaded_ = 0;
    bytesTotal_ = 0;
    const std::string url = request ? request->url : std::string();
    limnHandle = soundFromFile({.path = url, .asMusic = asMusic});
    if (limnHandle.isNull()) throw rt::Error("Could not load:" + url);
    limnLoading = true;
    limnCheckLoading();
}

void Sound::limnCheckLoading() {
    if (!limnLoading || limnHandle.isNull()) return;
    const rt::ObjectPtr status = soundGetStatus({.sound = limnHandle}).asObject();
    if (!status) throw rt::Error("Could not get sound status");
    bytesLoaded_ = status->get("bytesLoaded").asInt();
    bytesTotal_ = status->get("bytesTotal").asInt();
    limnLoading = bytesLoaded_ < bytesTotal_;
    const rt::Dynamic error = status->get("error");
    if (!error.isNull()) throw rt::Error(error.asString());
}

bool Sound::limnIsBuffering() {
    limnCheckLoading();
    return limnLoading && limnHandle.isNull();
}

std::shared_ptr<ID3Info> Sound::limnGetID3() {
    limnCheckLoading();
    if (limnHandle.isNull() || limnLoading) return nullptr;
    auto info = std::make_shared<ID3Info>();
    soundGetID3({.sound = limnHandle, .into = info});
    return info;
}

double Sound::limnGetLength() const {
    if (limnHandle.isNull() || limnLoading) return 0;
    return soundGetLength({.sound = limnHandle});
}

void Sound::limnOnError(const std::string& message) {
    dispatchEvent(std::make_shared<events::IOErrorEvent>(events::IOErrorEvent::IO_ERROR, true,
                                                         false, message));
    limnLoading = false;
    limnHandle = rt::Dynamic();
}

std::shared_ptr<SoundChannel> Sound::play(double startTime, int loops,
                                          const std::shared_ptr<SoundTransform>& transform) {
    limnCheckLoading();
    if (limnHandle.isNull() || limnLoading) return nullptr;
    return SoundChannel::create(limnHandle, startTime, loops, transform);
}

}  // namespace limn::media
