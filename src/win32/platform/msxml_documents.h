#pragma once

#include <windows.h>

#include "platform/xml_documents.h"

namespace quillmont::win32 {

// The XML port over MSXML's "Msxml2.DOMDocument" through COM, whose default
// selection language counts positions from 0. COM must be initialised on the
// calling thread.
class MsxmlDocuments final : public XmlDocuments {
public:
    std::unique_ptr<XmlDocument> load(const WideString& path) override;

private:
    CLSID documentClass_{};
    bool classKnown_ = false;
};

}  // namespace quillmont::win32
