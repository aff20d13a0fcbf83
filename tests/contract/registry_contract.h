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
    // Below HKEY_LOCAL_MACHINE\SOFTWARE, in neither view yet; removed from both again.
    virtual WideString machineScratchKey() = 0;
    // Writes a string value into a key of one view, creating the key, past the
    // port: the way a 32-bit installer writes its keys.
    virtual void writeInView(RegistryRoot root, const WideString& path, RegistryView view, const WideString& name,
                             const WideString& value) = 0;
};

std::unique_ptr<RegistryHarness> makeRegistryHarness();

}  // namespace quillmont::testing
