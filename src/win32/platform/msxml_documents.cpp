#include "win32/platform/msxml_documents.h"

#include <windows.h>
#include <msxml2.h>
#include <objbase.h>
#include <oleauto.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdint>
#include <span>

#include "win32/platform/com_owners.h"
#include "win32/platform/wide_text.h"

namespace quillmont::win32 {

namespace {

class MsxmlElement final : public XmlElement {
public:
    explicit MsxmlElement(UniqueCom<IXMLDOMElement> element) : element_(std::move(element)) {}

    std::optional<WideString> text() override {
        UniqueBstr text;
        if (FAILED(element_->get_text(text.receive()))) return std::nullopt;
        return text.text();
    }

    std::optional<WideString> attribute(const WideString& name) override {
        const UniqueBstr attributeName(name);
        if (!attributeName.valid()) return std::nullopt;
        UniqueVariant value;
        // A missing attribute comes back as S_FALSE with a null value.
        if (FAILED(element_->getAttribute(attributeName.get(), value.receive())) || value.value().vt == VT_NULL)
            return std::nullopt;
        UniqueVariant text;
        if (FAILED(VariantChangeType(text.get(), value.get(), 0, VT_BSTR))) return std::nullopt;
        const BSTR converted = text.value().bstrVal;
        return WideString(reinterpret_cast<const char16_t*>(converted), SysStringLen(converted));
    }

private:
    UniqueCom<IXMLDOMElement> element_;
};

class MsxmlNodeList final : public XmlNodeList {
public:
    explicit MsxmlNodeList(UniqueCom<IXMLDOMNodeList> list) : list_(std::move(list)) {}

    std::int32_t length() override {
        long length = 0;
        if (FAILED(list_->get_length(&length))) return 0;
        return static_cast<std::int32_t>(length);
    }

private:
    UniqueCom<IXMLDOMNodeList> list_;
};

class MsxmlDocument final : public XmlDocument {
public:
    explicit MsxmlDocument(UniqueCom<IXMLDOMDocument> document) : document_(std::move(document)) {}

    std::unique_ptr<XmlNodeList> selectNodes(const WideString& path) override {
        const UniqueBstr expression(path);
        if (!expression.valid()) return nullptr;
        UniqueCom<IXMLDOMNodeList> list;
        if (FAILED(document_->selectNodes(expression.get(), list.receive())) || !list.valid()) return nullptr;
        return std::make_unique<MsxmlNodeList>(std::move(list));
    }

    std::unique_ptr<XmlElement> selectElement(const WideString& path) override {
        const UniqueBstr expression(path);
        if (!expression.valid()) return nullptr;
        UniqueCom<IXMLDOMNode> node;
        // S_FALSE with no node when nothing is selected.
        if (document_->selectSingleNode(expression.get(), node.receive()) != S_OK || !node.valid()) return nullptr;
        UniqueCom<IXMLDOMElement> element;
        if (FAILED(node->QueryInterface(IID_IXMLDOMElement, element.receiveVoid())) || !element.valid())
            return nullptr;
        return std::make_unique<MsxmlElement>(std::move(element));
    }

private:
    UniqueCom<IXMLDOMDocument> document_;
};

// IXMLDOMDocument2's interface id, which MinGW's import libraries lack.
constexpr IID kDocument2 = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

// MSXML 3 nests elements without a limit unless asked (MSXML 6 stops at 256);
// Wine's, on libxml2, stops at 256 whatever it is asked.
void limitDepth(IXMLDOMDocument& document) {
    UniqueCom<IXMLDOMDocument2> second;
    if (FAILED(document.QueryInterface(kDocument2, second.receiveVoid())) || !second.valid()) return;
    const UniqueBstr name(u"MaxElementDepth");
    VARIANT depth;
    VariantInit(&depth);
    depth.vt = VT_I4;
    depth.lVal = XmlDocuments::kMaxElementDepth;
    if (name.valid()) second->setProperty(name.get(), depth);
}

// The file's bytes in a stream of their own, read whole and checked first: a
// file over the size limit is not read, and one that declares entities is
// refused (see XmlDocuments). An invalid stream when the file is refused or
// cannot be read.
UniqueCom<IStream> checkedContents(const WideString& path) {
    UniqueCom<IStream> file;
    if (path.empty() || FAILED(SHCreateStreamOnFileEx(toWide(path).c_str(), STGM_READ | STGM_SHARE_DENY_NONE,
                                                      FILE_ATTRIBUTE_NORMAL, FALSE, nullptr, file.receive())))
        return {};
    STATSTG status{};
    if (FAILED(file->Stat(&status, STATFLAG_NONAME)) || status.cbSize.QuadPart > XmlDocuments::kMaxDocumentBytes) return {};
    const auto size = static_cast<std::size_t>(status.cbSize.QuadPart);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size);
    if (memory == nullptr) return {};
    auto* bytes = static_cast<std::uint8_t*>(GlobalLock(memory));
    std::size_t got = 0;
    while (bytes != nullptr && got < size) {
        ULONG read = 0;
        const auto wanted = static_cast<ULONG>(std::min<std::size_t>(size - got, 1u << 30));
        if (FAILED(file->Read(bytes + got, wanted, &read)) || read == 0) break;
        got += read;
    }
    const bool usable = bytes != nullptr && got == size &&
                        !XmlDocuments::declaresEntities(std::span<const std::uint8_t>(bytes, size));
    if (bytes != nullptr) GlobalUnlock(memory);
    UniqueCom<IStream> contents;
    // The stream frees the memory when it goes.
    if (!usable || FAILED(CreateStreamOnHGlobal(memory, TRUE, contents.receive()))) {
        GlobalFree(memory);
        return {};
    }
    return contents;
}

}  // namespace

std::unique_ptr<XmlDocument> MsxmlDocuments::load(const WideString& path) {
    // The version-independent class: its selection language counts positions
    // from 0. Looked up once: the lookup reads the registry.
    if (!classKnown_) {
        if (FAILED(CLSIDFromProgID(L"Msxml2.DOMDocument", &documentClass_))) return nullptr;
        classKnown_ = true;
    }
    UniqueCom<IXMLDOMDocument> document;
    if (FAILED(CoCreateInstance(documentClass_, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument, document.receiveVoid())) ||
        !document.valid())
        return nullptr;
    // Synchronous, so that a finished load can be asked at once; and no network
    // access for DTDs or schemas a file may name.
    if (FAILED(document->put_async(VARIANT_FALSE)) || FAILED(document->put_validateOnParse(VARIANT_FALSE)) ||
        FAILED(document->put_resolveExternals(VARIANT_FALSE)))
        return nullptr;
    limitDepth(*document.get());

    // The file goes to the parser as a stream: a path handed to load is taken
    // for a URL and fetched through the URL monikers, about ten times slower
    // under Wine, and a name with "%" or "#" in it would not be the file meant.
    // The parser still reads the encoding from the file's own bytes.
    UniqueCom<IStream> stream = checkedContents(path);
    if (!stream.valid()) return nullptr;
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_UNKNOWN;
    source.punkVal = stream.get();  // borrowed: the stream's owner releases it
    VARIANT_BOOL loaded = VARIANT_FALSE;
    // The call succeeds (with S_FALSE) for a file that is not well-formed: only the flag tells.
    if (FAILED(document->load(source, &loaded)) || loaded != VARIANT_TRUE) return nullptr;
    return std::make_unique<MsxmlDocument>(std::move(document));
}

}  // namespace quillmont::win32
