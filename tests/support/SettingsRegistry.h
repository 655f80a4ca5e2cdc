// The settings helpers now live with the program fixture.
#pragma once

#include "support/ProgramFixture.h"
