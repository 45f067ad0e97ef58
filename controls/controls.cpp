#include "controls/controls.h"
