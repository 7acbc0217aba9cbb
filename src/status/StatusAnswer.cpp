#include "StatusAnswer.h"
