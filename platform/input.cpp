#include "platform/input.h"

inputstate input;
