#include "res/strings.h"

namespace res {

const char* CommandPrompt(UINT) { return ""; }
const char* CommandTip(UINT) { return ""; }
const char* CommandText(UINT) { return ""; }

}  // namespace res
