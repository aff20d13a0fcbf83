#include "core/scan/java_vendor.h"

#include "core/text/ascii_case.h"
#include "core/text/trim.h"

namespace quillmont {

namespace {

struct KnownVendor {
    const char16_t* prefix;  // lower case; matched at the start of the text
    const char16_t* name;
};

// Longer prefixes first where one starts another.
constexpr KnownVendor kKnownVendors[] = {
    {u"eclipse adoptium", u"Temurin"},    {u"eclipse foundation", u"Temurin"},
    {u"eclipse openj9", u"Semeru"},       {u"adoptopenjdk", u"AdoptOpenJDK"},
    {u"temurin", u"Temurin"},             {u"azul", u"Zulu"},
    {u"zulu", u"Zulu"},                   {u"amazon", u"Corretto"},
    {u"corretto", u"Corretto"},           {u"microsoft", u"Microsoft"},
    {u"bellsoft", u"Liberica"},           {u"liberica", u"Liberica"},
    {u"international business machines", u"Semeru"},
    {u"ibm", u"Semeru"},                  {u"semeru", u"Semeru"},
    {u"oracle", u"Oracle"},               {u"sap se", u"SapMachine"},
    {u"sapmachine", u"SapMachine"},       {u"red hat", u"Red Hat"},
    {u"jetbrains", u"JetBrains"},         {u"graalvm", u"GraalVM"},
    {u"alibaba", u"Dragonwell"},          {u"tencent", u"Kona"},
};

// Longest own name kept from an implementor that is not known.
constexpr std::size_t kMaxOwnName = 32;


}  // namespace

WideString knownJavaVendor(const WideString& text) {
    for (const KnownVendor& vendor : kKnownVendors)
        if (startsWithLowerAscii(text, vendor.prefix)) return vendor.name;
    return {};
}

WideString javaVendorName(const WideString& implementorOrFolder) {
    const WideString text = trimmed(implementorOrFolder);
    const WideString known = knownJavaVendor(text);
    if (!known.empty()) return known;
    if (text.empty() || text == u"N/A") return {};
    return trimmed(text.substr(0, text.find(u','))).substr(0, kMaxOwnName);
}

}  // namespace quillmont
