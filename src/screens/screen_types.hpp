// Every screen of the program by its object name: how the flow creates the
// screen a move leads to.
#pragma once

#include <string_view>

class Screen;
class ScreenFlow;

// A new screen named `name` (not yet loaded); null for a name no screen has.
Screen* makeScreen(ScreenFlow& flow, std::string_view name);
