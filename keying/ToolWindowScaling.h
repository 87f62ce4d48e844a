#pragma once
// The keyer windows' scaling rule lives with the other scalings, since the radio's tool windows share it.
#include "platform/vb/FormScaling.h"
