#include "StatusBoard.h"
