// The drawing layer in one include: device contexts, drawing objects, DIBs.
#pragma once

#include "platform/gdi/dc.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/gdiobj.h"
