#include "ColouredText.h"
