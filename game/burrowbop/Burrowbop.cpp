#include "game/burrowbop/Burrowbop.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/Lib.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Stage.h"
#include "framework/events/Event.h"
#include "framework/events/MouseEvent.h"
#include "framework/geom/Point.h"
#include "framework/text/TextField.h"
#include "framework/text/TextFormat.h"
#include "framework/text/TextFormatAlign.h"
#include "game/Utils.h"
#include "game/burrowbop/Mole.h"
#include "game/control/KeyBinding.h"
#include "game/sound/SoundBank.h"
#include "motion/Kinetra.h"
#include "runtime/ProcessState.h"
#include "runtime/Random.h"

namespace com::quillfern::burrowbop {

using limn::Lib;
using limn::display::DisplayObject;
using limn::display::Sprite;
using limn::events::Event;
using limn::events::MouseEvent;
using motion::Kinetra;

bool Burrowbop::PIXI = false;

namespace {

// Back to a fresh process's state, for tests.
[[maybe_unused]] const bool resetRegistered =
    rt::registerReset(rt::ResetLayer::Game, [] { Burrowbop::PIXI = false; });

}  // namespace

std::function<void(int)> Burrowbop::exitProcess = [](int status) {
    std::fflush(nullptr);
    std::_Exit(status);
};

namespace {

constexpr int kHoleCount = 23;
constexpr double kHoles[kHoleCount][2] = {
    {34, 58},   {99, 68},   {178, 56},  {256, 76},  {52, 118},  {123, 135}, {188, 116}, {242, 137},
    {18, 174},  {81, 174},  {164, 193}, {242, 193}, {41, 230},  {118, 246}, {195, 229}, {53, 284},
    {122, 303}, {194, 303}, {18, 340},  {88, 355},  {163, 356}, {265, 341}, {255, 267}};

constexpr double kRoundSeconds = 61;
constexpr double kQuietSeconds = 1.01;
constexpr int kMostWhackable = 5;

const rt::Name kWhackable("whackable");
const rt::Name kAlphaMole("alphaMole");
const rt::Name kHide("hide");

std::shared_ptr<limn::text::TextField> makeText(const char* font, int size, const char* align,
                                                double x, double y, double width, double height) {
    auto field = std::make_shared<limn::text::TextField>();
    field->limnSetSelectable(false);
    auto format = std::make_shared<limn::text::TextFormat>(font, size, 0xFFFFFF);
    format->align = align;
    field->limnSetDefTextFormat(format);
    field->limnSetX(x);
    field->limnSetY(y);
    field->limnSetHeight(height);
    field->limnSetWidth(width);
    return field;
}

const char* resultPicture(int points) {
    if (points > 1400) return "images/TimeUp_AA.png";
    if (points > 1200) return "images/TimeUp_A.png";
    if (points > 900) return "images/TimeUp_B.png";
    return "images/TimeUp_C.png";
}

}  // namespace

const rt::ClassInfo& Burrowbop::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("com.quillfern.burrowbop.Burrowbop", &Sprite::staticClass())
            .field<&Burrowbop::currentState>("currentState")
            .field<&Burrowbop::points>("points")
            .field<&Burrowbop::startTime>("startTime")
            .method<&Burrowbop::construct>("construct")
            .method<&Burrowbop::initialize>("initialize")
            .method<&Burrowbop::getPosition>("getPosition")
            .method<&Burrowbop::quit>("quit")
            .method<&Burrowbop::showState>("showState")
            .method<&Burrowbop::updateGameScore>("updateGameScore")
            .method<&Burrowbop::GestureArea_onBack>("GestureArea_onBack")
            .method<&Burrowbop::GestureArea_onForward>("GestureArea_onForward")
            .method<&Burrowbop::this_onEnterFrame>("this_onEnterFrame")
            .method<&Burrowbop::Mole_onClick>("Mole_onClick")
            .method<&Burrowbop::SplashScreen_onClick>("SplashScreen_onClick");
    return info;
}

void Burrowbop::main() {
    auto onLoaded = rt::function([] { Lib::current()->addChild(Burrowbop::create()); });
    Lib::create(onLoaded, 320, 480, 60.0, 0xFFFFFF,
                Lib::FULLSCREEN | Lib::RESIZABLE | Lib::HARDWARE);
}

std::shared_ptr<Burrowbop> Burrowbop::create() {
    auto game = std::make_shared<Burrowbop>(Token());
    game->initialize();
    game->construct();
    return game;
}

Burrowbop::Burrowbop(Token) {}

void Burrowbop::initialize() {
    auto stage = Lib::current()->limnGetStage();
    stage->limnSetAlign(limn::display::StageAlign::TOP_LEFT);
    stage->limnSetScaleMode(limn::display::StageScaleMode::NO_SCALE);
    stage->limnSetFrameRate(31);
    control::KeyBinding::initialize(stage);
    if (stage->limnGetStageHeight() < 420) PIXI = true;
    molePositions.clear();
    for (const auto& hole : kHoles) {
        molePositions.push_back(std::make_shared<limn::geom::Point>(hole[0], hole[1]));
    }
    positionStatus.clear();
    moles.clear();
}

