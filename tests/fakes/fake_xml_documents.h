#pragma once

#include <map>
#include <optional>

#include "fake_files.h"
#include "platform/xml_documents.h"

namespace quillmont::testing {

// Documents given by what each path expression selects, for tests of the code
// that asks the questions; the real parsers are held to the XML contract cases.
// Counts every load and selection so that caching can be proven.
class FakeXmlDocuments final : public XmlDocuments {
public:
    struct Element {
        std::optional<WideString> text;
        std::map<WideString, WideString> attributes;
    };
    struct Selection {
        std::int32_t count = 0;
        std::optional<Element> first;  // nothing: the first node is not an element
    };
    using Document = std::map<WideString, Selection>;  // path expression -> what it selects

    void add(const WideString& file, Document document) { documents_[FakeFiles::key(file)] = std::move(document); }
    void remove(const WideString& file) { documents_.erase(FakeFiles::key(file)); }

    int loads = 0;       // every call of load, successful or not
    int selections = 0;  // every selectNodes and selectElement

    std::unique_ptr<XmlDocument> load(const WideString& path) override {
        ++loads;
        auto found = documents_.find(FakeFiles::key(path));
        if (found == documents_.end()) return nullptr;
        return std::make_unique<LoadedDocument>(*this, found->second);
    }

private:
    class LoadedElement final : public XmlElement {
    public:
        explicit LoadedElement(Element element) : element_(std::move(element)) {}
        std::optional<WideString> text() override { return element_.text; }
        std::optional<WideString> attribute(const WideString& name) override {
            auto found = element_.attributes.find(name);
            if (found == element_.attributes.end()) return std::nullopt;
            return found->second;
        }

    private:
        Element element_;
    };
    class LoadedList final : public XmlNodeList {
    public:
        explicit LoadedList(std::int32_t count) : count_(count) {}
        std::int32_t length() override { return count_; }

    private:
        std::int32_t count_;
    };
    class LoadedDocument final : public XmlDocument {
    public:
        LoadedDocument(FakeXmlDocuments& owner, Document document) : owner_(owner), document_(std::move(document)) {}
        std::unique_ptr<XmlNodeList> selectNodes(const WideString& path) override {
            ++owner_.selections;
            if (path.empty()) return nullptr;
            auto found = document_.find(path);
            return std::make_unique<LoadedList>(found == document_.end() ? 0 : found->second.count);
        }
        std::unique_ptr<XmlElement> selectElement(const WideString& path) override {
            ++owner_.selections;
            auto found = document_.find(path);
            if (found == document_.end() || !found->second.first) return nullptr;
            return std::make_unique<LoadedElement>(*found->second.first);
        }

    private:
        FakeXmlDocuments& owner_;
        Document document_;
    };

    std::map<WideString, Document> documents_;
};

}  // namespace quillmont::testing
