#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

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
// SDK files are read from folders anyone may have written to, so every
// implementation refuses the same documents: larger than kMaxDocumentBytes,
// nested deeper than kMaxElementDepth, or declaring entities of their own.
class XmlDocuments {
public:
    virtual ~XmlDocuments() = default;
    // Loads a file by its path, synchronously, without validating it and without
    // resolving external definitions. Nothing when it is missing, not well-formed
    // XML or one of the documents refused above.
    virtual std::unique_ptr<XmlDocument> load(const WideString& path) = 0;

    // Far more than any SDK's description; a larger file is not read.
    static constexpr std::uint64_t kMaxDocumentBytes = 64 * 1024 * 1024;
    // What MSXML 6 and libxml2 allow by default; SDK files nest a few levels.
    static constexpr std::int32_t kMaxElementDepth = 256;

    // Whether the bytes declare an entity ("<!ENTITY" in a document type
    // declaration, in an 8-bit or a UTF-16 encoding). One parser would expand such
    // entities (a few hundred bytes can stand for gigabytes) and another not, so
    // such a document is refused everywhere; a document type that only names an
    // external definition, as Java's properties files do, is not.
    static bool declaresEntities(std::span<const std::uint8_t> bytes) {
        static constexpr char kDeclaration[] = "<!ENTITY";
        constexpr std::size_t length = sizeof(kDeclaration) - 1;
        for (const std::size_t step : {std::size_t{1}, std::size_t{2}}) {
            const std::size_t span = (length - 1) * step + 1;
            for (std::size_t at = 0; at + span <= bytes.size(); ++at) {
                std::size_t i = 0;
                while (i < length && bytes[at + i * step] == static_cast<std::uint8_t>(kDeclaration[i])) ++i;
                if (i == length) return true;
            }
        }
        return false;
    }
};

}  // namespace quillmont
