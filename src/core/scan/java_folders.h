#pragma once

#include <vector>

#include "core/scan/scanner_utilities.h"
#include "platform/environment.h"

namespace quillmont {

// A folder that holds bin\java.exe, found outside the registry.
struct FoundJavaHome {
    WideString folder;
    WideString vendorHint;  // the vendor that the folder it lies in names, or empty
};

// The Java homes that no registry key names, where build tools look for them: the
// folders JAVA_HOME and JDK_HOME name, the bin folders on PATH (not Oracle's
// javapath folders, which only forward to another installation), the vendors'
// folders under both Program Files folders and the user's Programs folder, the
// JDKs IntelliJ IDEA downloads (%USERPROFILE%\.jdks), Gradle provisions
// (%USERPROFILE%\.gradle\jdks, nested one level deeper in some versions) and
// Scoop installs (%SCOOP% or %USERPROFILE%\scoop, apps\*\current). Only these
// folders and their direct children are read, never a walk down a tree.
class JavaFolders {
public:
    JavaFolders(const ScannerUtilities& utilities, Environment& environment)
        : utilities_(utilities), environment_(environment) {}

    // In the order above; a folder may come more than once.
    std::vector<FoundJavaHome> homes();

private:
    WideString variable(const WideString& name);
    void fromPath();
    void childrenOf(const WideString& root, const WideString& vendorHint, bool nested);
    // Adds the folder when bin\java.exe is in it; tells whether it was.
    bool addIfHome(const WideString& folder, const WideString& vendorHint);

    const ScannerUtilities& utilities_;
    Environment& environment_;
    std::vector<FoundJavaHome> found_;
};

}  // namespace quillmont
