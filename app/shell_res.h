// The resources the application shell reads: menus, bars, accelerators, prompts and pictures.
#pragma once

#include "res/images.h"
#include "res/menus.h"
#include "res/resource.h"
#include "res/strings.h"
#include "res/toolbars.h"
