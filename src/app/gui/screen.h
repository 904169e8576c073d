#pragma once

#include <optional>

namespace quorvex {

// The height of the primary screen in pixels (768 when there is none). Tests give another
// height to try the rules for small screens.
int primaryScreenHeight();
void overridePrimaryScreenHeight(std::optional<int> height);

} // namespace quorvex
