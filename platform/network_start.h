// Starting and leaving a game over a network from the command line.
#pragma once

#include "platform/command_line.h"
#include "platform/program.h"

// After start-up: hosts the game on the command line's port, printing the
// port and the join code on one line, or joins the host it names. False,
// with one line on standard error, when the port cannot be opened or the
// host's name not resolved.
bool startNetwork(Program& program, const CommandLine& line);
// A host ends the game for everyone; a joiner leaves it.
void stopNetwork(Program& program);
