// Rules state: everything every machine of a networked game must agree on, as
// bytes, and its fingerprint. Two machines that applied the same commands in
// the same order hold the same bytes; what only one screen or one machine
// needs (drawing angles, what the pointer is over, files, the quit request)
// stays out.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct Game;

// The leading byte of every encoding; a change of layout takes a new value.
constexpr uint8_t kRulesStateVersion = 2;

// The rules state of the game: little-endian, fixed widths, floats by their
// bits, every list after its count.
std::vector<uint8_t> encodeRulesState(const Game& game);
// Takes the rules state from `bytes` into `game`, leaving what the encoding
// leaves out as it was. Checks all of it first: false, with the game
// unchanged, when the bytes are damaged or hold a state the rules never reach
// by their ranges.
bool decodeRulesState(std::span<const uint8_t> bytes, Game& game);
// 64-bit FNV-1a of the encoding, without building it.
uint64_t rulesFingerprint(const Game& game);
