#include "fake_registry.h"

#include <algorithm>
#include <utility>

namespace quillmont::testing {

struct FakeRegistry::Node {
    WideString name;
    std::vector<std::unique_ptr<Node>> children;  // sorted by upper-case name
    std::vector<std::pair<WideString, RegistryValue>> values;

    Node* child(const WideString& key) const {
        for (const auto& c : children)
            if (upper(c->name) == upper(key)) return c.get();
        return nullptr;
    }
    Node* addChild(const WideString& key) {
        auto node = std::make_unique<Node>();
        node->name = key;
        const WideString order = upper(key);
        auto at = std::find_if(children.begin(), children.end(),
                               [&](const auto& c) { return upper(c->name) > order; });
        return children.insert(at, std::move(node))->get();
    }
    std::pair<WideString, RegistryValue>* value(const WideString& valueName) {
        for (auto& v : values)
            if (upper(v.first) == upper(valueName)) return &v;
        return nullptr;
    }
};

namespace {
constexpr std::size_t kMaxKeyName = 255;

// The path's segments; nothing for a path with an empty segment.
std::optional<std::vector<WideString>> segments(const WideString& path) {
    std::vector<WideString> parts;
    if (path.empty()) return parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find(u'\\', start);
        WideString part = path.substr(start, end == WideString::npos ? WideString::npos : end - start);
        if (part.empty()) return std::nullopt;
        parts.push_back(std::move(part));
        if (end == WideString::npos) return parts;
        start = end + 1;
    }
}

WideString rootName(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? u"HKCU" : u"HKLM"; }
}  // namespace

FakeRegistry::FakeRegistry() : currentUser_(std::make_unique<Node>()), localMachine_(std::make_unique<Node>()) {}
FakeRegistry::~FakeRegistry() = default;

WideString FakeRegistry::upper(const WideString& text) {
    WideString result = text;
    for (char16_t& c : result)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return result;
}

FakeRegistry::Node* FakeRegistry::find(RegistryRoot root, const WideString& path) {
    const auto parts = segments(path);
    if (!parts) return nullptr;
    Node* node = root == RegistryRoot::CurrentUser ? currentUser_.get() : localMachine_.get();
    for (const WideString& part : *parts) {
        node = node->child(part);
        if (node == nullptr) return nullptr;
    }
    return node;
}

bool FakeRegistry::mayWrite(RegistryRoot root, const WideString& path) {
    ++writes;
    if (writesBeforeFailure && writes > *writesBeforeFailure) return false;
    if (failingWrite && writes == *failingWrite) return false;
    return lockedKeys.count(upper(rootName(root) + u"\\" + path)) == 0;
}

WideString FakeRegistry::inView(RegistryRoot root, const WideString& path, RegistryView view) {
    // The 32-bit view of HKEY_LOCAL_MACHINE\SOFTWARE lives under its WOW6432Node;
    // the current user's Software is one for both views.
    if (view != RegistryView::Bits32 || root != RegistryRoot::LocalMachine) return path;
    const WideString top = upper(path.substr(0, path.find(u'\\')));
    if (top != u"SOFTWARE") return path;
    if (path.size() == top.size()) return path + u"\\WOW6432Node";
    return path.substr(0, top.size()) + u"\\WOW6432Node" + path.substr(top.size());
}

bool FakeRegistry::keyExists(RegistryRoot root, const WideString& path, RegistryAccess access) {
    return find(root, inView(root, path, access.view)) != nullptr;
}

bool FakeRegistry::createKey(RegistryRoot root, const WideString& path) {
    if (find(root, path) != nullptr) return true;
    if (!mayWrite(root, path)) return false;
    const auto parts = segments(path);
    if (!parts || parts->empty()) return false;
    for (const WideString& part : *parts)
        if (part.size() > kMaxKeyName) return false;
    Node* node = root == RegistryRoot::CurrentUser ? currentUser_.get() : localMachine_.get();
    for (const WideString& part : *parts) {
        Node* next = node->child(part);
        node = next != nullptr ? next : node->addChild(part);
    }
    return true;
}