void Burrowbop::construct() {
    Sound1 = std::make_shared<sound::SoundBank>("sounds/eep.wav", 3);
    Sound2 = std::make_shared<sound::SoundBank>("sounds/eep2.wav", 3);
    Sound3 = std::make_shared<sound::SoundBank>("sounds/eep3.wav", 3);
    HooraySound = std::make_shared<sound::SoundBank>("sounds/hooray.wav", 1);
    control::KeyBinding::addOnPress(PDLK_GESTURE_BACK,
                                    rt::bind<&Burrowbop::GestureArea_onBack>(this));
    control::KeyBinding::addOnPress(PDLK_GESTURE_FORWARD,
                                    rt::bind<&Burrowbop::GestureArea_onForward>(this));
    showState(STATE_LOGO);
}

void Burrowbop::showState(const std::string& state) {
    if (!currentState.empty()) leaveState(currentState);
    enterState(state);
    currentState = state;
}

void Burrowbop::leaveState(const std::string& state) {
    if (state == STATE_LOGO) {
        Kinetra::tween(Logo, 1, rt::props({{"alpha", 0}}));
    } else if (state == STATE_TITLE) {
        Kinetra::tween(SplashScreen, 1, rt::props({{"alpha", 0}}));
    } else if (state == STATE_GAME) {
        stopRound();
    } else if (state == STATE_GAME_END) {
        Kinetra::tween(TimeUp, 1, rt::props({{"alpha", 0}}));
    }
}

void Burrowbop::enterState(const std::string& state) {
    if (state == STATE_LOGO) {
        enterLogo();
    } else if (state == STATE_TITLE) {
        enterTitle();
    } else if (state == STATE_GAME) {
        startRound();
    } else if (state == STATE_GAME_END) {
        showResult();
    }
}

void Burrowbop::enterLogo() {
    Logo = Utils::loadGraphic("images/Logo.jpg", false);
    Logo->limnSetAlpha(0);
    addChild(Logo);
    if (PIXI) Logo->limnSetY(-80);
    Kinetra::tween(Logo, 1, rt::props({{"alpha", 1}}))->delay(0.4);
    Kinetra::timer(3.5)->onComplete(rt::bind<&Burrowbop::showState>(this),
                                    rt::array({STATE_TITLE}));
}

void Burrowbop::enterTitle() {
    if (!Background) Background = Utils::loadGraphic("images/Background.jpg");
    addChildAt(Background, 0);
    if (!SplashScreen) {
        SplashScreen =
            std::static_pointer_cast<Sprite>(Utils::loadGraphic("images/SplashScreen.png", true));
        SplashScreen->addEventListener(MouseEvent::CLICK,
                                       rt::bind<&Burrowbop::SplashScreen_onClick>(this));
    }
    Kinetra::tween(SplashScreen, 1, rt::props({{"alpha", 1}}));
    SplashScreen->limnSetMouseEnabled(true);
    addChild(SplashScreen);
    addChild(Logo);
}

void Burrowbop::SplashScreen_onClick(const std::shared_ptr<Event>&) {
    SplashScreen->limnSetMouseEnabled(false);
    showState(STATE_GAME);
}

void Burrowbop::GestureArea_onBack() {
    if (currentState == STATE_GAME_END || currentState == STATE_GAME) {
        showState(STATE_TITLE);
    } else if (currentState == STATE_TITLE) {
        quit();
    }
}

void Burrowbop::GestureArea_onForward() {}

void Burrowbop::quit() {
    if (exitProcess) exitProcess(0);
}

void Burrowbop::startRound() {
    if (!GameScore) {
        GameScore = makeText("/usr/share/fonts/Prelude-Bold.ttf", 15,
                             limn::text::TextFormatAlign::LEFT, 12, 8, 100, 30);
        addChild(GameScore);
        GameScore->limnSetAlpha(0);
    }
    if (!TimeIndicator) {
        TimeIndicator = std::make_shared<Sprite>();
        TimeIndicator->limnSetX(244);
        TimeIndicator->limnSetY(16);
        addChild(TimeIndicator);
        TimeIndicator->limnSetAlpha(0);
    }
    Kinetra::tween(TimeIndicator, 1, rt::props({{"alpha", 1}}));
    Kinetra::tween(GameScore, 1, rt::props({{"alpha", 1}}));
    startTime = Lib::getTimer();
    points = 0;
    updateGameScore();
    clearLeftoverMoles();
    positionStatus.clear();
    const auto onFrame = rt::bind<&Burrowbop::this_onEnterFrame>(this);
    removeEventListener(Event::ENTER_FRAME, onFrame);
    addEventListener(Event::ENTER_FRAME, onFrame);
}

