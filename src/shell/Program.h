#pragma once

#include <memory>

class Form1;

namespace Program {

// Everything the program does before its event loop: the application's look, then the
// Main window and its start-up. Returns the Main window, or nullptr when start-up ended
// the program (its message has been shown).
std::unique_ptr<Form1> start();

} // namespace Program
