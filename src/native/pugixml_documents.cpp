#include "native/pugixml_documents.h"

#include <pugixml.hpp>

#include <algorithm>
#include <fstream>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

namespace quillmont::native {

namespace {

// pugixml speaks UTF-8, and its wide strings are UTF-32 here. Not the codec of
// core/text: that one is the descriptors' lenient reading, which knows no
// characters beyond the first plane; XML texts and paths need every one.
std::string toUtf8(const WideString& text) {
    std::wstring codePoints;
    codePoints.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            codePoints.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00)));
            ++i;
        } else {
            codePoints.push_back(static_cast<wchar_t>(unit));
        }
    }
    return pugi::as_utf8(codePoints);
}

WideString fromUtf8(const std::string& text) {
    WideString result;
    for (const wchar_t codePoint : pugi::as_wide(text)) {
        const auto value = static_cast<char32_t>(codePoint);
        if (value >= 0x10000) {
            result.push_back(static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(value));
        }
    }
    return result;
}


bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Adds one to a decimal number of any length.
WideString incremented(WideString digits) {
    for (auto at = digits.rbegin(); at != digits.rend(); ++at) {
        if (*at != u'9') {
            ++*at;
            return digits;
        }
        *at = u'0';
    }
    return u"1" + digits;
}

// "/devices/device[0]" is the first device, XPath's "/devices/device[1]".
WideString toOneBasedPositions(const WideString& path) {
    WideString result;
    result.reserve(path.size() + 4);
    char16_t quote = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char16_t c = path[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'[' && path.find(u']', i + 1) != WideString::npos) {
            // A predicate of digits holds no quote, so its closing bracket is the next one.
            const std::size_t close = path.find(u']', i + 1);
            std::size_t first = i + 1;
            std::size_t last = close;
            while (first < last && path[first] == u' ') ++first;
            while (last > first && path[last - 1] == u' ') --last;
            bool number = first < last;
            for (std::size_t d = first; number && d < last; ++d) number = isDigit(path[d]);
            if (number) {
                result += u'[' + incremented(path.substr(first, last - first)) + u']';
                i = close;
                continue;
            }
        }
        result.push_back(c);
    }
    return result;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isBlank(const char* text) {
    for (; *text != '\0'; ++text)
        if (!isBlank(*text)) return false;
    return true;
}

// xml:space on the node or its nearest ancestor that has one.
bool preservesWhiteSpace(pugi::xml_node node) {
    for (; node; node = node.parent()) {
        const pugi::xml_attribute space = node.attribute("xml:space");
        if (space) return std::string_view(space.value()) == "preserve";
    }
    return false;
}

struct Text {
    std::string text;
    // Where CDATA sections begin and end: trimming stops there.
    std::size_t keepFrom = std::string::npos;
    std::size_t keepTo = 0;
    // Ends in white space that separates it from what follows.
    bool trailingSpace = false;
};

// MSXML's text property when white space is not preserved: the text nodes below
// the node as they stand, a text node of only white space between them counting
// as one space, but only between text of one element. Checked against MSXML on
// many small documents, CDATA sections and xml:space included.
Text textBelow(const pugi::xml_node& node) {
    Text result;
    const bool preserving = preservesWhiteSpace(node);
    bool spacePending = false;
    for (const pugi::xml_node& child : node.children()) {
        Text piece;
        bool counts = false;
        switch (child.type()) {
        case pugi::node_element:
            piece = textBelow(child);
            counts = !piece.text.empty();
            break;
        case pugi::node_pcdata:
            if (!preserving && isBlank(child.value())) {
                spacePending = true;
            } else {
                piece.text = child.value();
                counts = !piece.text.empty();
            }
            break;
        case pugi::node_cdata:
            piece.text = child.value();
            piece.keepFrom = 0;
            piece.keepTo = piece.text.size();
            counts = true;  // even when empty
            break;
        default:
            break;
        }
        if (counts) {
            if (spacePending && !result.text.empty()) result.text.push_back(' ');
            const std::size_t at = result.text.size();
            result.text += piece.text;
            if (piece.keepFrom != std::string::npos) {
                result.keepFrom = std::min(result.keepFrom, at + piece.keepFrom);
                result.keepTo = std::max(result.keepTo, at + piece.keepTo);
            }
            spacePending = false;
        }
        if (!spacePending) spacePending = piece.trailingSpace;
    }
    result.trailingSpace = spacePending;
    return result;
}

std::string textOf(const pugi::xml_node& node) {
    const Text below = textBelow(node);
    if (preservesWhiteSpace(node)) return below.text;
    std::size_t first = 0;
    std::size_t last = below.text.size();
    while (first < last && first < below.keepFrom && isBlank(below.text[first])) ++first;
    while (last > first && last > below.keepTo && isBlank(below.text[last - 1])) --last;
    return below.text.substr(first, last - first);
}

