// The saturating coordinate arithmetic lives in the platform layer, so that the device context
// and the engines use the same one as the layout.
#pragma once

#include "platform/saturate.h"
