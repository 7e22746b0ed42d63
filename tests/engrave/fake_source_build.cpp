// The engines' canvas stand-in of the output tests, built into this program too.
#include "output/fake_source.cpp"  // NOLINT(bugprone-suspicious-include)
