#include "tests/unit/TestSupport.h"
