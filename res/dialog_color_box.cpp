#include "res/dialog_color_box.h"

#include "res/dialog_231.h"

// The colour box lays out the layer dialog's eight radios and swatches under its own caption.
const DlgTemplate g_DialogColorBox = {0, "カラー", g_Dialog231.cx, g_Dialog231.cy, g_Dialog231.controls,
                                      g_Dialog231.count};
