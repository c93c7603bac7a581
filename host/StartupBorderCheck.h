#pragma once

#include <stop_token>

namespace host {

// The start-up check for new border packages, run on its own thread once the main window
// is first shown. It must return soon after `stop` is requested: the main window waits
// for it when the program ends.
void startupBorderCheck(std::stop_token stop);

} // namespace host
