#include "ServerAddress.h"
