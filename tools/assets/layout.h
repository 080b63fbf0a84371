// Screen geometry shared by the art generator and its tests, so that the holes on the meadow,
// the mole pictures and the head-up display all agree with where the game places things.
#pragma once

#include <array>

namespace assets {

inline constexpr int kScreenW = 320;
inline constexpr int kScreenH = 480;

struct HolePos {
    int x;
    int y;
};

// Where the game stands each mole (its top-left corner), in hole-index order.
inline constexpr std::array<HolePos, 23> kHoles = {{
    {34, 58},   {99, 68},   {178, 56},  {256, 76},  {52, 118},  {123, 135}, {188, 116}, {242, 137},
    {18, 174},  {81, 174},  {164, 193}, {242, 193}, {41, 230},  {118, 246}, {195, 229}, {53, 284},
    {122, 303}, {194, 303}, {18, 340},  {88, 355},  {163, 356}, {265, 341}, {255, 267},
}};

// Mole picture size; it hangs down and right of the hole position.
inline constexpr int kMoleW = 34;
inline constexpr int kMoleH = 40;

// The dark opening of a hole, relative to the hole position. Its front lip runs along the
// bottom of the mole picture so the mole looks as if it climbs out of it.
inline constexpr double kHoleDX = 17.0;
inline constexpr double kHoleDY = 32.0;
inline constexpr double kHoleRX = 19.0;
inline constexpr double kHoleRY = 8.0;

// Dirt mound around each opening.
inline constexpr double kMoundRX = 26.0;
inline constexpr double kMoundRY = 12.5;

// The game's invisible hit square around each mole, relative to the hole position.
inline constexpr int kHitX = -8;
inline constexpr int kHitY = -6;
inline constexpr int kHitSize = 50;

inline constexpr int kCloudW = 60;
inline constexpr int kCloudH = 50;

// Head-up display: white score text at the top left, the round's time bar at the top right.
inline constexpr int kScoreX = 12;
inline constexpr int kScoreY = 8;
inline constexpr int kScoreW = 100;
inline constexpr int kScoreH = 30;
inline constexpr int kTimeBarX = 244;
inline constexpr int kTimeBarY = 16;
inline constexpr int kTimeBarW = 64;
inline constexpr int kTimeBarH = 5;
// Height of the wooden board that carries the display.
inline constexpr int kHudH = 40;

// Band of the result pictures where the game writes the final score in white.
inline constexpr int kScoreBandY = 216;
inline constexpr int kScoreBandH = 60;

}  // namespace assets
