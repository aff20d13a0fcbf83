#pragma once

#include <memory>

#include "platform/registry.h"

namespace quillmont::testing {

// One side's registry for the registry cases, with a scratch key under the
// current user that the harness removes again.
class RegistryHarness {
public:
    virtual ~RegistryHarness() = default;
    virtual Registry& registry() = 0;
    virtual WideString scratchKey() = 0;  // below HKEY_CURRENT_USER, created empty
};

std::unique_ptr<RegistryHarness> makeRegistryHarness();

}  // namespace quillmont::testing