class PugixmlElement final : public XmlElement {
public:
    explicit PugixmlElement(pugi::xml_node node) : node_(node) {}
    std::optional<WideString> text() override { return fromUtf8(textOf(node_)); }
    std::optional<WideString> attribute(const WideString& name) override {
        const pugi::xml_attribute found = node_.attribute(toUtf8(name).c_str());
        if (!found) return std::nullopt;
        return fromUtf8(found.value());
    }

private:
    pugi::xml_node node_;
};

class PugixmlNodeList final : public XmlNodeList {
public:
    explicit PugixmlNodeList(std::int32_t length) : length_(length) {}
    std::int32_t length() override { return length_; }

private:
    std::int32_t length_;
};

// Also for a pugixml built without exceptions, which reports errors in the query.
bool selectsNodes(const pugi::xpath_query& query) {
    return query.result() && query.return_type() == pugi::xpath_type_node_set;
}

class PugixmlDocument final : public XmlDocument {
public:
    std::unique_ptr<XmlNodeList> selectNodes(const WideString& path) override {
        try {
            const pugi::xpath_query query(toUtf8(toOneBasedPositions(path)).c_str());
            if (!selectsNodes(query)) return nullptr;
            const pugi::xpath_node_set nodes = query.evaluate_node_set(document_);
            return std::make_unique<PugixmlNodeList>(static_cast<std::int32_t>(nodes.size()));
        } catch (const pugi::xpath_exception&) {
            return nullptr;  // not an expression, or not one that selects nodes
        }
    }

    std::unique_ptr<XmlElement> selectElement(const WideString& path) override {
        try {
            const pugi::xpath_query query(toUtf8(toOneBasedPositions(path)).c_str());
            if (!selectsNodes(query)) return nullptr;
            const pugi::xpath_node first = query.evaluate_node(document_);
            // An attribute is selected as the attribute with its element as parent.
            if (first.attribute() || first.node().type() != pugi::node_element) return nullptr;
            return std::make_unique<PugixmlElement>(first.node());
        } catch (const pugi::xpath_exception&) {
            return nullptr;
        }
    }

    // Like MSXML, white space between elements is kept for the text property to
    // see; a document needs exactly one root element to be well-formed.
    bool load(const std::vector<std::uint8_t>& bytes) {
        if (XmlDocuments::declaresEntities(bytes)) return false;
        return wellFormed(document_.load_buffer(bytes.data(), bytes.size(), kParsing)) && shallowEnough();
    }

private:
    static constexpr unsigned kParsing = pugi::parse_default | pugi::parse_ws_pcdata;

    bool wellFormed(const pugi::xml_parse_result& parsed) {
        if (!parsed) return false;
        int roots = 0;
        for (const pugi::xml_node& child : document_.children()) {
            if (child.type() == pugi::node_element) ++roots;
            if (child.type() == pugi::node_pcdata && !isBlank(child.value())) return false;
        }
        return roots == 1;
    }

    // No element nested deeper than MSXML and libxml2 allow; walked without
    // recursion, whatever the depth.
    bool shallowEnough() const {
        std::vector<std::pair<pugi::xml_node, std::int32_t>> pending{{document_.document_element(), 1}};
        while (!pending.empty()) {
            const auto [node, depth] = pending.back();
            pending.pop_back();
            if (depth > XmlDocuments::kMaxElementDepth) return false;
            for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
                if (child.type() == pugi::node_element) pending.emplace_back(child, depth + 1);
        }
        return true;
    }

    pugi::xml_document document_;
};

// A file of the file system, for a port made without one of the program's Files.
std::optional<std::vector<std::uint8_t>> readSmallFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > XmlDocuments::kMaxDocumentBytes) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
    return bytes;
}

}  // namespace

std::unique_ptr<XmlDocument> PugixmlDocuments::load(const WideString& path) {
    auto document = std::make_unique<PugixmlDocument>();
    if (path.empty()) return nullptr;
    if (files_ == nullptr) {
        const std::optional<std::vector<std::uint8_t>> bytes = readSmallFile(toUtf8(path));
        return bytes && document->load(*bytes) ? std::move(document) : nullptr;
    }
    std::unique_ptr<ReadableFile> file = files_->openForReading(files_->fullPath(path));
    const std::optional<std::uint64_t> size = file ? file->size() : std::nullopt;
    if (!size || *size > XmlDocuments::kMaxDocumentBytes) return nullptr;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*size));
    if (file->readAt(0, bytes) != bytes.size()) return nullptr;
    return document->load(bytes) ? std::move(document) : nullptr;
}

}  // namespace quillmont::native
