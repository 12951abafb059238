#include "tests/pictures/GuiApp.h"

[[maybe_unused]] static ::testing::Environment* const kGuiApp =
    ::testing::AddGlobalTestEnvironment(new GuiAppEnvironment);
