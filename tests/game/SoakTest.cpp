// Long play: many rounds with random presses must leave the number of live
// display objects and tween actuators bounded, whatever was pressed.
#include <random>

#include "framework/display/IdIndex.h"
#include "tests/game/GameHarness.h"

namespace burrowbop_test {
namespace {

using com::quillfern::motion::actuators::GenericActuator;

class Soak : public GameTest {
protected:
    // Display objects alive now: every one sits in the id index under the
    // distinct id its handle got (ids run from 1 up to the last handle made).
    int liveDisplayObjects() {
        const int lastId = RecordingBackend::idOf(backend.makeHandle("probe"));
        int count = 0;
        for (int id = 1; id < lastId; ++id) {
            count += static_cast<int>(limn::display::IdIndex::find(id).size());
        }
        return count;
    }

    // One round: random presses on moles (up or not) and on the game itself;
    // about one round in four is abandoned with the back gesture.
    void playRound(std::mt19937& dice) {
        clickOn(game->SplashScreen->children().front());
        ASSERT_EQ(game->currentState, Burrowbop::STATE_GAME);
        const double start = backend.time();
        std::uniform_real_distribution<double> unit(0, 1);
        const bool abandon = unit(dice) < 0.25;
        const double end = abandon ? 2 + unit(dice) * 50 : 61.2;
        while (backend.time() < start + end) {
            frame();
            if (!game->moles.empty() && unit(dice) < 0.15) {
                std::uniform_int_distribution<std::size_t> pick(0, game->moles.size() - 1);
                pressOn(game->moles[pick(dice)]);
            }
            if (unit(dice) < 0.01) pressOn(game);
        }
        if (!abandon) {
            ASSERT_EQ(game->currentState, Burrowbop::STATE_GAME_END);
        }
        if (abandon || unit(dice) < 0.5) runFor(unit(dice) * 2);
        back();
        ASSERT_EQ(game->currentState, Burrowbop::STATE_TITLE);
        runFor(0.5 + unit(dice) * 2);
        backend.clearCalls();  // the record of calls would otherwise hold every handle
    }
};

TEST_F(Soak, TwoHundredRoundsKeepLiveObjectsBounded) {
    std::mt19937 dice(77);
    startGame();
    runFor(3.6);
    int mostObjects = 0;
    int mostActuators = 0;
    int afterFirstRounds = 0;
    for (int round = 0; round < 200; ++round) {
        playRound(dice);
        if (HasFatalFailure()) return;
        if (round % 10 == 9) {
            const int objects = liveDisplayObjects();
            mostObjects = std::max(mostObjects, objects);
            mostActuators = std::max(mostActuators, GenericActuator::liveCount());
            if (round == 9) afterFirstRounds = objects;
        }
    }
    EXPECT_TRUE(exits.empty());
    EXPECT_GT(afterFirstRounds, 0);
    // The screens and at most a few dozen moles and clouds: nothing piles up.
    EXPECT_LE(mostObjects, afterFirstRounds + 40) << "display objects pile up over rounds";
    EXPECT_LE(mostObjects, 100);
    EXPECT_LE(mostActuators, 40) << "actuators pile up over rounds";
}

}  // namespace
}  // namespace burrowbop_test
