#include "tests/app/shell_fixture.h"
