#pragma once

#include "base/wide_string.h"

namespace quillmont {

// The two ways a file is opened. Both take the path without surrounding quotes
// and return true when a starter process was created.
class OpeningFlows {
public:
    virtual ~OpeningFlows() = default;
    virtual bool runJadFlow(const WideString& jadPath, bool allowDefaultAction,
                            const WideString& externalArguments) = 0;
    virtual bool runJarFlow(const WideString& jarPath, bool allowDefaultAction,
                            const WideString& externalArguments) = 0;
};

}  // namespace quillmont
