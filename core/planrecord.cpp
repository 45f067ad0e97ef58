#include "core/planrecord.h"