// Moles of an earlier round would otherwise free holes that moles of this
// round stand in, and stay on the display list for good.
void Burrowbop::clearLeftoverMoles() {
    const auto onPress = rt::bind<&Burrowbop::Mole_onClick>(this);
    for (const auto& mole : moles) {
        mole->removeEventListener(MouseEvent::MOUSE_DOWN, onPress);
        if (mole->limnGetParent().get() == this) removeChild(mole);
    }
    moles.clear();
}

void Burrowbop::stopRound() {
    removeEventListener(Event::ENTER_FRAME, rt::bind<&Burrowbop::this_onEnterFrame>(this));
    const auto onPress = rt::bind<&Burrowbop::Mole_onClick>(this);
    for (const auto& mole : moles) {
        if (mole->whackable) {
            mole->whackable = false;
            Kinetra::tween(mole, 2, rt::props({{"alpha", 0}}));
        }
        mole->removeEventListener(MouseEvent::MOUSE_DOWN, onPress);
    }
    Kinetra::tween(GameScore, 1, rt::props({{"alpha", 0}}));
    Kinetra::tween(TimeIndicator, 1, rt::props({{"alpha", 0}}));
}

void Burrowbop::updateGameScore() {
    GameScore->limnSetText("SCORE: " + std::to_string(points));
}

void Burrowbop::this_onEnterFrame(const std::shared_ptr<Event>&) {
    const double elapsed = (Lib::getTimer() - startTime) / 1000.0;
    auto graphics = TimeIndicator->limnGetGraphics();
    graphics->clear();
    graphics->beginFill(0x000000);
    graphics->drawRect(0, 0, 64, 5);
    graphics->beginFill(0xFFFFFF);
    graphics->drawRect(1, 1, elapsed, 3);
    if (elapsed > kQuietSeconds && elapsed < kRoundSeconds) {
        spawnMole(elapsed);
        stepMoles();
    } else if (elapsed >= kRoundSeconds && currentState == STATE_GAME) {
        showState(STATE_GAME_END);
    }
}

void Burrowbop::spawnMole(double elapsed) {
    const double u = rt::random();
    if (!((elapsed * 0.25 + 1) * 0.01 > u)) return;
    int up = 0;
    for (const auto& mole : moles) {
        if (mole->whackable) ++up;
    }
    if (up >= kMostWhackable) return;
    const int index = getPosition();
    if (index == -1) return;
    auto mole = Mole::create();
    const auto& hole = molePositions[static_cast<std::size_t>(index)];
    mole->limnSetX(hole->x);
    mole->limnSetY(hole->y);
    mole->position = index;
    mole->addEventListener(MouseEvent::MOUSE_DOWN, rt::bind<&Burrowbop::Mole_onClick>(this));
    addChild(mole);
    moles.push_back(mole);
    positionStatus[std::to_string(index)] = true;
}

void Burrowbop::stepMoles() {
    // The moles present when the step begins, each once, in order.
    const auto stepping = moles;
    for (const auto& mole : stepping) {
        mole->step();
        if (mole->destroy) dropMole(mole);
    }
}

// A done mole leaves the round and the display list, so nothing piles up.
void Burrowbop::dropMole(const std::shared_ptr<Mole>& mole) {
    mole->removeEventListener(MouseEvent::MOUSE_DOWN, rt::bind<&Burrowbop::Mole_onClick>(this));
    std::erase(moles, mole);
    positionStatus.erase(std::to_string(mole->position));
    if (mole->limnGetParent().get() == this) removeChild(mole);
}

int Burrowbop::getPosition() {
    const int n = static_cast<int>(molePositions.size());
    auto draw = [n] { return static_cast<int>(std::floor(rt::random() * (n - 1) + 0.5)); };
    int index = draw();
    int tries = 1;
    while (positionStatus.contains(std::to_string(index))) {
        tries += 1;
        index = draw();
        if (tries >= n) return -1;
    }
    return index;
}

void Burrowbop::Mole_onClick(const std::shared_ptr<Event>& event) {
    auto mole = event ? event->currentTarget.asObject() : nullptr;
    if (!mole || !mole->get(kWhackable).asBool()) return;
    const double u = rt::random();
    if (u < 0.33) {
        Sound1->play();
    } else if (u < 0.66) {
        Sound2->play();
    } else {
        Sound3->play();
    }
    points += mole->get(kAlphaMole).asBool() ? 15 : 10;
    updateGameScore();
    mole->callMethod(kHide, std::array<rt::Dynamic, 1>{true});
}

void Burrowbop::showResult() {
    HooraySound->play();
    if (TimeUp) removeChild(TimeUp);
    TimeUp = std::static_pointer_cast<Sprite>(Utils::loadGraphic(resultPicture(points), true));
    TimeUpScore =
        makeText("NeutraText-Book.otf", 40, limn::text::TextFormatAlign::CENTER, 0, 216, 320, 60);
    TimeUp->addChild(TimeUpScore);
    TimeUpScore->limnSetText(std::to_string(points) + " points");
    TimeUp->limnSetAlpha(0);
    addChild(TimeUp);
    Kinetra::tween(TimeUp, 2, rt::props({{"alpha", 1}}));
}

}  // namespace com::quillfern::burrowbop