EnumResult FakeRegistry::enumSubkey(RegistryRoot root, const WideString& path, std::uint32_t index,
                                    RegistryAccess access) {
    Node* node = find(root, inView(root, path, access.view));
    if (node == nullptr) return {EnumStatus::Failed, {}};
    if (index >= node->children.size()) return {EnumStatus::NoMoreItems, {}};
    const WideString& name = node->children[index]->name;
    if (name.size() >= 256) return {EnumStatus::Failed, {}};  // does not fit the 256-character buffer
    return {EnumStatus::Found, name};
}

EnumResult FakeRegistry::enumValue(RegistryRoot root, const WideString& path, std::uint32_t index,
                                   RegistryAccess access) {
    Node* node = find(root, inView(root, path, access.view));
    if (node == nullptr) return {EnumStatus::Failed, {}};
    if (index >= node->values.size()) return {EnumStatus::NoMoreItems, {}};
    return {EnumStatus::Found, node->values[index].first};
}

std::optional<RegistryValue> FakeRegistry::queryValue(RegistryRoot root, const WideString& path,
                                                      const WideString& name, RegistryAccess access) {
    Node* node = find(root, inView(root, path, access.view));
    if (node == nullptr) return std::nullopt;
    auto* value = node->value(name);
    if (value == nullptr) return std::nullopt;
    return value->second;
}

bool FakeRegistry::writeValue(RegistryRoot root, const WideString& path, const WideString& name,
                              RegistryValue value) {
    Node* node = find(root, path);
    if (node == nullptr || !mayWrite(root, path)) return false;
    if (auto* existing = node->value(name)) {
        existing->second = std::move(value);
    } else {
        node->values.emplace_back(name, std::move(value));
    }
    return true;
}

bool FakeRegistry::setDword(RegistryRoot root, const WideString& path, const WideString& name, std::uint32_t value) {
    RegistryValue stored{registry_type::kDword, {}};
    for (int shift = 0; shift < 32; shift += 8) stored.bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    return writeValue(root, path, name, std::move(stored));
}

bool FakeRegistry::setString(RegistryRoot root, const WideString& path, const WideString& name,
                             const WideString& value) {
    RegistryValue stored{registry_type::kString, {}};
    for (char16_t c : value) {
        stored.bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        stored.bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    stored.bytes.insert(stored.bytes.end(), {0, 0});
    return writeValue(root, path, name, std::move(stored));
}

bool FakeRegistry::setRaw(RegistryRoot root, const WideString& path, const WideString& name, RegistryValue value) {
    return writeValue(root, path, name, std::move(value));
}

bool FakeRegistry::deleteValue(RegistryRoot root, const WideString& path, const WideString& name) {
    Node* node = find(root, path);
    if (node == nullptr || node->value(name) == nullptr || !mayWrite(root, path)) return false;
    auto& values = node->values;
    values.erase(std::find_if(values.begin(), values.end(),
                              [&](const auto& v) { return upper(v.first) == upper(name); }));
    return true;
}

bool FakeRegistry::deleteTree(RegistryRoot root, const WideString& path) {
    Node* node = find(root, path);
    if (node == nullptr) return true;
    // Depth first, the last subkey first, as the Win32 side does it: a refusal
    // midway leaves what was not reached yet.
    while (!node->children.empty()) {
        if (!deleteTree(root, path + u"\\" + node->children.back()->name)) return false;
    }
    const auto parts = segments(path);
    if (!parts || parts->empty() || !mayWrite(root, path)) return false;
    const WideString parentPath = path.substr(0, path.size() - parts->back().size() - (parts->size() > 1 ? 1 : 0));
    Node* parent = parts->size() > 1 ? find(root, parentPath)
                                     : (root == RegistryRoot::CurrentUser ? currentUser_.get() : localMachine_.get());
    auto& siblings = parent->children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(), [&](const auto& c) { return c.get() == node; }));
    return true;
}

std::vector<WideString> FakeRegistry::dump(RegistryRoot root, const WideString& path) {
    std::vector<WideString> lines;
    Node* node = find(root, path);
    if (node == nullptr) return lines;
    for (const auto& [name, value] : node->values) {
        WideString line = path + u" : " + name + u" = " + ascii(std::to_string(value.type).c_str()) + u":";
        for (std::uint8_t b : value.bytes) line += ascii(std::to_string(b).c_str()) + u",";
        lines.push_back(line);
    }
    for (const auto& child : node->children) {
        const WideString childPath = path + u"\\" + child->name;
        lines.push_back(childPath);
        for (WideString& line : dump(root, childPath)) lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace quillmont::testing
