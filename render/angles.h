// Angles: held in degrees everywhere and turned into radians only where sine,
// cosine or the arc tangent need them, always with the game's one pi.
#pragma once

// The game's pi is 3.14159, not the exact value: every circle, pick disc and
// heading has been turned with it, so the pictures and picks depend on it.
constexpr double kPiDecimal = 3.14159;
constexpr float kPi = static_cast<float>(kPiDecimal);
constexpr float kRadiansPerDegree = kPi / 180.0f;
// Taken in double precision from the same decimal, then rounded once.
constexpr float kDegreesPerRadian = static_cast<float>(180.0 / kPiDecimal);
