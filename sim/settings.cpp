#include "sim/settings.h"

SimSettings simSettings = {0, 0, 0, 1.0, 0.7, 0.0, 0.0, 0.0, 0.0, 0.0, 0};
