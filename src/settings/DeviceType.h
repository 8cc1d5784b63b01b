#pragma once

// The device table lives with the other shared types in profilecore/, below the stores that use it;
// this name stays for the suite's code that includes it from here.
#include "profilecore/DeviceType.h"
