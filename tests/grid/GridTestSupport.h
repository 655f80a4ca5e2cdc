// The automation tests' name for the file-list host, until they use
// support/GridHost.h themselves.
#pragma once

#include "support/GridHost.h"

namespace gridtest {

class GridHost : public testsupport::GridHost {
public:
    GridHost() : testsupport::GridHost(Setup::FileList) {}
};

inline void SetUpLikeFileList(CGridCtrl&) {}  // the host has the program's set-up

}  // namespace gridtest
