// Font faces for the window: the form asks for "MS Sans Serif", which few systems
// outside Windows have; a metric-compatible face keeps every caption inside its
// control. Call once before the window is built. Never fails.
#pragma once

namespace zelva {

void installFontSubstitutes();

} // namespace zelva
