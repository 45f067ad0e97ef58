#pragma once

namespace orvanta {
// Runs the program: creates the windows and the message loop. Returns the exit code.
int runApplication(int argc, char** argv);
} // namespace orvanta
