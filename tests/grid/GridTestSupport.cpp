// Listed by the automation tests and the script bench until they use
// support/GridHost.h themselves; brings the host's code for the bench,
// which does not link the tests' support library.
#include "GridTestSupport.h"

#include "support/GridHost.cpp"
