// (Compiled by the automation tests; the host is support/GridHost.)
#include "GridTestSupport.h"
