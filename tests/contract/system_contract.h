#pragma once

#include <memory>

#include "platform/environment.h"
#include "platform/version_resources.h"

namespace quillmont::testing {

// One side's version resources: Quillmont.exe's own resource is the fixture.
class VersionResourcesHarness {
public:
    virtual ~VersionResourcesHarness() = default;
    virtual VersionResources& versions() = 0;
    virtual WideString programWithVersion() = 0;  // Quillmont.exe
    virtual WideString fileWithoutVersion() = 0;  // an existing program without one
    virtual WideString missingFile() = 0;
};

// One side's environment, with variables the harness sets for the case.
class EnvironmentHarness {
public:
    virtual ~EnvironmentHarness() = default;
    virtual Environment& environment() = 0;
    virtual void setVariable(const WideString& name, const WideString& value) = 0;
};

std::unique_ptr<VersionResourcesHarness> makeVersionResourcesHarness();
std::unique_ptr<EnvironmentHarness> makeEnvironmentHarness();

}  // namespace quillmont::testing
