#include "core/scan/xml_queries.h"

#include <string>

namespace quillmont {

XmlDocument* XmlQueries::document(const WideString& file) {
    if (!documentKey_.empty() && file == documentKey_) return document_.get();
    // What the list and the element refer to goes before the document does.
    element_.reset();
    elementKey_.clear();
    list_.reset();
    listKey_.clear();
    document_.reset();
    documentKey_.clear();
    document_ = documents_.load(file);
    // Only a loaded document gets a key, so a failed file is tried again next time.
    if (document_) documentKey_ = file;
    return document_.get();
}

XmlNodeList* XmlQueries::nodeList(XmlDocument& document, const WideString& path) {
    if (!listKey_.empty() && path == listKey_) return list_.get();
    list_.reset();
    listKey_.clear();
    if (path.empty()) return nullptr;
    list_ = document.selectNodes(path);
    if (list_) listKey_ = path;
    return list_.get();
}

XmlElement* XmlQueries::element(XmlDocument& document, const WideString& path) {
    if (!elementKey_.empty() && path == elementKey_) return element_.get();
    element_.reset();
    elementKey_.clear();
    if (path.empty()) return nullptr;
    element_ = document.selectElement(path);
    if (element_) elementKey_ = path;
    return element_.get();
}

std::int32_t XmlQueries::xmlNodeCount(const WideString& file, const WideString& path) {
    XmlDocument* loaded = document(file);
    if (loaded == nullptr) return 0;
    XmlNodeList* list = nodeList(*loaded, path);
    return list == nullptr ? 0 : list->length();
}

WideString XmlQueries::xmlText(const WideString& file, const WideString& path) {
    XmlDocument* loaded = document(file);
    if (loaded == nullptr) return {};
    XmlElement* found = element(*loaded, path);
    if (found == nullptr) return {};
    return found->text().value_or(WideString());
}

WideString XmlQueries::xmlAttribute(const WideString& file, const WideString& path,
                                    const WideString& attributeName) {
    XmlDocument* loaded = document(file);
    if (loaded == nullptr) return {};
    XmlElement* found = element(*loaded, path);
    if (found == nullptr) return {};
    return found->attribute(attributeName).value_or(WideString());
}

WideString indexedPath(const WideString& path, std::int32_t index) {
    const std::string digits = std::to_string(index);
    WideString result = path;
    result.push_back(u'[');
    result.append(digits.begin(), digits.end());
    result.push_back(u']');
    return result;
}

}  // namespace quillmont
