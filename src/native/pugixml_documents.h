#pragma once

#include "platform/xml_documents.h"

namespace quillmont::native {

// The XML port over pugixml, for native builds, answering as MSXML's
// "Msxml2.DOMDocument" does: positions in path expressions count from 0 and an
// element's text is what MSXML's text property gives when white space is not
// preserved. Paths are UTF-16 and go to the file system as UTF-8.
class PugixmlDocuments final : public XmlDocuments {
public:
    std::unique_ptr<XmlDocument> load(const WideString& path) override;
};

}  // namespace quillmont::native
