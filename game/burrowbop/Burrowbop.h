#pragma once
// The game: one Sprite on the root clip holding everything shown on the
// 320 x 480 portrait screen, and the screen flow between four states:
//
//   STATE_LOGO      logo fading in; the title follows 3.5 s after entry
//   STATE_TITLE     background and the tappable splash; a tap starts a round
//   STATE_GAME      a 61 s round: moles pop up from 23 holes, presses score
//   STATE_GAME_END  the result picture chosen by the score
//
// The back gesture (key 27) steps back from a round or the result to the
// title, and quits from the title. The stage runs at 31 frames per second;
// mole life times count those frames, the round clock is in milliseconds.
//
// Made by create() (a Sprite, then initialize(), then construct()); the root
// clip must be on a stage first. The game owns its display objects and sound
// banks for its whole life.

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/display/Sprite.h"

namespace limn::events {
class Event;
}
namespace limn::geom {
class Point;
}
namespace limn::text {
class TextField;
}
namespace com::quillfern::sound {
class SoundBank;
}

namespace com::quillfern::burrowbop {

class Mole;

class Burrowbop final : public limn::display::Sprite {
    struct Token {
        explicit Token() = default;
    };

public:
    RT_DECLARE_CLASS

    static constexpr const char* STATE_LOGO = "Logo";
    static constexpr const char* STATE_TITLE = "Title";
    static constexpr const char* STATE_GAME = "Game";
    static constexpr const char* STATE_GAME_END = "Game End";
    static constexpr int PDLK_GESTURE_AREA = 231;
    static constexpr int PDLK_GESTURE_BACK = 27;
    static constexpr int PDLK_GESTURE_FORWARD = 229;
    // Set by initialize on a stage shorter than 420 pixels; moves the logo up.
    static bool PIXI;
    // How quit() ends the process; the default exits at once with the given
    // status (standard output flushed, nothing else cleaned up).
    static std::function<void(int)> exitProcess;

    // Asks for the application frame; the game is added once the stage exists.
    static void main();
    static std::shared_ptr<Burrowbop> create();
    explicit Burrowbop(Token);

    void construct();
    void initialize();
    // A free hole index, or -1 when none was found.
    int getPosition();
    void quit();
    void showState(const std::string& state);
    void updateGameScore();
    void GestureArea_onBack();
    void GestureArea_onForward();
    void this_onEnterFrame(const std::shared_ptr<limn::events::Event>& event);
    void Mole_onClick(const std::shared_ptr<limn::events::Event>& event);
    void SplashScreen_onClick(const std::shared_ptr<limn::events::Event>& event);

    std::shared_ptr<limn::display::DisplayObject> Background;
    std::shared_ptr<limn::display::DisplayObject> Logo;
    std::shared_ptr<limn::display::Sprite> SplashScreen;
    std::shared_ptr<limn::text::TextField> GameScore;
    std::shared_ptr<limn::display::Sprite> TimeIndicator;
    std::shared_ptr<limn::display::Sprite> TimeUp;
    std::shared_ptr<limn::text::TextField> TimeUpScore;
    std::shared_ptr<sound::SoundBank> Sound1;
    std::shared_ptr<sound::SoundBank> Sound2;
    std::shared_ptr<sound::SoundBank> Sound3;
    std::shared_ptr<sound::SoundBank> HooraySound;
    std::string currentState;  // empty until the first showState returns
    std::vector<std::shared_ptr<limn::geom::Point>> molePositions;
    std::unordered_map<std::string, bool> positionStatus;  // taken holes, by decimal index
    std::vector<std::shared_ptr<Mole>> moles;
    int points = 0;
    int startTime = 0;  // milliseconds on the Lib clock at round start

private:
    void leaveState(const std::string& state);
    void enterState(const std::string& state);
    void enterLogo();
    void enterTitle();
    void startRound();
    void stopRound();
    void showResult();
    void spawnMole(double elapsed);
    void stepMoles();
    void dropMole(const std::shared_ptr<Mole>& mole);
    void clearLeftoverMoles();
};

}  // namespace com::quillfern::burrowbop
