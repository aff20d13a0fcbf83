#pragma once

#include <memory>

#include "platform/xml_documents.h"

namespace quillmont::testing {

// One side's XML parser for the XML cases, and where the sample files of
// tests/contract/xml are as that side names them.
class XmlHarness {
public:
    virtual ~XmlHarness() = default;
    virtual XmlDocuments& documents() = 0;
    // The folder of the sample files, ending in its separator.
    virtual WideString folder() = 0;
    // False where a malformed expression must not be tried: Wine's msxml3 crashes
    // on its syntax errors, where Windows' MSXML reports them.
    virtual bool survivesMalformedExpressions() { return true; }
};

std::unique_ptr<XmlHarness> makeXmlHarness();

}  // namespace quillmont::testing
