#pragma once

#include "platform/files.h"
#include "platform/xml_documents.h"

namespace quillmont::native {

// The XML port over pugixml, for native builds, answering as MSXML's
// "Msxml2.DOMDocument" does: positions in path expressions count from 0 and an
// element's text is what MSXML's text property gives when white space is not
// preserved. Paths are UTF-16 and go to the file system as UTF-8.
//
// Without a files port it reads the host's file system; with one it reads what
// that port holds, a path resolved as the system resolves it (a path from the
// drive's root, for example), so that XML files laid out in memory can be read.
class PugixmlDocuments final : public XmlDocuments {
public:
    PugixmlDocuments() = default;
    explicit PugixmlDocuments(Files& files) : files_(&files) {}
    std::unique_ptr<XmlDocument> load(const WideString& path) override;

private:
    Files* files_ = nullptr;
};

}  // namespace quillmont::native
