#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "base/wide_string.h"

namespace quillmont {

// Path expressions are absolute paths of child steps whose predicates compare an
// attribute with a quoted literal (single or double quotes) or give a position,
// and positions count from 0: "/devices/device[0]" is the first device. That is
// the meaning of the default selection language of "Msxml2.DOMDocument"; an
// implementation on another XML library translates it.

// An element that a path selected.
class XmlElement {
public:
    virtual ~XmlElement() = default;
    // The text of the element and all its descendants, as the DOM's text property
    // gives it; nothing when it cannot be read.
    virtual std::optional<WideString> text() = 0;
    // The attribute's value as text; nothing when the element has no such attribute.
    virtual std::optional<WideString> attribute(const WideString& name) = 0;
};

// The nodes that a path selected.
class XmlNodeList {
public:
    virtual ~XmlNodeList() = default;
    virtual std::int32_t length() = 0;
};

// A loaded document. What it hands out may refer to it: release them first.
class XmlDocument {
public:
    virtual ~XmlDocument() = default;
    // Nothing when the expression is not valid.
    virtual std::unique_ptr<XmlNodeList> selectNodes(const WideString& path) = 0;
    // The first node the path selects when that node is an element; nothing when
    // nothing is selected, the node is of another kind or the expression is not valid.
    virtual std::unique_ptr<XmlElement> selectElement(const WideString& path) = 0;
};

// The XML parser: MSXML's DOM document on Windows.
class XmlDocuments {
public:
    virtual ~XmlDocuments() = default;
    // Loads a file by its path, synchronously, without validating it and without
    // resolving external definitions. Nothing when it is missing or not
    // well-formed XML.
    virtual std::unique_ptr<XmlDocument> load(const WideString& path) = 0;
};

}  // namespace quillmont
