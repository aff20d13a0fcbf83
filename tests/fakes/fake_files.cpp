#include "fake_files.h"

#include "core/text/path_rules.h"

#include <algorithm>
#include <vector>

namespace quillmont::testing {

WideString FakeFiles::combinePath(const WideString& folder, const WideString& more) {
    return combinePaths(folder, more);
}

WideString FakeFiles::key(const WideString& path) {
    WideString text = path;
    std::replace(text.begin(), text.end(), u'/', u'\\');
    text = canonicalizePath(text);
    for (char16_t& c : text)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (text.size() > 3 && text.back() == u'\\') text.pop_back();
    return text;
}

bool FakeFiles::parentExists(const WideString& fileKey) const {
    const std::size_t slash = fileKey.rfind(u'\\');
    if (slash == WideString::npos) return true;
    const WideString parent = fileKey.substr(0, slash);
    if (parent.size() == 2 && parent[1] == u':') return true;  // a drive's root
    return folders_.count(parent) != 0;
}

bool FakeFiles::isOpen(const WideString& fileKey) const {
    auto found = readers_.find(fileKey);
    return found != readers_.end() && found->second > 0;
}

void FakeFiles::remember(const WideString& path) {
    // Every segment of the path keeps the spelling it had when first seen.
    WideString text = path;
    std::replace(text.begin(), text.end(), u'/', u'\\');
    text = canonicalizePath(text);
    while (text.size() > 3) {
        if (text.back() == u'\\') text.pop_back();
        names_.emplace(key(text), text.substr(text.rfind(u'\\') + 1));
        const std::size_t slash = text.rfind(u'\\');
        if (slash == WideString::npos) break;
        text = text.substr(0, slash);
    }
}

void FakeFiles::addFolder(const WideString& path) {
    remember(path);
    WideString folder = key(path);
    while (folder.size() > 2) {
        folders_.insert(folder);
        const std::size_t slash = folder.rfind(u'\\');
        if (slash == WideString::npos) break;
        folder = folder.substr(0, slash);
    }
}

void FakeFiles::addFile(const WideString& path, Bytes bytes, bool readOnly) {
    remember(path);
    const WideString fileKey = key(path);
    const std::size_t slash = fileKey.rfind(u'\\');
    if (slash != WideString::npos) addFolder(fileKey.substr(0, slash));
    files_[fileKey] = Entry{std::move(bytes), readOnly};
}

void FakeFiles::addFile(const WideString& path, const std::string& text, bool readOnly) {
    addFile(path, Bytes(text.begin(), text.end()), readOnly);
}

std::optional<Bytes> FakeFiles::contents(const WideString& path) const {
    auto found = files_.find(key(path));
    if (found == files_.end()) return std::nullopt;
    return found->second.bytes;
}

bool FakeFiles::exists(const WideString& path) const { return files_.count(key(path)) != 0; }

std::set<WideString> FakeFiles::filePaths() const {
    std::set<WideString> paths;
    for (const auto& [path, entry] : files_) paths.insert(path);
    return paths;
}

class FakeFiles::Reader final : public ReadableFile {
public:
    Reader(FakeFiles& owner, WideString fileKey) : owner_(owner), key_(std::move(fileKey)) {
        ++owner_.readers_[key_];
        ++owner_.openReaders_;
    }
    ~Reader() override {
        --owner_.readers_[key_];
        --owner_.openReaders_;
    }

    std::optional<std::uint64_t> size() override {
        if (owner_.unreadableSizes.count(key_) != 0) return std::nullopt;
        return owner_.files_.at(key_).bytes.size();
    }

    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
        const Bytes& bytes = owner_.files_.at(key_).bytes;
        // A file in shortReads ends halfway, as one that shrank after its size was read.
        const std::size_t end = owner_.shortReads.count(key_) != 0 ? bytes.size() / 2 : bytes.size();
        if (offset >= end) return 0;
        const std::size_t count = std::min<std::size_t>(buffer.size(), end - static_cast<std::size_t>(offset));
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), count, buffer.begin());
        return count;
    }

private:
    FakeFiles& owner_;
    WideString key_;
};

std::unique_ptr<ReadableFile> FakeFiles::openForReading(const WideString& path) {
    const WideString fileKey = key(path);
    if (files_.count(fileKey) == 0 || unopenable.count(fileKey) != 0) {
        failureReason_ = files_.count(fileKey) == 0 && folders_.count(fileKey) == 0
                             ? u"The system cannot find the file specified."
                             : u"Access is denied.";
        return nullptr;
    }
    return std::make_unique<Reader>(*this, fileKey);
}

bool FakeFiles::createAndWrite(const WideString& path, std::span<const std::uint8_t> bytes) {
    const WideString fileKey = key(path);
    failureReason_ = u"Access is denied.";
    const bool writableFolder = unwritableFolders.count(fileKey.substr(0, fileKey.rfind(u'\\'))) == 0;
    if (!writableFolder || folders_.count(fileKey) != 0 || !parentExists(fileKey) || isOpen(fileKey)) return false;
    auto found = files_.find(fileKey);
    if (found != files_.end() && found->second.readOnly) return false;
    failureReason_ = u"There is not enough space on the disk.";
    remember(path);
    Entry& entry = files_[fileKey];
    entry.readOnly = false;
    const std::size_t count = std::min(bytes.size(), bytesBeforeWriteFailure.value_or(bytes.size()));
    entry.bytes.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
    return count == bytes.size();
}

std::optional<FileAttributes> FakeFiles::attributes(const WideString& path) {
    const WideString fileKey = key(path);
    if (folders_.count(fileKey) != 0) return FileAttributes{true, false};
    auto found = files_.find(fileKey);
    if (found == files_.end()) return std::nullopt;
    return FileAttributes{false, found->second.readOnly};
}

