#include "ui/main/startup.h"

namespace orbalta {

int runOrbalta(platform::Platform&, int) { return 0; }

}  // namespace orbalta
