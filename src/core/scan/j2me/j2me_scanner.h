#pragma once

#include <set>
#include <vector>

#include "core/scan/starter_scanner.h"

namespace quillmont {

// Proposes the emulators of the mobile-phone SDKs installed on the machine: each
// SDK's default emulator and its emulator devices. Fifteen detectors run one
// after another, each over one SDK family's registry keys, folders and XML files;
// their bodies live in the family files beside this one. A last one finds the
// portable emulators of today (KEmulator, FreeJ2ME-Plus, MicroEmulator) where
// people unpack them.
//
// The SDKs are 32-bit programs: on 64-bit Windows their installers wrote their
// keys and uninstall entries into the registry's 32-bit view, which this 64-bit
// program does not see by default. Every key of HKEY_LOCAL_MACHINE is therefore
// read in the 32-bit view first and then in the 64-bit view; what both views
// yield twice is dropped by addDetected, and a starting folder that both name is
// searched once.
class J2meScanner final : public StarterScanner {
public:
    using StarterScanner::StarterScanner;

    static constexpr char16_t kUninstallKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    static constexpr RegistryView kSdkViews[] = {RegistryView::Bits32, RegistryView::Bits64};

    // An installed program's entry in the list of installed programs.
    struct UninstallKey {
        WideString name;
        RegistryView view;  // the view its key was listed in, and is read in
    };

    WideString progressTitle() const override { return u"Scanning for J2ME Starters"; }
    WideString noneFoundMessage() const override { return u"No J2ME starters are detected."; }
    WideString resultsTitle() const override { return u"Detected J2ME Starters"; }
    // Lists the uninstall entries once, then runs the detectors in their order.
    void scan() override;

    // Taken at the start of the scan: entries added while it runs are not seen.
    const std::vector<UninstallKey>& uninstallKeys() const { return uninstallKeys_; }

private:
    // The detectors, in the order scan runs them.
    void wirelessToolkitDetector();
    void javaMeSdk30EaDetector();
    void javaMeSdk30Detector();
    void javaMeSdk32Detector();
    void symbianEpocDetector();
    void s60ThirdEditionDetector();
    void nokiaConnectivityDetector();
    void series60MidpDetector();
    void nokiaRegistryDetector();
    void motodevDetector();
    void idenMidp2Detector();
    void idenDetector();
    void sonyEricssonDetector();
    void samsungDetector();
    void lgDetector();
    void portableEmulatorDetector();

    // The shared procedures of the families.
    struct ToolkitNames;
    struct JavaMeSdk;
    struct IdenEdition;
    void vendorToolkits(const WideString& key, const WideString& defaultFormat, const WideString& deviceFormat);
    void toolkit(const WideString& root, const ToolkitNames& names);
    void javaMeSdk(const JavaMeSdk& sdk);
    void idenSdk(const IdenEdition& edition);
    void descriptorSdks(const WideString& parent, const WideString& titlePath, const WideString& titleAttribute);
    struct PortableEmulator;
    void findPortableEmulators(const WideString& folder, int depth, std::set<WideString>& searched,
                               std::vector<PortableEmulator>& found);
    // The uninstall entries whose display name begins with the prefix, exactly.
    std::vector<UninstallKey> uninstallEntriesNamed(const WideString& prefix);

    // Registry reads of HKEY_LOCAL_MACHINE in both views.
    WideString readUninstallValue(const UninstallKey& entry, const WideString& valueName);
    // The value's distinct non-empty texts, the 32-bit view's first.
    std::vector<WideString> machineValues(const WideString& key, const WideString& valueName);
    struct VersionValue {
        WideString version;  // the subkey's name
        WideString value;
    };
    // For each subkey of the key, its value when it has one; the 32-bit view's first.
    std::vector<VersionValue> versionValues(const WideString& key, const WideString& valueName);
    // True the first time the detector names the folder (letter case aside).
    bool firstVisit(std::set<WideString>& searched, const WideString& folder);

    // The three shapes of a proposal.
    void addDefaultEntry(const WideString& name, const WideString& emulator);
    void addDeviceEntry(const WideString& group, const WideString& name, const WideString& emulator,
                        const WideString& deviceId);
    void addEmulatorEntry(const WideString& group, const WideString& name, const WideString& emulator);

    std::vector<UninstallKey> uninstallKeys_;
};

}  // namespace quillmont