bool FakeFiles::clearReadOnly(const WideString& path) {
    auto found = files_.find(key(path));
    if (found == files_.end() || failClearReadOnly) return false;
    found->second.readOnly = false;
    return true;
}

bool FakeFiles::copyFile(const WideString& from, const WideString& to) {
    const WideString source = key(from);
    const WideString target = key(to);
    auto found = files_.find(source);
    if (failCopy || found == files_.end() || !parentExists(target) || folders_.count(target) != 0 || isOpen(target))
        return false;
    auto existing = files_.find(target);
    if (existing != files_.end() && existing->second.readOnly) return false;
    if (source == target) return false;
    remember(to);
    files_[target] = found->second;  // the copy keeps the source's attributes
    return true;
}

bool FakeFiles::replaceFile(const WideString& from, const WideString& to) {
    const WideString source = key(from);
    const WideString target = key(to);
    auto found = files_.find(source);
    if (failReplace || found == files_.end() || !parentExists(target) || folders_.count(target) != 0 ||
        isOpen(target) || isOpen(source))
        return false;
    auto existing = files_.find(target);
    if (existing != files_.end() && existing->second.readOnly) return false;
    remember(to);
    Entry moved = std::move(found->second);
    files_.erase(found);
    files_[target] = std::move(moved);
    return true;
}

bool FakeFiles::deleteFile(const WideString& path) {
    const WideString fileKey = key(path);
    auto found = files_.find(fileKey);
    if (found == files_.end() || found->second.readOnly || isOpen(fileKey)) return false;
    files_.erase(found);
    return true;
}

bool FakeFiles::createFolder(const WideString& path) {
    const WideString folderKey = key(path);
    const bool taken = folders_.count(folderKey) != 0 || files_.count(folderKey) != 0;
    const bool writable = unwritableFolders.count(folderKey.substr(0, folderKey.rfind(u'\\'))) == 0;
    if (taken || !writable || !parentExists(folderKey)) return false;
    remember(path);
    folders_.insert(folderKey);
    return true;
}

WideString FakeFiles::shortPath(const WideString& path) {
    if (!attributes(path)) return {};
    const WideString pathKey = key(path);
    for (WideString prefix = pathKey; !prefix.empty();) {
        auto found = shortNames.find(prefix);
        if (found != shortNames.end()) return found->second + path.substr(prefix.size());
        const std::size_t cut = prefix.find_last_of(u'\\');
        prefix = cut == WideString::npos ? WideString() : prefix.substr(0, cut);
    }
    return path;
}

WideString FakeFiles::fullPath(const WideString& path) {
    if (path.empty()) return {};
    WideString text = path;
    std::replace(text.begin(), text.end(), u'/', u'\\');
    if (text.size() >= 2 && text[1] == u':') {
        if (text.size() == 2 || text[2] != u'\\') text.insert(2, u"\\");  // a drive's own folder is its root here
    } else if (text[0] == u'\\' && !(text.size() > 1 && text[1] == u'\\')) {
        text = currentFolder.substr(0, 2) + text;
    } else if (text[0] != u'\\') {
        text = currentFolder + u"\\" + text;
    }
    // Runs of backslashes count as one, as GetFullPathNameW reads them.
    WideString collapsed;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == u'\\' && i > 1 && text[i - 1] == u'\\')) collapsed.push_back(text[i]);
    return canonicalizePath(collapsed);
}

std::vector<DirectoryEntry> FakeFiles::findEntries(const WideString& pattern) {
    WideString text = pattern;
    std::replace(text.begin(), text.end(), u'/', u'\\');
    const std::size_t slash = text.rfind(u'\\');
    if (slash == WideString::npos) return {};
    const WideString folder = key(text.substr(0, slash + 1));
    const WideString wildcard = text.substr(slash + 1);
    const bool driveRoot = folder.size() <= 3;
    if (!driveRoot && folders_.count(folder) == 0) return {};
    const WideString prefix = folder.back() == u'\\' ? folder : folder + u"\\";

    std::vector<DirectoryEntry> found;
    auto consider = [&](const WideString& childKey, bool directory) {
        if (childKey.size() <= prefix.size() || childKey.compare(0, prefix.size(), prefix) != 0) return;
        if (childKey.find(u'\\', prefix.size()) != WideString::npos) return;
        auto name = names_.find(childKey);
        const WideString shown = name != names_.end() ? name->second : childKey.substr(prefix.size());
        if (matchesWildcard(wildcard, shown)) found.push_back({shown, directory});
    };
    for (const WideString& child : folders_) consider(child, true);
    for (const auto& [child, entry] : files_) consider(child, false);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return key(a.name) > key(b.name); });
    if (!driveRoot)
        for (const char16_t* dots : {u".", u".."})
            if (matchesWildcard(wildcard, dots)) found.push_back({dots, true});
    return found;
}

bool matchesWildcard(const WideString& pattern, const WideString& name) {
    auto fold = [](WideString text) {
        for (char16_t& c : text)
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        return text;
    };
    const WideString wanted = pattern == u"*.*" ? WideString(u"*") : fold(pattern);
    const WideString text = fold(name);
    // Classic glob with one backtracking point for the last star.
    std::size_t p = 0, t = 0, star = WideString::npos, resume = 0;
    while (t < text.size()) {
        if (p < wanted.size() && (wanted[p] == u'?' || wanted[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < wanted.size() && wanted[p] == u'*') {
            star = p++;
            resume = t;
        } else if (star != WideString::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < wanted.size() && wanted[p] == u'*') ++p;
    return p == wanted.size();
}

}  // namespace quillmont::testing
