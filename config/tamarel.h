// Tamarel's entry: the display-configuration tool's one screen. Returns the
// process's exit code.
#pragma once
int TamarelMain();
