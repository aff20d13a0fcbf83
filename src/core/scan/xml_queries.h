#pragma once

#include <cstdint>
#include <memory>

#include "base/wide_string.h"
#include "platform/xml_documents.h"

namespace quillmont {

// The questions the SDK detectors ask about XML files, with a cache of the last
// document, the last node list and the last node, so that a detector asking many
// questions about one file loads it once. One scan owns one XmlQueries.
// Failures are never reported: they give 0 or the empty text.
class XmlQueries {
public:
    explicit XmlQueries(XmlDocuments& documents) : documents_(documents) {}
    XmlQueries(const XmlQueries&) = delete;
    XmlQueries& operator=(const XmlQueries&) = delete;

    // How many nodes the path selects in the file.
    std::int32_t xmlNodeCount(const WideString& file, const WideString& path);
    // The text of the first node the path selects, when it is an element.
    WideString xmlText(const WideString& file, const WideString& path);
    // An attribute of the first node the path selects, when it is an element.
    WideString xmlAttribute(const WideString& file, const WideString& path, const WideString& attributeName);

private:
    XmlDocument* document(const WideString& file);
    XmlNodeList* nodeList(XmlDocument& document, const WideString& path);
    XmlElement* element(XmlDocument& document, const WideString& path);

    XmlDocuments& documents_;
    // Keys are exact (case-sensitive); an empty key means the entry holds nothing.
    // Declared document first, so that the list and the element, which may refer
    // to it, are released before it.
    WideString documentKey_;
    std::unique_ptr<XmlDocument> document_;
    WideString listKey_;
    std::unique_ptr<XmlNodeList> list_;
    WideString elementKey_;
    std::unique_ptr<XmlElement> element_;
};

// The path that selects the index-th node (from 0) of what `path` selects:
// "/devices/device" and 1 give "/devices/device[1]".
WideString indexedPath(const WideString& path, std::int32_t index);

}  // namespace quillmont
